// crv5_artgen: draws every bitmap the resource script marks as drawn, writes each as a PNG, and
// writes the module's ResourceDirectory source that embeds the PNGs and the WAVE files. For the
// 32-bit Windows build it also writes each bitmap as a BMP file and the windres script that makes
// them and the waves the DLL's BITMAP and WAVE resources.
//
//   crv5_artgen --out DIR [--fonts FONTS.CONF] [--wave ID=FILE]... [--panel-art DIR]
//
// DIR/bitmaps/ID.png, DIR/resource_directory.cpp, DIR/windows/ID.bmp and DIR/windows/CRV5_Instr.rc
// are rewritten only when their bytes change, so that an unchanged picture does not rebuild the
// module. With --panel-art, the default cockpit's window backgrounds are written there as BMP
// files too.
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/bmp.h"
#include "resources/art/panel_backgrounds.h"
#include "resources/art/painters.h"
#include "resources/art/style/cairo_owners.h"
#include "resources/resource_script.h"

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

namespace {

using crv5::resources::Art;
using crv5::resources::BitmapResource;

struct Options {
  fs::path out;
  fs::path fonts;
  std::map<int32_t, fs::path> waves;
  fs::path panel_art;
};

Options parse(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (i + 1 >= argc) throw std::runtime_error("option " + a + " needs a value");
    const std::string v = argv[++i];
    if (a == "--out") {
      o.out = v;
    } else if (a == "--fonts") {
      o.fonts = v;
    } else if (a == "--panel-art") {
      o.panel_art = v;
    } else if (a == "--wave") {
      const auto eq = v.find('=');
      if (eq == std::string::npos) throw std::runtime_error("--wave expects ID=FILE, got " + v);
      o.waves[std::stoi(v.substr(0, eq))] = v.substr(eq + 1);
    } else {
      throw std::runtime_error("unknown option " + a);
    }
  }
  if (o.out.empty()) throw std::runtime_error("usage: crv5_artgen --out DIR [--fonts FILE] [--wave ID=FILE]...");
  return o;
}

void use_fonts(const fs::path& conf) {
  if (conf.empty()) return;
  FcInit();
  // Fontconfig reads a relative name against its own folder: hand it the full path.
  const std::string path = fs::absolute(conf).string();
  if (!FcConfigParseAndLoad(FcConfigGetCurrent(), reinterpret_cast<const FcChar8*>(path.c_str()),
                            FcTrue))
    throw std::runtime_error("cannot load the font mapping " + conf.string());
}

cairo_status_t append(void* closure, const unsigned char* data, unsigned int length) {
  auto* bytes = static_cast<Bytes*>(closure);
  bytes->insert(bytes->end(), data, data + length);
  return CAIRO_STATUS_SUCCESS;
}

// The bitmap drawn by its painter on a transparent surface of the script's size.
crv5::art::SurfaceOwner draw(const BitmapResource& b, const crv5::art::Painter& paint) {
  crv5::art::SurfaceOwner surface(
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, b.width, b.height));
  cairo_status_t status;
  {
    const crv5::art::ContextOwner cr(cairo_create(surface.get()));
    paint(cr.get(), {double(b.width), double(b.height)});
    status = cairo_status(cr.get());
  }
  if (status != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error("bitmap " + std::to_string(b.id) + ": " +
                             cairo_status_to_string(status));
  return surface;
}

Bytes png_bytes(int32_t id, cairo_surface_t* surface) {
  Bytes png;
  const cairo_status_t status = cairo_surface_write_to_png_stream(surface, append, &png);
  if (status != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error("bitmap " + std::to_string(id) + ": cannot encode: " +
                             cairo_status_to_string(status));
  return png;
}

// A 24-bit BMP file of the surface, as the simulator's bitmaps are (gauge bitmaps and window
// backgrounds alike): pure black (0, 0, 0) is the transparent colour. Pixels less than half
// covered become black; the others take their own colour, and one that is itself pure black is
// lifted to (1, 1, 1) so that it stays drawn.
Bytes bmp_bytes(cairo_surface_t* surface) {
  cairo_surface_flush(surface);
  const int width = cairo_image_surface_get_width(surface);
  const int height = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* pixels = cairo_image_surface_get_data(surface);
  crv5::common::RgbaImage image{width, height, std::vector<uint8_t>(size_t(width) * height * 4)};
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(pixels + ptrdiff_t(y) * stride);
    for (int x = 0; x < width; ++x) {
      const uint32_t argb = row[x];  // premultiplied
      const uint32_t alpha = argb >> 24;
      uint32_t rgb[3] = {(argb >> 16) & 0xff, (argb >> 8) & 0xff, argb & 0xff};
      if (alpha < 128) {
        rgb[0] = rgb[1] = rgb[2] = 0;
      } else {
        for (uint32_t& c : rgb) c = std::min(255u, (c * 255 + alpha / 2) / alpha);
        if (rgb[0] == 0 && rgb[1] == 0 && rgb[2] == 0) rgb[0] = rgb[1] = rgb[2] = 1;
      }
      uint8_t* out = &image.pixels[(size_t(y) * width + x) * 4];
      out[0] = uint8_t(rgb[0]);
      out[1] = uint8_t(rgb[1]);
      out[2] = uint8_t(rgb[2]);
      out[3] = 255;
    }
  }
  return crv5::common::write_bmp(image);
}

// A window background: drawn like a bitmap, written as a BMP like one.
Bytes draw_background(const crv5::art::PanelBackground& b) {
  const crv5::art::SurfaceOwner surface(
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, int(b.size.width), int(b.size.height)));
  {
    const crv5::art::ContextOwner cr(cairo_create(surface.get()));
    b.paint(cr.get(), b.size);
    if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS)
      throw std::runtime_error(b.file + ": " + cairo_status_to_string(cairo_status(cr.get())));
  }
  return bmp_bytes(surface.get());
}

Bytes read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

void write_if_changed(const fs::path& path, const Bytes& bytes) {
  if (fs::exists(path) && read_file(path) == bytes) return;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

uint64_t fnv1a(const Bytes& bytes) {
  uint64_t h = 1469598103934665603ull;
  for (unsigned char c : bytes) h = (h ^ c) * 1099511628211ull;
  return h;
}

struct Embedded {
  std::string type;
  int32_t id;
  fs::path file;
  Bytes bytes;
  fs::path windows_file;  // what the Windows resource script names
  std::string symbol() const { return "crv5_resource_" + type + "_" + std::to_string(id); }
};

// A path the assembler's .incbin can quote as it is.
std::string incbin_path(const fs::path& file) {
  const std::string path = fs::absolute(file).string();
  if (path.find_first_of("\"\\\n") != std::string::npos)
    throw std::runtime_error("cannot embed " + path + ": quotes, backslashes and line breaks are not "
                             "allowed in the build folder's path");
  return path;
}

std::string directory_source(const std::vector<Embedded>& items) {
  std::ostringstream s;
  s << "// Generated by crv5_artgen from resources/resource_script.h: do not edit.\n"
       "#pragma GCC visibility push(default)\n"
       "#include \"module/resources.h\"\n"
       "#pragma GCC visibility pop\n\n"
       "// The resources' bytes, included from the files by the assembler.\n"
       "__asm__(\".pushsection .rodata.crv5_resources,\\\"a\\\",@progbits\\n\"\n";
  for (const Embedded& e : items)
    s << "        \".balign 16\\n.globl " << e.symbol() << "\\n.hidden " << e.symbol() << "\\n"
      << e.symbol() << ":\\n.incbin \\\"" << incbin_path(e.file) << "\\\"\\n\"\n";
  s << "        \".popsection\\n\");\n\nextern \"C\" {\n\n";
  for (const Embedded& e : items)
    s << "extern const unsigned char " << e.symbol() << "[] __attribute__((visibility(\"hidden\")));\n";
  s << "\nconst ResourceEntry ResourceDirectory[] = {\n";
  for (const Embedded& e : items) {
    char hash[32];
    std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(fnv1a(e.bytes)));
    s << "    {\"" << (e.type == "bitmap" ? "BITMAP" : "WAVE") << "\", " << e.id << ", "
      << e.symbol() << ", " << e.bytes.size() << "},  // " << hash << "\n";
  }
  s << "    {nullptr, 0, nullptr, 0},\n};\n\n}  // extern \"C\"\n";
  return s.str();
}

// The windres script of the Windows DLL: every bitmap as a BITMAP resource, every wave as a WAVE
// resource, by the resource script's ids.
std::string windows_resource_script(const std::vector<Embedded>& items) {
  std::ostringstream s;
  s << "// Generated by crv5_artgen from resources/resource_script.h: do not edit.\n"
       "// The BITMAP and WAVE resources of the 32-bit Windows CRV5_Instr.gau.\n";
  for (const Embedded& e : items)
    s << e.id << (e.type == "bitmap" ? " BITMAP \"" : " WAVE \"") << incbin_path(e.windows_file)
      << "\"\n";
  return s.str();
}

void check_script(const crv5::art::Painters& painters) {
  std::set<int32_t> ids;
  for (const BitmapResource& b : crv5::resources::kBitmaps) {
    if (!ids.insert(b.id).second)
      throw std::runtime_error("bitmap " + std::to_string(b.id) + " is listed twice");
    if (b.art == Art::kDrawn && !painters.count(b.id))
      throw std::runtime_error("bitmap " + std::to_string(b.id) + " is listed as drawn but has no painter");
    if (b.art == Art::kDrawn && (b.width <= 0 || b.height <= 0))
      throw std::runtime_error("bitmap " + std::to_string(b.id) + " is drawn but has no size");
  }
  for (const auto& [id, paint] : painters)
    if (!ids.count(id))
      throw std::runtime_error("painter for bitmap " + std::to_string(id) + " is not in the script");
}

int run(const Options& o) {
  use_fonts(o.fonts);
  const crv5::art::Painters painters = crv5::art::all_painters();
  check_script(painters);

  fs::create_directories(o.out / "bitmaps");
  fs::create_directories(o.out / "windows");
  std::vector<Embedded> items;
  for (const BitmapResource& b : crv5::resources::kBitmaps) {
    if (b.art != Art::kDrawn) continue;
    const std::string name = std::to_string(b.id);
    const crv5::art::SurfaceOwner surface = draw(b, painters.at(b.id));
    Embedded e{"bitmap", b.id, o.out / "bitmaps" / (name + ".png"), png_bytes(b.id, surface.get()),
               o.out / "windows" / (name + ".bmp")};
    write_if_changed(e.file, e.bytes);
    write_if_changed(e.windows_file, bmp_bytes(surface.get()));
    items.push_back(std::move(e));
  }
  for (const auto& [id, file] : o.waves) items.push_back({"wave", id, file, read_file(file), file});

  if (!o.panel_art.empty()) {
    fs::create_directories(o.panel_art);
    for (const crv5::art::PanelBackground& b : crv5::art::corvane_backgrounds())
      write_if_changed(o.panel_art / b.file, draw_background(b));
  }

  const std::string source = directory_source(items);
  write_if_changed(o.out / "resource_directory.cpp", Bytes(source.begin(), source.end()));
  const std::string script = windows_resource_script(items);
  write_if_changed(o.out / "windows" / "CRV5_Instr.rc", Bytes(script.begin(), script.end()));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return run(parse(argc, argv));
  } catch (const std::exception& e) {
    std::cerr << "crv5_artgen: " << e.what() << "\n";
    return 1;
  }
}
