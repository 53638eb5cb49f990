// The module's two exported records: Linkage lists the gauge table's headers in order.
#include "module/gauges.h"
#include "module/resources.h"

// The two records are all the module exports (on Windows, listed in windows/CRV5_Instr.def).
#ifdef _WIN32
#define CRV5_EXPORT
#else
#define CRV5_EXPORT __attribute__((visibility("default")))
#endif

namespace {
void CRV5_CALL module_init() {}
void CRV5_CALL module_deinit() {}
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
