// Placeholder until the artwork is generated: the module carries no resources.
#include "module/resources.h"

extern "C" __attribute__((visibility("default"))) const ResourceEntry ResourceDirectory[] = {
    {nullptr, 0, nullptr, 0},
};
