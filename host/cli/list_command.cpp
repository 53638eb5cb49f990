// gaugehost list: the module's gauge table, one line per gauge.
#include <cstdio>
#include <ostream>

#include "host/base/host_error.h"
#include "host/cli/commands.h"
#include "host/eval/evaluate.h"
#include "host/loader/module.h"

namespace gaugehost::cli {

const char* const kListUsage =
    "gaugehost list              the module's gauges: name, width in mm, ...";

namespace {

int count_children(const MouseRect* list) {
  int children = 0;
  for (const MouseRect* rect = list; rect && rect->kind != kMouseEnd; ++rect)
    children += rect->kind == kMouseChild;
  return children;
}

// Counts the element and its children into `count`, as far as evaluation would follow them.
void count_elements(const GaugeHeader& gauge, const ElementHeader* element, size_t& count,
                    int depth) {
  if (!element) return;
  if (depth > kMaxElementDepth || ++count > kMaxElements)
    throw HostError(std::string(gauge.name) +
                    ": its element tree loops back on itself or runs away (deeper than " +
                    std::to_string(kMaxElementDepth) + " levels or beyond " +
                    std::to_string(kMaxElements) + " elements)");
  for (ElementHeader* const* child = element->next; child && *child; ++child)
    count_elements(gauge, *child, count, depth + 1);
}

size_t count_elements(const GaugeHeader& gauge) {
  size_t count = 0;
  count_elements(gauge, gauge.elements ? gauge.elements[0] : nullptr, count, 0);
  return count;
}

}  // namespace

// One line per gauge in table order: name, width in millimetres, elements, click areas, callback.
int list(CliContext& context) {
  const auto module = Module::load(context.module);
  for (const GaugeHeader* gauge : module->gauges()) {
    char line[160];
    std::snprintf(line, sizeof line, "%-26s %5u mm  %3zu elements  %2d click areas  %s",
                  gauge->name, unsigned(gauge->size_x_mm), count_elements(*gauge),
                  count_children(gauge->mouse_rects),
                  gauge->callback ? "gauge callback" : "no gauge callback");
    context.out << line << "\n";
  }
  return 0;
}

}  // namespace gaugehost::cli
