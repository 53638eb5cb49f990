// Loading a gauge module: a shared library that exports the records Linkage and ImportTable (and,
// for its resources, ResourceDirectory). Each load is a fresh copy of the module, so every
// module-wide variable starts at its load value.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/base/host_error.h"
#include "host/loader/library.h"
#include "module/gauge.h"
#include "module/resources.h"

namespace gaugehost {

class Module {
 public:
  // Loads the module at `path`, checks its module id and linkage version, and collects its gauge
  // table. Throws HostError with one line naming the file and the problem.
  static std::unique_ptr<Module> load(const std::filesystem::path& path);
  ~Module();
  Module(const Module&) = delete;
  Module& operator=(const Module&) = delete;

  // The module handle: what service 2 passes as its extra-data word and what the platform layer
  // receives back in platform_find_resource.
  uintptr_t handle() const { return reinterpret_cast<uintptr_t>(library_); }
  const std::filesystem::path& path() const { return path_; }
  // The file name without folder and extension, e.g. "CRV5_Instr": what panel.cfg lines name.
  std::string name() const { return path_.stem().string(); }

  // The gauge table in Linkage order.
  const std::vector<GaugeHeader*>& gauges() const { return gauges_; }
  GaugeHeader* find_gauge(std::string_view name) const;

  // Writes the host's service table into ImportTable.
  void attach(HostServices* services);

  // A resource's bytes, or an empty span when the module has none of that type and id.
  std::span<const unsigned char> resource(std::string_view type, int32_t id) const;
  // Width and height of a "BITMAP" resource (a PNG, or a Windows bitmap), if there is one.
  std::optional<PixSize> bitmap_size(int32_t id) const;

 private:
  Module() = default;
  void* library_ = nullptr;
  std::filesystem::path path_;
  GaugeLinkage* linkage_ = nullptr;
  ImportTableRecord* imports_ = nullptr;
  std::vector<GaugeHeader*> gauges_;
};

// Width and height of a picture: PNG bytes, or a Windows BITMAP resource (a device-independent
// bitmap without its file header); nothing when the bytes are neither.
std::optional<PixSize> image_size(std::span<const unsigned char> bytes);

// On Linux, the resource directory of a loaded module, found by its handle; null when it has none.
const ResourceEntry* resource_directory(uintptr_t module_handle);

// A loaded module's resource of that type and id, found by its handle; null when it has none.
const ResourceEntry* find_resource(uintptr_t module_handle, std::string_view type, int32_t id);

// The default module: CRV5_Instr.gau beside the running executable.
std::filesystem::path default_module_path();


}  // namespace gaugehost
