// The built CRV5_Instr.gau as the simulator meets it: a 32-bit DLL that exports exactly Linkage and
// ImportTable, imports only what every Windows carries, holds every bitmap and wave of the
// resource script as BITMAP and WAVE resources, and lists the 90 gauges, each with its own records.
//
//   gau_file_test [PATH.gau]     (default: CRV5_Instr.gau beside the program)
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "module/gauges.h"
#include "resources/resource_script.h"
#include "tests/windows/windows_check.h"

namespace {

const std::set<std::string> kAllowedImports = {"kernel32.dll", "user32.dll", "dsound.dll",
                                               "msvcrt.dll"};

template <typename T>
const T* at(HMODULE module, DWORD rva) {
  return reinterpret_cast<const T*>(reinterpret_cast<const unsigned char*>(module) + rva);
}

const IMAGE_NT_HEADERS32* headers(HMODULE module) {
  const auto* dos = at<IMAGE_DOS_HEADER>(module, 0);
  return at<IMAGE_NT_HEADERS32>(module, DWORD(dos->e_lfanew));
}

void image_is_a_32_bit_dll(HMODULE module) {
  const IMAGE_NT_HEADERS32* nt = headers(module);
  CHECK(nt->Signature == IMAGE_NT_SIGNATURE);
  CHECK(nt->FileHeader.Machine == IMAGE_FILE_MACHINE_I386);
  CHECK((nt->FileHeader.Characteristics & IMAGE_FILE_DLL) != 0);
  CHECK(nt->OptionalHeader.Magic == IMAGE_NT_OPTIONAL_HDR32_MAGIC);
}

void exports_are_the_two_records(HMODULE module) {
  const IMAGE_DATA_DIRECTORY& dir =
      headers(module)->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  CHECK(dir.VirtualAddress != 0);
  if (!dir.VirtualAddress) return;
  const auto* exports = at<IMAGE_EXPORT_DIRECTORY>(module, dir.VirtualAddress);
  std::vector<std::string> names;
  const auto* name_rvas = at<DWORD>(module, exports->AddressOfNames);
  for (DWORD i = 0; i < exports->NumberOfNames; ++i) names.push_back(at<char>(module, name_rvas[i]));
  CHECK(exports->NumberOfFunctions == 2);
  CHECK((names == std::vector<std::string>{"ImportTable", "Linkage"}));
}

void imports_are_what_every_windows_carries(HMODULE module) {
  const IMAGE_DATA_DIRECTORY& dir =
      headers(module)->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  std::set<std::string> names;
  for (const auto* entry = at<IMAGE_IMPORT_DESCRIPTOR>(module, dir.VirtualAddress);
       dir.VirtualAddress && entry->Name; ++entry)
    names.insert(CharLowerA(std::string(at<char>(module, entry->Name)).data()));
  CHECK(names.count("dsound.dll") == 1);
  for (const std::string& name : names)
    CHECK_MSG(kAllowedImports.count(name) == 1, "imports " + name);
}

BOOL CALLBACK collect_id(HMODULE, LPCSTR, LPSTR name, LONG_PTR ids) {
  if (IS_INTRESOURCE(name))
    reinterpret_cast<std::set<int32_t>*>(ids)->insert(int32_t(uintptr_t(name)));
  return TRUE;
}

std::set<int32_t> resource_ids(HMODULE module, LPCSTR type) {
  std::set<int32_t> ids;
  EnumResourceNamesA(module, type, collect_id, reinterpret_cast<LONG_PTR>(&ids));
  return ids;
}

const unsigned char* resource(HMODULE module, int32_t id, LPCSTR type, DWORD* size) {
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), type);
  if (!found) return nullptr;
  *size = SizeofResource(module, found);
  return static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
}

void every_scripted_resource_is_there_with_its_type(HMODULE module) {
  std::set<int32_t> drawn;
  for (const crv5::resources::BitmapResource& b : crv5::resources::kBitmaps) {
    if (b.art != crv5::resources::Art::kDrawn) continue;
    drawn.insert(b.id);
    DWORD size = 0;
    const unsigned char* bytes = resource(module, b.id, MAKEINTRESOURCEA(2) /* RT_BITMAP */, &size);
    CHECK_MSG(bytes && size >= sizeof(BITMAPINFOHEADER), "BITMAP " + std::to_string(b.id));
    if (!bytes || size < sizeof(BITMAPINFOHEADER)) continue;
    BITMAPINFOHEADER info;
    std::memcpy(&info, bytes, sizeof info);
    CHECK_MSG(info.biWidth == b.width && std::abs(info.biHeight) == b.height && info.biBitCount == 24,
              "BITMAP " + std::to_string(b.id) + " is " + std::to_string(info.biWidth) + " x " +
                  std::to_string(info.biHeight));
  }
  CHECK(resource_ids(module, MAKEINTRESOURCEA(2)) == drawn);  // and nothing else

  std::set<int32_t> waves;
  for (const crv5::resources::WaveResource& w : crv5::resources::kWaves) {
    waves.insert(w.id);
    DWORD size = 0;
    const unsigned char* bytes = resource(module, w.id, "WAVE", &size);
    CHECK_MSG(bytes && size > 12 && std::memcmp(bytes, "RIFF", 4) == 0 &&
                  std::memcmp(bytes + 8, "WAVE", 4) == 0,
              "WAVE " + std::to_string(w.id));
  }
  CHECK(resource_ids(module, "WAVE") == waves);
}

void linkage_lists_the_gauges(HMODULE module) {
  const auto* linkage = reinterpret_cast<const GaugeLinkage*>(GetProcAddress(module, "Linkage"));
  const auto* imports =
      reinterpret_cast<const ImportTableRecord*>(GetProcAddress(module, "ImportTable"));
  CHECK(linkage && imports);
  if (!linkage || !imports) return;
  CHECK(linkage->module_id == kModuleId && linkage->version == kLinkageVersion);
  CHECK(imports->services.id == kImportServicesId && imports->services.pointer == nullptr);
  CHECK(imports->end.id == 0 && imports->end.pointer == nullptr);
  CHECK(linkage->gauges[kMaxGauges] == nullptr);
  for (int i = 0; i < kMaxGauges; ++i) {
    const GaugeHeader* gauge = linkage->gauges[i];
    const crv5::GaugeRow& row = crv5::kGaugeTable[i];
    CHECK_MSG(gauge && std::strcmp(gauge->name, row.name) == 0, row.name);
    if (!gauge) continue;
    CHECK_MSG(gauge->size_x_mm == row.width_mm && (gauge->callback != nullptr) == row.has_callback,
              row.name);
    CHECK_MSG(gauge->elements != nullptr, std::string(row.name) + " has no elements");
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::string path = crv5::windows_test::module_path(argc, argv);
  HMODULE module = LoadLibraryA(path.c_str());
  CHECK_MSG(module != nullptr, "cannot load " + path);
  if (module) {
    image_is_a_32_bit_dll(module);
    exports_are_the_two_records(module);
    imports_are_what_every_windows_carries(module);
    every_scripted_resource_is_there_with_its_type(module);
    linkage_lists_the_gauges(module);
    FreeLibrary(module);
  }
  return crv5::windows_test::report("gau_file_test");
}
