// crv5_art_preview: contact sheets of the artwork, for looking at it.
//
//   crv5_art_preview --bitmaps DIR --out PREFIX [--zoom K] [--gauge NAME,...] [--poses N] [--bitmap-ids ID,...]
//
// PREFIX-bitmaps.png shows every drawn bitmap on a checkerboard (to see what is transparent);
// PREFIX-gauges.png shows gauges assembled from their own records, their needles placed by the
// host's needle rule at several values and their icons in each state.
#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/eval/needle_angle.h"
#include "resources/art/dial_scale.h"
#include "resources/art/style.h"
#include "resources/resource_script.h"

namespace fs = std::filesystem;
using namespace crv5::art;

namespace {

fs::path bitmaps_dir;
double zoom = 1.0;           // gauge sheet scale
std::string only_gauge;      // gauge sheet: this gauge only
size_t max_poses = 99;       // gauge sheet: at most this many poses a gauge
std::string only_bitmaps;    // bitmap sheet: these ids only

cairo_surface_t* load(int32_t id) {
  static std::map<int32_t, cairo_surface_t*> cache;
  if (auto it = cache.find(id); it != cache.end()) return it->second;
  const fs::path file = bitmaps_dir / (std::to_string(id) + ".png");
  cairo_surface_t* s = fs::exists(file) ? cairo_image_surface_create_from_png(file.c_str()) : nullptr;
  return cache[id] = s;
}

void checkerboard(cairo_t* cr, double x, double y, double w, double h) {
  for (int i = 0; i * 8 < w; ++i)
    for (int j = 0; j * 8 < h; ++j) {
      const double g = (i + j) % 2 ? 0.55 : 0.65;
      cairo_set_source_rgb(cr, g, g, g);
      cairo_rectangle(cr, x + i * 8, y + j * 8, std::min(8.0, w - i * 8), std::min(8.0, h - j * 8));
      cairo_fill(cr);
    }
}

void label(cairo_t* cr, double x, double y, const std::string& text) {
  cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, 11);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_move_to(cr, x, y);
  cairo_show_text(cr, text.c_str());
}

void bitmap_sheet(const fs::path& out) {
  constexpr int kCell = 320, kColumns = 6;
  std::vector<const crv5::resources::BitmapResource*> drawn;
  for (const auto& b : crv5::resources::kBitmaps) {
    const bool wanted = only_bitmaps.empty() ||
        ("," + only_bitmaps + ",").find("," + std::to_string(b.id) + ",") != std::string::npos;
    if (b.art == crv5::resources::Art::kDrawn && wanted) drawn.push_back(&b);
  }
  const int rows = int(drawn.size() + kColumns - 1) / kColumns;
  cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kColumns * kCell, rows * kCell);
  cairo_t* cr = cairo_create(sheet);
  cairo_set_source_rgb(cr, 0.2, 0.2, 0.25);
  cairo_paint(cr);
  for (size_t i = 0; i < drawn.size(); ++i) {
    const auto& b = *drawn[i];
    const double x = (i % kColumns) * kCell + 10, y = (i / kColumns) * kCell + 10;
    const double k = std::min(zoom, 290.0 / std::max(b.width, b.height));  // small ones enlarged
    checkerboard(cr, x, y, b.width * k, b.height * k);
    if (cairo_surface_t* s = load(b.id)) {
      cairo_save(cr);
      cairo_translate(cr, x, y);
      cairo_scale(cr, k, k);
      cairo_set_source_surface(cr, s, 0, 0);
      cairo_paint(cr);
      cairo_restore(cr);
    }
    label(cr, x, y + 302, std::to_string(b.id) + "  " + std::to_string(b.width) + "x" +
                              std::to_string(b.height));
  }
  cairo_surface_write_to_png(sheet, out.c_str());
  cairo_destroy(cr);
  cairo_surface_destroy(sheet);
}

// What to show: a value for each needle (by bitmap), an image index for each icon (by bitmap).
struct Pose {
  std::string caption;
  std::map<int32_t, double> needles;
  std::map<int32_t, int> icons;
};

void draw_tree(cairo_t* cr, ElementHeader* const* list, const Pose& pose) {
  for (; list && *list; ++list) {
    const ElementHeader& e = **list;
    int32_t id = e.resource_id;
    if (e.kind == kElementIcon) {
      auto it = pose.icons.find(e.resource_id);
      const int index = it == pose.icons.end() ? 0 : it->second;
      id = index < 0 ? -1 : e.resource_id + index;
    }
    cairo_surface_t* s = id >= 0 ? load(id) : nullptr;
    if (s) {
      cairo_save(cr);
      if (e.kind == kElementNeedle) {
        const auto& n = reinterpret_cast<const ElementNeedle&>(e);
        auto it = pose.needles.find(e.resource_id);
        const double v = it == pose.needles.end() ? 0 : it->second;
        const double a = gaugehost::needle_angle(n.table, n.table_size, e.position, v);
        cairo_translate(cr, e.position.x, e.position.y);
        cairo_rotate(cr, (a - 90) * M_PI / 180);
        cairo_set_source_surface(cr, s, -e.pivot.x, -e.pivot.y);
      } else {
        cairo_set_source_surface(cr, s, e.position.x, e.position.y);
      }
      cairo_paint(cr);
      cairo_restore(cr);
    }
    draw_tree(cr, e.next, pose);
  }
}

int32_t background_of(const char* gauge) {
  const GaugeHeader& g = find_gauge(gauge);
  return g.elements && g.elements[0] ? g.elements[0]->resource_id : -1;
}

struct GaugeRow {
  const char* gauge;
  std::vector<Pose> poses;
};

void gauge_sheet(const fs::path& out, const std::vector<GaugeRow>& rows) {
  const int kCell = int(320 * zoom);
  size_t columns = 0;
  for (const auto& r : rows) columns = std::max(columns, r.poses.size());
  // Each row is as tall as its gauge.
  std::vector<double> row_top{0};
  for (const auto& r : rows) {
    cairo_surface_t* b = load(background_of(r.gauge));
    const double w = b ? cairo_image_surface_get_width(b) : 300;
    const double h = b ? cairo_image_surface_get_height(b) : 300;
    row_top.push_back(row_top.back() + zoom * std::min(1.0, 295.0 / std::max(w, h)) * h + 30);
  }
  cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, int(columns) * kCell,
                                                      int(row_top.back()));
  cairo_t* cr = cairo_create(sheet);
  cairo_set_source_rgb(cr, 0.25, 0.25, 0.28);
  cairo_paint(cr);
  for (size_t r = 0; r < rows.size(); ++r) {
    const GaugeHeader& g = find_gauge(rows[r].gauge);
    cairo_surface_t* background = load(background_of(rows[r].gauge));
    const double w = background ? cairo_image_surface_get_width(background) : 300;
    const double h = background ? cairo_image_surface_get_height(background) : 300;
    const double k = zoom * std::min(1.0, 295.0 / std::max(w, h));
    for (size_t c = 0; c < rows[r].poses.size(); ++c) {
      const double x = c * kCell + 10, y = row_top[r] + 8;
      cairo_save(cr);
      cairo_translate(cr, x, y);
      cairo_scale(cr, k, k);
      draw_tree(cr, g.elements, rows[r].poses[c]);
      cairo_restore(cr);
      label(cr, x, y + h * k + 14, std::string(rows[r].gauge) + ": " + rows[r].poses[c].caption);
    }
  }
  cairo_surface_write_to_png(sheet, out.c_str());
  cairo_destroy(cr);
  cairo_surface_destroy(sheet);
}

double rpm(double r) { return r / 91.37; }

std::vector<GaugeRow> gauge_rows() {
  return {
      {"Engine_RPM", {{"0 RPM", {{470, rpm(0)}, {480, rpm(0)}}},
                      {"3300 RPM", {{470, rpm(3300)}, {480, rpm(3300)}}},
                      {"5000 RPM", {{470, rpm(5000)}, {480, rpm(5000)}}},
                      {"7450 RPM", {{470, rpm(7450)}, {480, rpm(7450)}}},
                      {"9137 RPM (100%)", {{470, 100}, {480, 100}}}}},
      {"Engine_Corrected_N1", {{"0 %", {{1450, 0}, {1440, 0}}},
                               {"23 %", {{1450, 23}, {1440, 23}}},
                               {"60 %", {{1450, 60}, {1440, 60}}},
                               {"100 %", {{1450, 100}, {1440, 100}}},
                               {"110 %", {{1450, 110}, {1440, 110}}}}},
      {"Engine_Corrected_N2", {{"87 %", {{1450, 87}, {1440, 87}}}}},
      {"Fuel_Quantity", {{"G 0 D 0", {{2040, 0}, {2050, 0}}},
                         {"G 100 D 250", {{2040, 100}, {2050, 250}}},
                         {"G 500 D 650", {{2040, 500}, {2050, 650}}},
                         {"G 1100 D 1000", {{2040, 1100}, {2050, 1000}}}}},
      {"Starter_Board", {{"cold: guards closed", {}, {{4240, 0}, {4220, 0}, {4250, 0}, {4230, -1}, {4260, 0}}},
                         {"guards open, off", {}, {{4240, 0}, {4220, 2}, {4250, 1}, {4230, -1}, {4260, 0}}},
                         {"ready, starting", {}, {{4240, 1}, {4220, 3}, {4250, 2}, {4230, 0}, {4260, 1}}},
                         {"running, guarded", {}, {{4240, 1}, {4220, 1}, {4250, 0}, {4230, -1}, {4260, 0}}}}},
      {"Gear_Lamps", {{"up", {}, {{3400, -1}, {3410, -1}, {3420, -1}, {3430, -1}}},
                      {"in transit", {}, {{3400, -1}, {3410, -1}, {3420, -1}, {3430, 0}}},
                      {"down", {}, {{3400, 0}, {3410, 0}, {3420, 0}, {3430, -1}}}}},
      {"Gear_Lever", {{"up", {}, {{2310, 0}}}, {"down", {}, {{2310, 1}}}}},
      {"Parking_Brake", {{"released", {}, {{2200, 0}}}, {"locked", {}, {{2200, 1}}}}},
      {"Parachute", {{"pushed", {}, {{2290, 0}}}, {"pulled", {}, {{2290, 1}}}}},
      {"Fuel_Qty_Switch", {{"INT", {}, {{4080, 0}}}, {"TOT", {}, {{4080, 1}}}}},
      {"Stop_Blinking_Fuel_Knob", {{"not blinking", {}, {{3490, 0}}}, {"blinking", {}, {{3490, 1}}}}},
      {"Fuel_Lamps_Test_Knob", {{"released", {}, {{4000, 0}}}, {"pressed", {}, {{4000, 1}}}}},
      {"Low_Fuel_Level_Light", {{"dark", {}, {{2490, -1}}}, {"lit", {}, {{2490, 0}}}}},
      {"Low_Fuel_Press_Light", {{"dark", {}, {{1010, -1}}}, {"lit", {}, {{1010, 0}}}}},
      {"Ten_Minutes_Flight_Light", {{"dark", {}, {{3330, -1}}}, {"lit", {}, {{3330, 0}}}}},
      {"Gear_Light_Green", {{"dark", {}, {{2330, -1}}}, {"lit", {}, {{2330, 0}}}}},
      {"Gear_Warning_Light", {{"dark", {}, {{2370, -1}}}, {"lit", {}, {{2370, 0}}}}},
      {"Parachute_Light", {{"dark", {}, {{300, -1}}}, {"lit", {}, {{300, 0}}}}},
      {"Engine_Off", {{"plug", {}}}},
  };
}

}  // namespace

int main(int argc, char** argv) {
  try {
    std::string prefix;
    for (int i = 1; i + 1 < argc; i += 2) {
      const std::string a = argv[i];
      if (a == "--bitmaps") bitmaps_dir = argv[i + 1];
      else if (a == "--out") prefix = argv[i + 1];
      else if (a == "--zoom") zoom = std::stod(argv[i + 1]);
      else if (a == "--gauge") only_gauge = argv[i + 1];
      else if (a == "--poses") max_poses = std::stoul(argv[i + 1]);
      else if (a == "--bitmap-ids") only_bitmaps = argv[i + 1];
    }
    if (bitmaps_dir.empty() || prefix.empty())
      throw std::runtime_error("usage: crv5_art_preview --bitmaps DIR --out PREFIX");
    bitmap_sheet(prefix + "-bitmaps.png");
    std::vector<GaugeRow> rows = gauge_rows();
    if (!only_gauge.empty()) std::erase_if(rows, [](const GaugeRow& r) {
        return ("," + only_gauge + ",").find("," + std::string(r.gauge) + ",") == std::string::npos;
      });
    for (GaugeRow& r : rows)
      if (r.poses.size() > max_poses) r.poses.resize(max_poses);
    gauge_sheet(prefix + "-gauges.png", rows);
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "crv5_art_preview: " << e.what() << "\n";
    return 1;
  }
}
