// The module's two exported records: Linkage lists the gauge table's headers in order.
#include "module/gauges.h"
#include "module/resources.h"

#define CRV5_EXPORT __attribute__((visibility("default")))

namespace {
void module_init() {}
void module_deinit() {}
}  // namespace

#define CRV5_GAUGE_ENTRY(name, width, has_callback) &gauge_##name,

extern "C" {

CRV5_EXPORT GaugeLinkage Linkage = {
    .module_id = kModuleId,
    .module_init = module_init,
    .module_deinit = module_deinit,
    .flags = 0,
    .priority = 0,
    .version = kLinkageVersion,
    .gauges = {CRV5_GAUGE_TABLE(CRV5_GAUGE_ENTRY) nullptr},
};

CRV5_EXPORT ImportTableRecord ImportTable = {
    .services = {.id = kImportServicesId, .pointer = nullptr},
    .end = {.id = 0, .pointer = nullptr},
};

}  // extern "C"
