// Placeholders for the gauges not built yet, made from the gauge table: each has its name and
// width, a gauge callback that does nothing where the gauge will have one, no elements, and only
// the outer mouse parent. They are weak definitions: a gauge's own source defines its header and
// the linker takes that one instead, so building a gauge changes no file but its own (the Windows
// build, whose linker cannot be trusted with weak definitions, makes placeholders only for the
// gauges its objects do not define). This file goes once all 90 gauges are built.
#include "module/gauges.h"
#include "module/records.h"

namespace {

void no_service(GaugeHeader*, int32_t, uintptr_t) {}

// Shared by every placeholder; nothing writes to it.
MouseRect placeholder_mouse[] = {crv5::mouse_parent(), crv5::mouse_parent_end(), crv5::mouse_end()};

}  // namespace

#define CRV5_PLACEHOLDER_OF(name, linkage)                                                      \
  linkage GaugeHeader gauge_##name =                                                            \
      crv5::gauge_header(crv5::GaugeId::name, nullptr, placeholder_mouse,                       \
                         crv5::row_of(crv5::GaugeId::name).has_callback ? no_service : nullptr);

#ifdef CRV5_UNBUILT_GAUGES
// The PE linker does not let a strong definition replace a weak one reliably, so the Windows
// build lists the gauges that no other object defines (read from the objects' symbols) and this
// file defines placeholders for those only.
#define CRV5_PLACEHOLDER(name) CRV5_PLACEHOLDER_OF(name, )
#include CRV5_UNBUILT_GAUGES
#else
#define CRV5_PLACEHOLDER(name, width, has_callback) \
  CRV5_PLACEHOLDER_OF(name, __attribute__((weak)))
CRV5_GAUGE_TABLE(CRV5_PLACEHOLDER)
#endif
