// gaugehost list: the module's gauge table, one line per gauge.
#include <cstdio>
#include <ostream>

#include "host/cli/commands.h"
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

int count_elements(const ElementHeader* element) {
  if (!element) return 0;
  int count = 1;
  for (ElementHeader* const* child = element->next; child && *child; ++child)
    count += count_elements(*child);
  return count;
}

}  // namespace

// One line per gauge in table order: name, width in millimetres, elements, click areas, callback.
int list(CliContext& context) {
  const auto module = Module::load(context.module);
  for (const GaugeHeader* gauge : module->gauges()) {
    char line[160];
    std::snprintf(line, sizeof line, "%-26s %5u mm  %3d elements  %2d click areas  %s", gauge->name,
                  unsigned(gauge->size_x_mm), count_elements(gauge->elements ? gauge->elements[0] : nullptr),
                  count_children(gauge->mouse_rects),
                  gauge->callback ? "gauge callback" : "no gauge callback");
    context.out << line << "\n";
  }
  return 0;
}

}  // namespace gaugehost::cli
