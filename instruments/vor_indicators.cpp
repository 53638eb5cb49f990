// VOR1_Indicator and VOR2_Indicator: the course indicators of the two navigation receivers, one
// piece of code bound to a row per receiver. Each has a course window and knob, a course
// deviation needle, a glide-slope needle, glide-slope and range OFF flags, and a heading pointer
// showing the aircraft's heading against the selected course in the sectors around straight ahead
// and straight behind; VOR1 also has the marker lamp. Everything follows the receiver's power.
//
// Reads, per receiver (VOR1 / VOR2): course deviation 40 / 50, glide-slope deviation 41 / 882,
// glide-slope flag 44 / 53, to/from flag 43 / 52 (a whole number; 0: no usable station),
// selected course 45 / 54 (degrees); token 84 (gyro heading, degrees); token 354 (marker state,
// VOR1); nav1_power / nav2_power.
// Writes nothing module-wide. Sends: the course knob's set event, 0x100b4 / 0x100b5. No sounds.
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "common/whole_number.h"
#include "instruments/angle_knob.h"
#include "module/gauges.h"
#include "module/records.h"
#include "module/services.h"
#include "mechanics/radio_state.h"

namespace vor_indicators {
using namespace crv5;

constexpr uint32_t kGyroHeading = 84;  // degrees
constexpr uint32_t kMarkerState = 354;
constexpr double kMarkerLit = 2;       // the lamp lights only at this state
constexpr double kParked = 90;         // the heading pointer at 3 o'clock
constexpr uint32_t kKnobFlags = kLeftOrRight | kMouseRepeat;  // 0xa0200000

// What one indicator is bound to, and where the two differ.
struct Receiver {
  GaugeId gauge;
  const int32_t* power;       // the receiver's main switch
  uint32_t deviation;         // token, -127 to 127
  uint32_t glide_slope;       // token, -119 to 119
  uint32_t glide_slope_flag;  // token: 0 no glide slope, 1 received
  uint32_t to_from;           // token, a whole number: 0 no usable station
  uint32_t course;            // token, degrees
  uint32_t course_event;      // sets the receiver's course
  bool powered_needles;       // the needles drop to 0 without power (else they follow the token)
  bool deviation_first;       // the deviation needle is drawn before the glide-slope needle
  uint32_t window_flags;      // image flags of the course window
  bool marker_lamp;           // the marker lamp, between the glass and the course knob
  int32_t failure_key;        // the receiver's failure key
  PixBox dial_area;           // the dial's tooltip area
  const char* dial_tooltip;
  const char* knob_tooltip;
};

// clang-format off
constexpr Receiver kVor1 = {.gauge = GaugeId::VOR1_Indicator, .power = &nav1_power, .deviation = 40, .glide_slope = 41,  .glide_slope_flag = 44, .to_from = 43, .course = 45, .course_event = 0x100b4, .powered_needles = true,  .deviation_first = true,  .window_flags = kReadoutFlags, .marker_lamp = true,  .failure_key = 14, .dial_area = {28, 0, 176, 320}, .dial_tooltip = "VOR 1 Indicator (%2!s!)", .knob_tooltip = "Selected VOR 1 course (%1!d!\xB0)"};
constexpr Receiver kVor2 = {.gauge = GaugeId::VOR2_Indicator, .power = &nav2_power, .deviation = 50, .glide_slope = 882, .glide_slope_flag = 53, .to_from = 52, .course = 54, .course_event = 0x100b5, .powered_needles = false, .deviation_first = false, .window_flags = kLampFlags,    .marker_lamp = false, .failure_key = 15, .dial_area = {0, 0, 320, 244},  .dial_tooltip = "VOR 2 Indicator (%2!s!)", .knob_tooltip = "Selected VOR 2 course (%1!d!\xB0)"};
// clang-format on

// Needle tables, shared by both indicators.
NonlinearityEntry heading_table[] = {  // degrees; 0 straight up, on round the whole dial
    {.point = {159, 88}, .value = 0.0},
    {.point = {159, 248}, .value = 180.0},
};
NonlinearityEntry deviation_table[] = {
    {.point = {221, 168}, .value = 127.0},
    {.point = {98, 168}, .value = -127.0},
};
NonlinearityEntry glide_slope_table[] = {
    {.point = {160, 107}, .value = -119.0},
    {.point = {160, 230}, .value = 119.0},
};
NonlinearityEntry knob_table[] = {  // half a turn per 30 degrees of course, on without end
    {.point = {40, 261}, .value = 0.0},
    {.point = {40, 301}, .value = 30.0},
};

// The heading pointer's value: d = heading - course, not wrapped; parked at 3 o'clock without
// power or station and in the open sectors 45 to 135 degrees either side.
double heading_pointer_value(bool powered, bool station, double heading, double course) {
  if (!powered || !station) return kParked;
  const double d = heading - course;
  if (d < -45 && d > -135) return kParked;
  if (d > 45 && d < 135) return kParked;
  return d;
}

// Writes the course as three figures, rounded; a course that does not fit in three characters (or
// is no number) shows "---".
void write_course(char* text, size_t size, double course) {
  const bool fits = std::isfinite(course) && course < 999.5 && course > -99.5;
  if (!fits)
    std::snprintf(text, size, "---");
  else if (size < 4 || !common::format_whole_number(course, text, 3, '0'))
    std::snprintf(text, size, "%03.0f", course);  // a text too short for three figures
}

template <const Receiver& Row>
struct VorIndicator {
  static constexpr GaugeHeader* gauge = header_of(Row.gauge);
  static bool powered() { return *Row.power != 0; }

  // Failures: the dial's key does nothing; needles and flags show zero on it or on key 21, and
  // freeze on key 20.
  static constexpr const FailureRecord* dial_failures = failures<FailureRecord{Row.failure_key, kFailNone}>;
  static constexpr const FailureRecord* needle_failures =
      failures<FailureRecord{Row.failure_key, kFailZero}, FailureRecord{21, kFailZero}, FailureRecord{20, kFailFreeze}>;

  static ElementStaticImage dial, mask, glass;
  static ElementNeedle heading_pointer, deviation, glide_slope, course_knob;
  static ElementIcon glide_slope_flag, range_flag, marker_lamp;
  static ElementString course_window;

  // The element drawn after the heading pointer, after each needle, and after the glass.
  static constexpr ElementHeader* const* after_pointer = Row.deviation_first ? children<&deviation> : children<&glide_slope>;
  static constexpr ElementHeader* const* after_deviation = Row.deviation_first ? children<&glide_slope> : children<&mask>;
  static constexpr ElementHeader* const* after_glide_slope = Row.deviation_first ? children<&mask> : children<&deviation>;
  static constexpr ElementHeader* const* after_glass = Row.marker_lamp ? children<&marker_lamp> : children<&course_knob>;

  // A needle or flag that drops to 0 while the receiver is off.
  static double CRV5_CALL powered_needle(ElementNeedle* e) { return powered() ? e->source.value.f : 0; }
  static double CRV5_CALL powered_flag(ElementIcon* e) { return powered() ? e->source.value.f : 0; }

  // 1 (blank) with power and a usable station, else 0 (OFF).
  static double CRV5_CALL range_flag_rule(ElementIcon* e) { return powered() && e->source.value.u32 != 0 ? 1 : 0; }

  static double CRV5_CALL marker_rule(ElementIcon* e) { return powered() && e->source.value.f == kMarkerLit ? 0 : -1; }

  // A difference that is no number leaves the pointer where it was.
  static double CRV5_CALL heading_pointer_rule(ElementNeedle*) {
    static double last = kParked;
    const double heading = read_var(kGyroHeading);
    if (!powered()) return last = kParked;
    const bool station = read_var_u32(Row.to_from) != 0;
    const double value = heading_pointer_value(true, station, heading, read_var(Row.course));
    if (std::isfinite(value)) last = value;
    return last;
  }

  static double CRV5_CALL course_text(ElementString* e) {
    const double course = e->source[0].value.f;
    if (e->text) write_course(e->text, size_t(e->char_count) + 1, course);
    return course;
  }

  static double CRV5_CALL course_degrees(CRV5_TOOLTIP_PARAMS) { return whole_degrees_or_zero(read_var(Row.course)); }
  static const char* CRV5_CALL power_word(CRV5_TOOLTIP_PARAMS) { return powered() ? "active" : "off"; }

  // One argument list for both tooltips.
  static constexpr TooltipArg tooltip_args[] = {tooltip_number(course_degrees), tooltip_text(power_word)};
  static constexpr TooltipText dial_tooltip = tooltip(Row.dial_tooltip, tooltip_args);
  static constexpr TooltipText knob_tooltip = tooltip(Row.knob_tooltip, tooltip_args);

  // A left click on the increase half goes from 359 to 0.
  static constexpr KnobWrap kCourseWrap = {.top = 359, .wraps_to = 0};
  static Bool32 CRV5_CALL course_decrease(ClickRecord*, uint32_t flags) {
    knob_click(Row.course, Row.course_event, false, flags, kCourseWrap);
    return false;
  }
  static Bool32 CRV5_CALL course_increase(ClickRecord*, uint32_t flags) {
    knob_click(Row.course, Row.course_event, true, flags, kCourseWrap);
    return false;
  }

  static constexpr size_t kMouseSize = Row.marker_lamp ? 13 : 11;
  static constexpr std::array<MouseRect, kMouseSize> make_mouse() {
    std::array<MouseRect, kMouseSize> list{};
    size_t n = 0;
    list[n++] = mouse_parent();
    list[n++] = mouse_parent(Row.dial_area);
    list[n++] = mouse_tooltip(&dial_tooltip);
    list[n++] = mouse_parent_end();
    list[n++] = mouse_parent({3, 244, 74, 74});  // course knob
    list[n++] = mouse_tooltip(&knob_tooltip);
    list[n++] = mouse_parent_end();
    if (Row.marker_lamp) {
      list[n++] = mouse_parent({253, 18, 56, 56}, 43848);
      list[n++] = mouse_parent_end();
    }
    list[n++] = mouse_child({3, 244, 37, 74}, kCursorDownArrow, kKnobFlags, course_decrease);
    list[n++] = mouse_child({40, 244, 37, 74}, kCursorUpArrow, kKnobFlags, course_increase);
    list[n++] = mouse_parent_end();
    list[n++] = mouse_end();
    return list;
  }
  static inline std::array<MouseRect, kMouseSize> mouse = make_mouse();
};

// clang-format off
template <const Receiver& R> ElementStaticImage VorIndicator<R>::dial          = static_image({.gauge = gauge, .bitmap = 1400, .position = {0, 0},                                                                                                                                                       .flags = kDialFlags,     .failures = dial_failures,          .next = children<&heading_pointer>});
template <const Receiver& R> ElementNeedle VorIndicator<R>::heading_pointer    = needle({      .gauge = gauge, .bitmap = 1380, .position = {159, 168}, .pivot = {39, 12},                        .callback = heading_pointer_rule,                         .table = heading_table,     .flags = kNeedleFlags,   .failures = needle_failures,        .next = after_pointer});
template <const Receiver& R> ElementNeedle VorIndicator<R>::deviation          = needle({      .gauge = gauge, .bitmap = 1330, .position = {158, 93},  .pivot = {-7, 2}, .source = R.deviation,   .callback = R.powered_needles ? powered_needle : nullptr, .table = deviation_table,   .flags = kNeedleFlags,   .failures = needle_failures,        .next = after_deviation});
template <const Receiver& R> ElementNeedle VorIndicator<R>::glide_slope        = needle({      .gauge = gauge, .bitmap = 1390, .position = {77, 168},  .pivot = {0, 2},  .source = R.glide_slope, .callback = R.powered_needles ? powered_needle : nullptr, .table = glide_slope_table, .flags = kNeedleFlags,   .failures = needle_failures,        .next = after_glide_slope});
template <const Receiver& R> ElementStaticImage VorIndicator<R>::mask          = static_image({.gauge = gauge, .bitmap = 1340, .position = {0, 0},                                                                                                                                                       .flags = kNeedleFlags,                                       .next = children<&glide_slope_flag>});
template <const Receiver& R> ElementIcon VorIndicator<R>::glide_slope_flag     = icon({        .gauge = gauge, .bitmap = 1350, .position = {75, 148},  .source = R.glide_slope_flag, .callback = powered_flag,    .images = 2,                                                                  .flags = kNeedleFlags,   .failures = needle_failures,        .next = children<&range_flag>});
template <const Receiver& R> ElementIcon VorIndicator<R>::range_flag           = icon({        .gauge = gauge, .bitmap = 1370, .position = {134, 232}, .source = R.to_from,          .callback = range_flag_rule, .images = 2,                                                                  .flags = kNeedleFlags,   .failures = needle_failures,        .next = children<&course_window>});
template <const Receiver& R> ElementString VorIndicator<R>::course_window      = text_string({ .gauge = gauge,                 .position = {130, 43},  .sources = {R.course, R.course}, .callback = course_text, .box = {66, 26}, .chars = 3, .foreground = 0xffffff, .background = 0x000000, .highlight = 0xffffff, .font = "Arial", .weight = 700, .flags = R.window_flags, .failures = kHiddenOnFailure21, .next = children<&glass>});
template <const Receiver& R> ElementStaticImage VorIndicator<R>::glass         = static_image({.gauge = gauge, .bitmap = 1320, .position = {0, 0},                                                                                                                                                       .flags = kCoverFlags,                                        .next = after_glass});
template <const Receiver& R> ElementIcon VorIndicator<R>::marker_lamp          = icon({        .gauge = gauge, .bitmap = 1310, .position = {253, 18},  .source = kMarkerState,       .callback = marker_rule,     .images = 1,                                                                  .flags = kLampFlags,     .failures = kHiddenOnFailure21,     .next = children<&course_knob>});
template <const Receiver& R> ElementNeedle VorIndicator<R>::course_knob        = needle({      .gauge = gauge, .bitmap = 1410, .position = {40, 281},  .pivot = {37, 37}, .source = R.course,                                                               .table = knob_table,        .flags = kFilteredFlags});
// clang-format on

template <const Receiver& Row>
consteval GaugeHeader indicator_header() {
  return gauge_header(Row.gauge, element_list<&VorIndicator<Row>::dial>, VorIndicator<Row>::mouse.data());
}

}  // namespace vor_indicators

GaugeHeader gauge_VOR1_Indicator = vor_indicators::indicator_header<vor_indicators::kVor1>();
GaugeHeader gauge_VOR2_Indicator = vor_indicators::indicator_header<vor_indicators::kVor2>();
