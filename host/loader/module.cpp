#include "host/loader/module.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstring>
#include <system_error>

#include "host/loader/elf_check.h"
#include "host/loader/module_copy.h"

namespace gaugehost {

namespace fs = std::filesystem;

namespace {

template <typename T>
T* find_symbol(void* library, const char* name) {
  return static_cast<T*>(dlsym(library, name));
}

std::string hex(uint32_t value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%x", value);
  return buffer;
}

}  // namespace

std::unique_ptr<Module> Module::load(const fs::path& path) {
  std::error_code error;
  if (!fs::is_regular_file(path, error))
    throw HostError(path.string() + ": no such module file");

  void* library = nullptr;
  {
    // The copy is checked, not the file, which may change meanwhile. Once loaded, the mapping
    // stays; the copy's name is not needed any more.
    const ModuleCopy copy(path);
    if (const auto problem = elf_shared_object_problem(copy.path()))
      throw HostError(path.string() + ": not a loadable module: " + *problem);
    library = dlopen(copy.path().c_str(), RTLD_NOW | RTLD_LOCAL);
  }
  if (!library) {
    const char* why = dlerror();
    throw HostError(path.string() + ": not a loadable module: " + (why ? why : "unknown reason"));
  }

  std::unique_ptr<Module> module(new Module);
  module->library_ = library;
  module->path_ = path;
  module->linkage_ = find_symbol<GaugeLinkage>(library, "Linkage");
  module->imports_ = find_symbol<ImportTableRecord>(library, "ImportTable");
  if (!module->linkage_) throw HostError(path.string() + ": the module exports no Linkage record");
  if (!module->imports_)
    throw HostError(path.string() + ": the module exports no ImportTable record");
  if (module->linkage_->module_id != kModuleId)
    throw HostError(path.string() + ": module id " + hex(module->linkage_->module_id) +
                    ", expected " + hex(kModuleId));
  if (module->linkage_->version != kLinkageVersion)
    throw HostError(path.string() + ": linkage version " + hex(module->linkage_->version) +
                    ", expected " + hex(kLinkageVersion));
  if (module->imports_->services.id != kImportServicesId)
    throw HostError(path.string() + ": ImportTable's first entry has id " +
                    hex(module->imports_->services.id) + ", expected " + hex(kImportServicesId));

  for (int i = 0; i < kMaxGauges && module->linkage_->gauges[i]; ++i) {
    GaugeHeader* gauge = module->linkage_->gauges[i];
    if (!gauge->name)
      throw HostError(path.string() + ": gauge " + std::to_string(i + 1) + " has no name");
    module->gauges_.push_back(gauge);
  }
  return module;
}

Module::~Module() {
  if (imports_) imports_->services.pointer = nullptr;
  if (library_) dlclose(library_);
}

GaugeHeader* Module::find_gauge(std::string_view name) const {
  for (GaugeHeader* gauge : gauges_)
    if (name == gauge->name) return gauge;
  return nullptr;
}

void Module::attach(HostServices* services) { imports_->services.pointer = services; }

const ResourceEntry* resource_directory(uintptr_t module_handle) {
  if (!module_handle) return nullptr;
  return find_symbol<const ResourceEntry>(reinterpret_cast<void*>(module_handle),
                                          "ResourceDirectory");
}

const ResourceEntry* find_resource(uintptr_t module_handle, std::string_view type, int32_t id) {
  for (const ResourceEntry* entry = resource_directory(module_handle); entry && entry->type; ++entry)
    if (entry->id == id && type == entry->type) return entry;
  return nullptr;
}

std::span<const unsigned char> Module::resource(std::string_view type, int32_t id) const {
  const ResourceEntry* entry = find_resource(handle(), type, id);
  if (!entry) return {};
  return {entry->data, entry->size};
}

std::optional<PixSize> Module::bitmap_size(int32_t id) const {
  // A PNG: 8 signature bytes, then the IHDR chunk (length, "IHDR", width, height, big-endian).
  const auto bytes = resource("BITMAP", id);
  static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  if (bytes.size() < 24 || std::memcmp(bytes.data(), kSignature, 8) != 0 ||
      std::memcmp(bytes.data() + 12, "IHDR", 4) != 0)
    return std::nullopt;
  auto big_endian = [&](size_t at) {
    return int32_t(uint32_t(bytes[at]) << 24 | uint32_t(bytes[at + 1]) << 16 |
                   uint32_t(bytes[at + 2]) << 8 | uint32_t(bytes[at + 3]));
  };
  return PixSize{big_endian(16), big_endian(20)};
}

fs::path executable_path() {
  std::error_code error;
  fs::path path = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::path("gaugehost") : path;
}

fs::path default_module_path() { return executable_path().parent_path() / "CRV5_Instr.gau"; }

}  // namespace gaugehost
