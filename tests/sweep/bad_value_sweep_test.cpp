// The bad-value sweep: every gauge of the module placed at once, and every token variable and
// calculator result any of them reads set in turn to the values that break careless code (NaN,
// the infinities, the largest and smallest doubles, 0 and -1; for the integer variables all bits,
// and codes outside their band). After each value every gauge is updated, evaluated and drawn,
// every click area is clicked and every tooltip read. The sweep passes when nothing crashes (in a
// sanitized build: no sanitizer reports), every angle and position that reaches the drawing is
// finite, and every text a gauge writes is ended within its character count.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <set>
#include <sstream>

#include "host/audio/audio.h"
#include "host/mouse/hit_testing.h"
#include "host/panel/session.h"
#include "host/render/panel_renderer.h"
#include "host/render/session_render.h"
#include "host/sim/variables.h"

namespace gaugehost {
namespace {

namespace fs = std::filesystem;
using render::DisplayList;

const fs::path kModule = fs::path(CRV5_BUILD_DIR) / "CRV5_Instr.gau";

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Values for the variables that hold a 64-bit float.
const double kBadFloats[] = {kNaN, kInf, -kInf, 1e308, -1e308,
                             std::numeric_limits<double>::denorm_min(), 0, -1};
// Values for the packed-decimal and bit-set variables: nothing, every bit, and codes outside the
// band (nibbles above 9, a frequency or code beyond its range, the top bit alone).
const uint32_t kBadIntegers[] = {0,          0xFFFFFFFFu, 0xFFFFu, 0xAAAAu, 0x9999u,
                                 0x1FFFFu,   0x80000000u, 0xDEADBEEFu};

// --- What the gauges read, recorded on the way to the session's own services ---

struct Reads {
  std::set<uint32_t> vars;
  std::set<std::string> calculations;
};

HostServices session_services;
Reads* recorded = nullptr;

void CRV5_CALL record_lookup(ModuleVar* var) {
  if (var) recorded->vars.insert(var->id);
  session_services.lookup_var(var);
}
Bool32 CRV5_CALL record_calculation(const char* code, double* number, int32_t* integer,
                                    const char** text) {
  if (code) recorded->calculations.insert(code);
  return session_services.execute_calculator_code(code, number, integer, text);
}

// The token variables an element tree reads through its records.
void element_sources(const EvaluatedElement& e, std::set<uint32_t>& vars) {
  const auto add = [&](const ModuleVar& var) {
    if (var.id != 0) vars.insert(var.id);
  };
  switch (e.kind) {
    case kElementNeedle: add(reinterpret_cast<const ElementNeedle*>(e.record)->source); break;
    case kElementIcon: add(reinterpret_cast<const ElementIcon*>(e.record)->source); break;
    case kElementString:
      for (const ModuleVar& var : reinterpret_cast<const ElementString*>(e.record)->source) add(var);
      break;
    case kElementSlider: {
      const auto* slider = reinterpret_cast<const ElementSlider*>(e.record);
      add(slider->x.source), add(slider->y.source);
      break;
    }
    case kElementMovingImage: {
      const auto* image = reinterpret_cast<const ElementMovingImage*>(e.record);
      add(image->x.source), add(image->y.source);
      break;
    }
    case kElementSprite: {
      const auto* sprite = reinterpret_cast<const ElementSprite*>(e.record);
      add(sprite->x.source), add(sprite->y.source), add(sprite->rotation.source);
      break;
    }
    default: break;
  }
  for (const EvaluatedElement& child : e.children) element_sources(child, vars);
}

// The token variables the tooltips' arguments read.
void tooltip_sources(const MouseRect* list, std::set<uint32_t>& vars) {
  for (const MouseRect* rect = list; rect && rect->kind != kMouseEnd; ++rect) {
    if (rect->kind != kMouseTooltip || !rect->tooltip_args) continue;
    for (uint32_t i = 0; i < rect->tooltip_arg_count; ++i)
      if (rect->tooltip_args[i].source.id != 0) vars.insert(rect->tooltip_args[i].source.id);
  }
}

// --- The checks ---

bool finite(std::initializer_list<double> values) {
  return std::ranges::all_of(values, [](double v) { return std::isfinite(v); });
}
bool finite(const render::Affine& t) { return finite({t.a, t.b, t.c, t.d, t.e, t.f}); }
bool finite(const render::Rect& r) { return finite({r.x, r.y, r.width, r.height}); }

// The first operation of a display list that would draw at a place that is no number.
std::string non_finite_op(const DisplayList& list) {
  for (size_t i = 0; i < list.ops.size(); ++i) {
    if (const auto* image = std::get_if<render::ImageOp>(&list.ops[i])) {
      if (!finite(image->transform) || !finite(image->clip.window_transform) ||
          !finite(image->clip.rect))
        return "image " + std::to_string(image->resource_id) + " (operation " +
               std::to_string(i) + ")";
    } else if (const auto* text = std::get_if<render::TextOp>(&list.ops[i])) {
      if (!finite(text->box)) return "text \"" + text->text + "\"";
    }
  }
  return "";
}

// Calls a text string's callback again on a buffer of exactly char_count + 1 bytes that holds the
// text as it stands, ended, and bytes that are not ends after it: the callback must leave an end
// within the buffer. The host's own buffer is handed back afterwards.
bool text_ended(ElementString& string, const char* host_buffer) {
  if (!string.callback) return true;
  const size_t capacity = size_t(string.char_count) + 1;
  auto buffer = std::make_unique<char[]>(capacity);
  std::memset(buffer.get(), 0x7F, capacity);
  const size_t kept = std::min(host_buffer ? std::strlen(host_buffer) : 0, capacity - 1);
  if (kept) std::memcpy(buffer.get(), host_buffer, kept);
  buffer[kept] = '\0';
  char* const host_text = string.text;
  string.text = buffer.get();
  string.callback(&string);
  string.text = host_text;
  return std::memchr(buffer.get(), '\0', capacity) != nullptr;
}

void string_elements(EvaluatedElement& e, std::vector<ElementString*>& strings) {
  if (e.kind == kElementString) strings.push_back(reinterpret_cast<ElementString*>(e.record));
  for (EvaluatedElement& child : e.children) string_elements(child, strings);
}

PixPoint centre(const PixBox& box) {
  return {box.x + std::max(0, box.width) / 2, box.y + std::max(0, box.height) / 2};
}

// "WHAT = VALUE", the value as a double or, for the integer variables, in hex.
template <typename Value>
std::string described(const std::string& what, Value value) {
  std::ostringstream out;
  out << what << " = " << std::showbase << (std::is_integral_v<Value> ? std::hex : std::dec)
      << value;
  return out.str();
}

class BadValueSweep : public ::testing::Test {
 protected:
  void SetUp() override {
    audio::set_backend(audio::Backend::silent);  // clicks by the thousand: keep no sounds
    std::unique_ptr<Module> module = Module::load(kModule);
    Module& loaded = *module;
    session_ = std::make_unique<Session>(std::move(module));
    recorded = &reads_;
    const auto* imports = static_cast<const ImportTableRecord*>(
        dlsym(reinterpret_cast<void*>(session_->module_handle()), "ImportTable"));
    services_ = session_services = *static_cast<const HostServices*>(imports->services.pointer);
    services_.lookup_var = record_lookup;
    services_.execute_calculator_code = record_calculation;
    loaded.attach(&services_);
    for (GaugeHeader* header : loaded.gauges()) session_->place_gauge(header->name);
    session_->connect();
    images_ = std::make_unique<render::ImageStore>(
        render::ImageStore::for_module(session_->module_handle()));
    renderer_ = std::make_unique<render::PanelRenderer>(*images_);
  }

  void TearDown() override {
    renderer_.reset();
    images_.reset();
    session_.reset();
    recorded = nullptr;
    audio::set_backend(audio::Backend::recording);
  }

  // One round: update, draw, click every area, read every tooltip; records what fails under
  // `setting`.
  void round(const std::string& setting) {
    session_->update();
    for (size_t w = 0; w < session_->windows().size(); ++w)
      renderer_->update_window(&session_->windows()[w], render::window_view(*session_, w), 1.0,
                               {});
    for (const auto& gauge : session_->gauges()) check_gauge(*gauge, setting);
    for (const auto& gauge : session_->gauges()) use_mouse(*gauge);
    session_->sim().take_events();
  }

  void check_gauge(GaugeInstance& gauge, const std::string& setting) {
    const DisplayList list = render::build_display_list(gauge.root, images_->sizes());
    if (const std::string op = non_finite_op(list); !op.empty())
      fail(gauge.name + ": " + op + " drawn at a place that is no number, with " + setting);
    std::vector<ElementString*> strings;
    string_elements(gauge.root, strings);
    for (ElementString* string : strings)
      if (!text_ended(*string, gauge.evaluation_cache.text_buffer(string)))
        fail(gauge.name + ": a text not ended within its " + std::to_string(string->char_count) +
             " characters, with " + setting);
  }

  void use_mouse(GaugeInstance& gauge) {
    for (const PlacedArea& area :
         place_mouse_areas(gauge.header->mouse_rects, gauge.bitmap_size)) {
      const PixPoint at = centre(area.box);
      (void)session_->tooltip(gauge, at);
      if (area.rect->kind != kMouseChild) continue;
      if (area_takes(*area.rect, kMouseLeftSingle)) {
        session_->click(gauge, at, MouseButton::left, 2);
        session_->drag(gauge, {at.x + 1, at.y + 1});
      }
      if (area_takes(*area.rect, kMouseRightSingle))
        session_->click(gauge, at, MouseButton::right, 1);
    }
  }

  void fail(const std::string& problem) {
    if (failures_.insert(problem).second && failures_.size() <= 40) ADD_FAILURE() << problem;
  }

  // Everything the gauges read: their records' sources and tooltip arguments, and what they look
  // up and calculate during a round.
  void discover() {
    round("every variable 0");
    for (const auto& gauge : session_->gauges()) {
      element_sources(gauge->root, reads_.vars);
      tooltip_sources(gauge->header->mouse_rects, reads_.vars);
    }
  }

  template <typename Value, size_t N>
  void sweep_var(uint32_t id, const Value (&values)[N]) {
    for (Value value : values) {
      session_->sim().set_var(id, value);
      round(described("variable " + std::to_string(id), value));
    }
    session_->sim().set_var(id, 0);
  }

  std::unique_ptr<Session> session_;
  std::unique_ptr<render::ImageStore> images_;
  std::unique_ptr<render::PanelRenderer> renderer_;
  HostServices services_{};
  Reads reads_;
  std::set<std::string> failures_;
};

TEST_F(BadValueSweep, EveryGaugeStandsEveryBadValueOfEveryVariableAndCalculationItReads) {
  ASSERT_EQ(session_->gauges().size(), 90u);
  discover();
  ASSERT_GT(reads_.vars.size(), 50u) << "the gauges read their variables through the host";
  // A value may lead a gauge to read variables it did not read before (a powered radio, a switch
  // moved by a click): those are swept too, until no new one turns up.
  std::set<uint32_t> swept;
  while (swept.size() < reads_.vars.size()) {
    const std::set<uint32_t> vars = reads_.vars;
    for (uint32_t id : vars) {
      if (!swept.insert(id).second) continue;
      if (SimState::is_integer_var(id))
        sweep_var(id, kBadIntegers);
      else
        sweep_var(id, kBadFloats);
    }
  }
  std::printf("swept %zu token variables through %zu gauges\n", swept.size(),
              session_->gauges().size());
  // The host keeps only the variables of its table: one the gauges read beyond it could be
  // neither swept nor set by a panel designer.
  for (uint32_t id : swept)
    EXPECT_NE(find_variable(id), nullptr) << "variable " << id << " is read but not in the host's table";

  // And every calculator expression they ask for, with bad numbers and texts.
  ASSERT_FALSE(reads_.calculations.empty());
  const std::set<std::string> calculations = reads_.calculations;
  std::printf("sweeping %zu calculator expressions\n", calculations.size());
  const std::string long_text(300, 'W');
  for (const std::string& expression : calculations) {
    for (double value : kBadFloats) {
      session_->sim().set_calc_number(expression, value);
      round(described("calculator \"" + expression + "\"", value));
    }
    for (const std::string& text : {std::string(), long_text, std::string("A B_C\xB0") + long_text}) {
      session_->sim().set_calc_text(expression, text);
      round("calculator \"" + expression + "\" = a text of " + std::to_string(text.size()) +
            " bytes");
    }
    session_->sim().set_calc_number(expression, 0);
    session_->sim().set_calc_text(expression, "");
  }
  EXPECT_TRUE(failures_.empty()) << failures_.size() << " problems";
}

}  // namespace
}  // namespace gaugehost
