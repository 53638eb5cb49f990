// The built CRV5_Instr.gau's records as Windows loaded and relocated them: every gauge's element
// tree and mouse list holds what the simulator expects of it, and every pointer in them (children,
// back-pointers, callbacks, texts) lies inside the loaded image. Where each field lies is checked
// while compiling (module/gauge_layout.h, its 32-bit column).
//
//   gau_records_test [PATH.gau]     (default: CRV5_Instr.gau beside the program)
#include <windows.h>

#include <cstdint>
#include <set>
#include <string>

#include "module/gauge.h"
#include "tests/windows/windows_check.h"

namespace {

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

void check_gauge(const GaugeHeader& gauge, const Image& image) {
  const std::string name = image.holds(gauge.name) ? gauge.name : "?";
  CHECK_MSG(gauge.version == kGaugeHeaderVersion, name);
  CHECK_MSG(!gauge.query && !gauge.install && !gauge.initialize && !gauge.update &&
                !gauge.generate && !gauge.draw && !gauge.kill,
            name + ": an old-style routine");
  CHECK_MSG(gauge.size_x_mm >= 19 && gauge.size_x_mm <= 150 && gauge.size_y_mm == 0,
            name + " width");
  CHECK_MSG(!gauge.parameters && gauge.flags == 0, name);
  CHECK_MSG(image.holds_or_null(reinterpret_cast<const void*>(gauge.callback)),
            name + ": gauge callback");
  const ElementHeader* root = gauge.elements ? gauge.elements[0] : nullptr;
  CHECK_MSG(root && root->kind == kElementStaticImage, name + ": a static root");
  if (root) check_element(*root, gauge, image, name, 0);
  check_mouse_list(gauge.mouse_rects, image, name);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string path = crv5::windows_test::module_path(argc, argv);
  HMODULE module = LoadLibraryA(path.c_str());
  CHECK_MSG(module != nullptr, "cannot load " + path);
  if (!module) return crv5::windows_test::report("gau_records_test");
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(module);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(
      reinterpret_cast<const unsigned char*>(module) + dos->e_lfanew);
  const Image image{uintptr_t(module), uintptr_t(module) + nt->OptionalHeader.SizeOfImage};
  const auto* linkage = reinterpret_cast<const GaugeLinkage*>(GetProcAddress(module, "Linkage"));
  CHECK(linkage != nullptr);
  int gauges = 0;
  for (; linkage && gauges < kMaxGauges && linkage->gauges[gauges]; ++gauges)
    check_gauge(*linkage->gauges[gauges], image);
  CHECK(gauges == 90);
  FreeLibrary(module);
  return crv5::windows_test::report("gau_records_test");
}
