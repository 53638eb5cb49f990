// The built CRV5_Instr.gau's records read as the simulator reads them: at the byte offsets of the
// simulator's published gauge interface, written here from its description and not from
// module/gauge.h, so that the header and this reading cannot drift apart together.
//
//   gau_records_test [PATH.gau]     (default: CRV5_Instr.gau beside the program)
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <string>

#include "tests/windows/windows_check.h"

namespace {

// Offsets of the simulator's records (32-bit, 4-byte packing).
namespace linkage { constexpr int kId = 0, kVersion = 20, kGauges = 24; }
namespace header {
constexpr int kVersion = 0, kName = 4, kElements = 8, kFirstRoutine = 12, kLastRoutine = 36,
              kSizeX = 44, kSizeY = 48, kMouse = 80, kCallback = 84, kParameters = 92, kFlags = 196;
}
namespace element {
constexpr int kKind = 0, kResource = 4, kGauge = 32, kNext = 40, kFailures = 44, kFlags = 48;
}
namespace needle { constexpr int kCallback = 224; }
namespace string {
constexpr int kBox = 192, kFont = 248, kWeight = 280, kCharset = 284, kDrawFlags = 288,
              kHeight = 308, kCallback = 312;
}
namespace icon { constexpr int kScale = 100, kOffset = 108, kCount = 112, kCallback = 132; }
namespace sprite { constexpr int kScaleX = 180, kScaleY = 184; }
namespace mouse {
constexpr int kSize = 44, kBox = 4, kCursor = 20, kFlags = 28, kEvent = 32, kFunction = 36,
              kApiData = 40;
}
namespace tooltip_arg { constexpr int kSize = 72, kNumber = 60, kId = 64, kText = 68; }
constexpr int kFailureRecordSize = 12;

const unsigned char* bytes(uintptr_t address) {
  return reinterpret_cast<const unsigned char*>(address);
}
uint32_t word(uintptr_t record, int offset) {
  uint32_t value;
  std::memcpy(&value, bytes(record + offset), 4);
  return value;
}
int32_t signed_word(uintptr_t record, int offset) { return int32_t(word(record, offset)); }
float single(uintptr_t record, int offset) {
  float value;
  std::memcpy(&value, bytes(record + offset), 4);
  return value;
}
double real(uintptr_t record, int offset) {
  double value;
  std::memcpy(&value, bytes(record + offset), 8);
  return value;
}
std::string text(uintptr_t address) {
  return address ? reinterpret_cast<const char*>(address) : "";
}

struct Image {
  uintptr_t base, end;
  bool holds(uint32_t address) const { return address >= base && address < end; }
};

const std::set<uint32_t> kFlagSets = {0x3, 0x7, 0x83, 0x87, 0x4003, 0x4083};

void check_element(uintptr_t e, uintptr_t gauge, const Image& image, const std::string& name,
                   int depth) {
  CHECK_MSG(depth < 16, name);
  if (depth >= 16) return;
  const int32_t kind = signed_word(e, element::kKind);
  CHECK_MSG(kind >= 0 && kind <= 6, name + " kind " + std::to_string(kind));
  CHECK_MSG(word(e, element::kGauge) == gauge, name + ": element's gauge at +32");
  CHECK_MSG(kFlagSets.count(word(e, element::kFlags) & ~0x80000000u) == 1,
            name + ": flags at +48 " + std::to_string(word(e, element::kFlags)));
  for (uint32_t f = word(e, element::kFailures); f; f += kFailureRecordSize) {
    const int32_t key = signed_word(f, 0), action = signed_word(f, 4);
    if (key == 0) break;
    CHECK_MSG(key > 0 && key <= 21 && action >= 0 && action <= 3, name + ": failure record");
  }
  auto callback_in_module = [&](int offset, const char* what) {
    const uint32_t callback = word(e, offset);
    CHECK_MSG(callback == 0 || image.holds(callback), name + ": " + what);
  };
  switch (kind) {
    case 1: callback_in_module(needle::kCallback, "needle callback at +224"); break;
    case 2:
      CHECK_MSG(signed_word(e, element::kResource) == -1, name);
      CHECK_MSG(text(e + string::kFont) == "Quartz" || text(e + string::kFont) == "Arial",
                name + ": font at +248 " + text(e + string::kFont));
      CHECK_MSG(word(e, string::kHeight) == word(e, string::kBox + 4), name + ": height at +308");
      CHECK_MSG(bytes(e)[string::kCharset] == 1 && word(e, string::kDrawFlags) == 0x25, name);
      CHECK_MSG(word(e, string::kWeight) == 400 || word(e, string::kWeight) == 700, name);
      CHECK_MSG(image.holds(word(e, string::kCallback)), name + ": string callback at +312");
      break;
    case 4:
      CHECK_MSG(word(e, icon::kOffset) == 0 && word(e, icon::kCount) >= 1, name + ": icon");
      CHECK_MSG(real(e, icon::kScale) == 0 || real(e, icon::kScale) == 1, name + ": icon scale");
      callback_in_module(icon::kCallback, "icon callback at +132");
      break;
    case 6:
      CHECK_MSG(single(e, sprite::kScaleX) == 1.0f && single(e, sprite::kScaleY) == 1.0f, name);
      break;
    default: break;
  }
  for (uint32_t list = word(e, element::kNext); list; list += 4) {
    const uint32_t child = word(list, 0);
    if (!child) break;
    check_element(child, gauge, image, name, depth + 1);
  }
}

void check_mouse_list(uintptr_t rect, const Image& image, const std::string& name) {
  for (int i = 0; rect && i < 200; ++i, rect += mouse::kSize) {
    const int32_t kind = signed_word(rect, 0);
    CHECK_MSG(kind >= 0 && kind <= 4, name + " mouse kind");
    if (kind == 0) return;
    if (kind == 2) {
      const uint32_t function = word(rect, mouse::kFunction);
      CHECK_MSG((function != 0) != (word(rect, mouse::kEvent) != 0), name + ": event or function");
      CHECK_MSG(function == 0 || image.holds(function), name + ": mouse function at +36");
    }
    if (kind != 4) continue;
    // The tooltip's own words: box 0, cursor -1, flags 0, count, text and argument list.
    CHECK_MSG(word(rect, mouse::kBox) == 0 && word(rect, mouse::kBox + 4) == 0 &&
                  signed_word(rect, mouse::kCursor) == -1 && word(rect, mouse::kFlags) == 0,
              name + ": tooltip record");
    const uint32_t count = word(rect, mouse::kEvent), args = word(rect, mouse::kApiData);
    const std::string tip = text(word(rect, mouse::kFunction));
    CHECK_MSG(count <= 10 && (count == 0) == (args == 0), name + ": tooltip arguments");
    CHECK_MSG(count == 0 || tip.find('%') != std::string::npos, name + ": tooltip text " + tip);
    for (uint32_t a = 0; a < count; ++a) {
      const uintptr_t arg = args + a * tooltip_arg::kSize;
      const uint32_t number = word(arg, tooltip_arg::kNumber);
      const uint32_t text_fn = word(arg, tooltip_arg::kText);
      CHECK_MSG((number != 0) != (text_fn != 0) && word(arg, tooltip_arg::kId) == 0,
                name + ": one callback per tooltip argument");
      CHECK_MSG(image.holds(number ? number : text_fn), name + ": tooltip callback");
    }
  }
}

void check_gauge(uintptr_t gauge, const Image& image) {
  const std::string name = text(word(gauge, header::kName));
  CHECK_MSG(word(gauge, header::kVersion) == 800, name);
  for (int at = header::kFirstRoutine; at <= header::kLastRoutine; at += 4)
    CHECK_MSG(word(gauge, at) == 0, name + ": old-style routine at +" + std::to_string(at));
  const uint32_t width = word(gauge, header::kSizeX);
  CHECK_MSG(width >= 19 && width <= 150 && word(gauge, header::kSizeY) == 0, name + " width");
  CHECK_MSG(word(gauge, header::kParameters) == 0 && word(gauge, header::kFlags) == 0, name);
  const uint32_t callback = word(gauge, header::kCallback);
  CHECK_MSG(callback == 0 || image.holds(callback), name + ": gauge callback at +84");
  const uint32_t root = word(word(gauge, header::kElements), 0);
  CHECK_MSG(root && signed_word(root, element::kKind) == 0, name + ": a static root");
  if (root) check_element(root, gauge, image, name, 0);
  check_mouse_list(word(gauge, header::kMouse), image, name);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string path = crv5::windows_test::module_path(argc, argv);
  HMODULE module = LoadLibraryA(path.c_str());
  CHECK_MSG(module != nullptr, "cannot load " + path);
  if (!module) return crv5::windows_test::report("gau_records_test");
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(module);
  const auto* nt =
      reinterpret_cast<const IMAGE_NT_HEADERS32*>(bytes(uintptr_t(module) + dos->e_lfanew));
  const Image image{uintptr_t(module), uintptr_t(module) + nt->OptionalHeader.SizeOfImage};
  const auto linkage = reinterpret_cast<uintptr_t>(GetProcAddress(module, "Linkage"));
  CHECK(linkage && word(linkage, linkage::kId) == 0x13 && word(linkage, linkage::kVersion) == 0x900);
  int gauges = 0;
  for (; linkage && word(linkage, linkage::kGauges + 4 * gauges); ++gauges) {
    const uintptr_t gauge = word(linkage, linkage::kGauges + 4 * gauges);
    check_gauge(gauge, image);
  }
  CHECK(gauges == 90);
  FreeLibrary(module);
  return crv5::windows_test::report("gau_records_test");
}
