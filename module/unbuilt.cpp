// Placeholders for the gauges not built yet, made from the gauge table: each has its name and
// width, a gauge callback that does nothing where the gauge will have one, no elements, and only
// the outer mouse parent. They are weak definitions: a gauge's own source defines its header and
// the linker takes that one instead, so building a gauge changes no file but its own. This file
// goes once all 90 gauges are built.
#include "module/gauges.h"
#include "module/records.h"

namespace {

void no_service(GaugeHeader*, int32_t, uintptr_t) {}

// Shared by every placeholder; nothing writes to it.
MouseRect placeholder_mouse[] = {crv5::mouse_parent(), crv5::mouse_parent_end(), crv5::mouse_end()};

}  // namespace

#define CRV5_PLACEHOLDER(name, width, has_callback)                                  \
  __attribute__((weak)) GaugeHeader gauge_##name = crv5::gauge_header(               \
      crv5::GaugeId::name, nullptr, placeholder_mouse, has_callback ? no_service : nullptr);
CRV5_GAUGE_TABLE(CRV5_PLACEHOLDER)
