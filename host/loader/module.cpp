#include "host/loader/module.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <system_error>

#include "host/loader/library.h"
#include "host/loader/module_call.h"

namespace gaugehost {

namespace fs = std::filesystem;

namespace {

template <typename T>
T* find_symbol(void* library, const char* name) {
  return static_cast<T*>(library_symbol(library, name));
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

  void* library = open_library(path);

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
  if (module->linkage_->module_init) call_module("module init", module->linkage_->module_init);
  return module;
}

Module::~Module() {
  if (linkage_ && linkage_->module_deinit) {
    try {
      call_module("module deinit", linkage_->module_deinit);
    } catch (const HostError& error) {
      std::fprintf(stderr, "%s: %s\n", path_.string().c_str(), error.what());
    }
  }
  if (imports_) imports_->services.pointer = nullptr;
  if (library_) close_library(library_);
}

GaugeHeader* Module::find_gauge(std::string_view name) const {
  for (GaugeHeader* gauge : gauges_)
    if (name == gauge->name) return gauge;
  return nullptr;
}

void Module::attach(HostServices* services) { imports_->services.pointer = services; }

std::span<const unsigned char> Module::resource(std::string_view type, int32_t id) const {
  return library_resource(handle(), type, id);
}

std::optional<PixSize> Module::bitmap_size(int32_t id) const {
  return image_size(resource("BITMAP", id));
}

std::optional<PixSize> image_size(std::span<const unsigned char> bytes) {
  auto big_endian = [&](size_t at) {
    return int32_t(uint32_t(bytes[at]) << 24 | uint32_t(bytes[at + 1]) << 16 |
                   uint32_t(bytes[at + 2]) << 8 | uint32_t(bytes[at + 3]));
  };
  auto little_endian = [&](size_t at) {
    return int32_t(uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 |
                   uint32_t(bytes[at + 2]) << 16 | uint32_t(bytes[at + 3]) << 24);
  };
  // A PNG: 8 signature bytes, then the IHDR chunk (length, "IHDR", width, height, big-endian).
  static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  if (bytes.size() >= 24 && std::memcmp(bytes.data(), kSignature, 8) == 0 &&
      std::memcmp(bytes.data() + 12, "IHDR", 4) == 0)
    return PixSize{big_endian(16), big_endian(20)};
  // A Windows BITMAP resource: a device-independent bitmap, whose info header (40 bytes or more)
  // gives the width and the height, negative for rows stored from the top down.
  constexpr uint32_t kInfoHeaderBytes = 40;
  if (bytes.size() >= kInfoHeaderBytes && uint32_t(little_endian(0)) >= kInfoHeaderBytes &&
      uint32_t(little_endian(0)) <= bytes.size()) {
    const int32_t height = little_endian(8);
    if (height == INT32_MIN) return std::nullopt;
    return PixSize{little_endian(4), height < 0 ? -height : height};
  }
  return std::nullopt;
}

fs::path default_module_path() { return executable_path().parent_path() / "CRV5_Instr.gau"; }

}  // namespace gaugehost
