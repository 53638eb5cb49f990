// The built CRV5_Instr.gau as the simulator meets it: a 32-bit DLL that exports exactly Linkage and
// ImportTable, imports only what every Windows carries, holds every bitmap and wave of the
// resource script as BITMAP and WAVE resources, and lists the 90 gauges of the gauge table; and
// their records as Windows loaded and relocated them: every gauge's element tree and mouse list
// holds what the simulator expects of it, and every pointer in them (children, back-pointers,
// callbacks, texts) lies inside the loaded image. Where each field lies is checked while
// compiling (module/gauge_layout.h, its 32-bit column).
//
//   gau_module_test [PATH.gau]     (default: CRV5_Instr.gau, found first beside the program)
#include <windows.h>

#include <cstdint>
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

struct Image {
  uintptr_t base, end;
  bool holds(const void* pointer) const {
    const auto address = reinterpret_cast<uintptr_t>(pointer);
    return address >= base && address < end;
  }
  bool holds_or_null(const void* pointer) const { return !pointer || holds(pointer); }
};

const std::set<uint32_t> kFlagSets = {0x3, 0x7, 0x83, 0x87, 0x4003, 0x4083};

void check_element(const ElementHeader& e, const GaugeHeader& gauge, const Image& image,
                   const std::string& name, int depth) {
  CHECK_MSG(depth < 16 && image.holds(&e), name);
  if (depth >= 16 || !image.holds(&e)) return;
  CHECK_MSG(e.kind >= kElementStaticImage && e.kind <= kElementSprite,
            name + " kind " + std::to_string(e.kind));
  CHECK_MSG(e.gauge == &gauge, name + ": the element's gauge");
  CHECK_MSG(kFlagSets.count(e.image_flags & ~0x80000000u) == 1,
            name + ": flags " + std::to_string(e.image_flags));
  for (const FailureRecord* f = e.failures; f && f->key; ++f)
    CHECK_MSG(f->key > 0 && f->key <= 21 && f->action >= kFailNone && f->action <= kFailNoDraw,
              name + ": failure record");
  if (e.kind == kElementNeedle) {
    CHECK_MSG(image.holds_or_null(reinterpret_cast<const void*>(
                  reinterpret_cast<const ElementNeedle&>(e).callback)),
              name + ": needle callback");
  } else if (e.kind == kElementString) {
    const auto& s = reinterpret_cast<const ElementString&>(e);
    const std::string font = s.font;
    CHECK_MSG(e.resource_id == -1 && (font == "Quartz" || font == "Arial"),
              name + ": font " + font);
    CHECK_MSG(s.char_height == s.box.height && s.charset == 1 && s.draw_flags == 0x25 &&
                  (s.weight == 400 || s.weight == 700),
              name + ": text record");
    CHECK_MSG(image.holds(reinterpret_cast<const void*>(s.callback)), name + ": string callback");
  } else if (e.kind == kElementIcon) {
    const auto& icon = reinterpret_cast<const ElementIcon&>(e);
    CHECK_MSG(icon.offset == 0 && icon.image_count >= 1 && (icon.scale == 0 || icon.scale == 1),
              name + ": icon");
    CHECK_MSG(image.holds_or_null(reinterpret_cast<const void*>(icon.callback)),
              name + ": icon callback");
  } else if (e.kind == kElementSprite) {
    const auto& sprite = reinterpret_cast<const ElementSprite&>(e);
    CHECK_MSG(sprite.texture_scale_x == 1.0f && sprite.texture_scale_y == 1.0f, name);
  }
  for (ElementHeader* const* child = e.next; child && *child; ++child)
    check_element(**child, gauge, image, name, depth + 1);
}

void check_mouse_list(const MouseRect* rect, const Image& image, const std::string& name) {
  for (int i = 0; rect && i < 200; ++i, ++rect) {
    CHECK_MSG(rect->kind >= kMouseEnd && rect->kind <= kMouseTooltip, name + " mouse kind");
    if (rect->kind == kMouseEnd) return;
    const auto* function = reinterpret_cast<const void*>(rect->function);
    if (rect->kind == kMouseChild) {
      CHECK_MSG((function != nullptr) != (rect->event_id != 0), name + ": event or function");
      CHECK_MSG(image.holds_or_null(function), name + ": mouse function");
    }
    if (rect->kind != kMouseTooltip) continue;
    // The tooltip's own words: box 0, cursor -1, flags 0, count, text and argument list.
    CHECK_MSG(rect->box.x == 0 && rect->box.y == 0 && rect->cursor == -1 &&
                  rect->mouse_flags == 0,
              name + ": tooltip record");
    const uint32_t count = rect->tooltip_arg_count;
    const std::string tip = rect->tooltip_text ? rect->tooltip_text : "";
    CHECK_MSG(count <= 10 && (count == 0) == (rect->tooltip_args == nullptr),
              name + ": tooltip arguments");
    CHECK_MSG(count == 0 || tip.find('%') != std::string::npos, name + ": tooltip text " + tip);
    for (uint32_t a = 0; a < count; ++a) {
      const TooltipArg& arg = rect->tooltip_args[a];
      const auto* number = reinterpret_cast<const void*>(arg.number);
      const auto* text = reinterpret_cast<const void*>(arg.text);
      CHECK_MSG((number != nullptr) != (text != nullptr) && !arg.id &&
                    image.holds(number ? number : text),
                name + ": one callback per tooltip argument");
    }
  }
}

// A gauge as the gauge table names and sizes it, its element tree and mouse list.
void check_gauge(const GaugeHeader& gauge, const crv5::GaugeRow& row, const Image& image) {
  const std::string name = row.name;
  CHECK_MSG(image.holds(gauge.name) && std::strcmp(gauge.name, row.name) == 0, name);
  CHECK_MSG(gauge.version == kGaugeHeaderVersion && !gauge.parameters && gauge.flags == 0, name);
  CHECK_MSG(!gauge.query && !gauge.install && !gauge.initialize && !gauge.update &&
                !gauge.generate && !gauge.draw && !gauge.kill,
            name + ": an old-style routine");
  CHECK_MSG(gauge.size_x_mm == row.width_mm && gauge.size_y_mm == 0, name + " width");
  CHECK_MSG((gauge.callback != nullptr) == row.has_callback &&
                image.holds_or_null(reinterpret_cast<const void*>(gauge.callback)),
            name + ": gauge callback");
  const ElementHeader* root = gauge.elements ? gauge.elements[0] : nullptr;
  CHECK_MSG(root && root->kind == kElementStaticImage, name + ": a static root");
  if (root) check_element(*root, gauge, image, name, 0);
  check_mouse_list(gauge.mouse_rects, image, name);
}

// The exported records, listing the gauges of the gauge table.
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
  const Image image{uintptr_t(module),
                    uintptr_t(module) + headers(module)->OptionalHeader.SizeOfImage};
  for (int i = 0; i < kMaxGauges; ++i) {
    CHECK_MSG(linkage->gauges[i], crv5::kGaugeTable[i].name);
    if (linkage->gauges[i]) check_gauge(*linkage->gauges[i], crv5::kGaugeTable[i], image);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::string path = argc > 1 ? argv[1] : "CRV5_Instr.gau";
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
  return crv5::windows_test::report("gau_module_test");
}
