// `gaugecheck calls`: every function of the module's records called once or more through the
// checking thunk (host/loader/module_call.h), so that the stack check has seen each of them.
#include "windows/gaugecheck/every_callback.h"

#include <iostream>
#include <set>

#include "host/loader/module_call.h"
#include "host/panel/session.h"

namespace gaugehost {

namespace {

using Functions = std::set<const void*>;

template <typename Function>
void add(Functions& out, Function function) {
  if (function) out.insert(reinterpret_cast<const void*>(function));
}

void element_functions(const ElementHeader& header, Functions& out, int depth) {
  if (depth > 64) return;
  switch (header.kind) {
    case kElementNeedle: add(out, reinterpret_cast<const ElementNeedle&>(header).callback); break;
    case kElementString: add(out, reinterpret_cast<const ElementString&>(header).callback); break;
    case kElementIcon: add(out, reinterpret_cast<const ElementIcon&>(header).callback); break;
    case kElementSlider: {
      const auto& slider = reinterpret_cast<const ElementSlider&>(header);
      add(out, slider.x_callback);
      add(out, slider.y_callback);
      break;
    }
    case kElementMovingImage: {
      const auto& moving = reinterpret_cast<const ElementMovingImage&>(header);
      add(out, moving.x_callback);
      add(out, moving.y_callback);
      break;
    }
    case kElementSprite: {
      const auto& sprite = reinterpret_cast<const ElementSprite&>(header);
      add(out, sprite.x_callback);
      add(out, sprite.y_callback);
      add(out, sprite.rotation_callback);
      break;
    }
    default: break;
  }
  for (ElementHeader* const* child = header.next; child && *child; ++child)
    element_functions(**child, out, depth + 1);
}

// Every function a gauge's records name.
void gauge_functions(const GaugeHeader& gauge, Functions& out) {
  add(out, gauge.callback);
  if (gauge.elements && gauge.elements[0]) element_functions(*gauge.elements[0], out, 0);
  for (const MouseRect* rect = gauge.mouse_rects; rect && rect->kind != kMouseEnd; ++rect) {
    if (rect->kind == kMouseChild) add(out, rect->function);
    if (rect->kind != kMouseTooltip || !rect->tooltip_args) continue;
    for (uint32_t i = 0; i < rect->tooltip_arg_count; ++i) {
      add(out, rect->tooltip_args[i].number);
      add(out, rect->tooltip_args[i].text);
    }
  }
}

// Clicks every area of the gauge with each button, and asks every tooltip argument for its value.
void call_mouse_and_tooltips(GaugeInstance& gauge) {
  for (MouseRect* rect = gauge.header->mouse_rects; rect && rect->kind != kMouseEnd; ++rect) {
    if (rect->kind == kMouseChild && rect->function) {
      for (uint32_t flags : {uint32_t{kMouseLeftSingle}, uint32_t{kMouseRightSingle}}) {
        ClickRecord click{{rect->box.x, rect->box.y}, gauge.header, rect};
        call_module("mouse function", rect->function, &click, flags);
      }
    }
    if (rect->kind != kMouseTooltip || !rect->tooltip_args) continue;
    for (uint32_t i = 0; i < rect->tooltip_arg_count; ++i) {
      const TooltipArg& arg = rect->tooltip_args[i];
      ModuleVar var = arg.source;
      if (arg.number)
        call_module("tooltip number callback", arg.number, 0.0, 0u, nullptr, &var, gauge.header);
      if (arg.text)
        call_module("tooltip text callback", arg.text, 0.0, 0u, nullptr, &var, gauge.header);
    }
  }
}

}  // namespace

int call_every_function(const std::filesystem::path& module_path, std::ostream& out) {
  Functions named;
  {
    Session session(Module::load(module_path));
    for (GaugeHeader* header : session.module().gauges()) {
      gauge_functions(*header, named);
      session.place_gauge(header->name);
    }
    session.connect();
    session.update(2);
    for (const auto& gauge : session.gauges()) call_mouse_and_tooltips(*gauge);
    session.update();
    session.kill();
  }
  const ModuleCallTally& tally = module_call_tally();
  size_t missed = 0;
  for (const void* function : named) missed += tally.functions.count(function) == 0;
  out << "calls: " << tally.calls << " calls into the module reached " << tally.functions.size()
      << " functions, each popping its own arguments; " << named.size()
      << " functions named by the records, " << missed << " of them never called\n";
  return missed == 0 ? 0 : 1;
}

}  // namespace gaugehost
