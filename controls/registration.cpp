// Registration: the aircraft's registration placard, a black plate with one line of text. It
// shows the simulator's ATC identifier (its first word, underscores as blanks), or a fixed text.
// Its parameter text may give a fixed text, the text's colour and its font
// (common/parameter_text.h).
//
// Reads: the ATC identifier by calculator, "(A:ATC ID,string)", every update; the parameter
// text. Writes: registration_atc_id; the text element's font and colour at installation.
// Sends no events.
#include "controls/registration.h"

#include <algorithm>
#include <cstring>

#include "common/parameter_text.h"
#include "module/gauges.h"
#include "module/records.h"
#include "module/services.h"

namespace crv5 {

const char* registration_atc_id = nullptr;

namespace registration {

void placard_text(const char* parameters, const char* atc_id, char* text, size_t chars) {
  const char* source = atc_id;
  size_t limit = chars;
  if (const parameter_text::PlacardText fixed = parameter_text::placard_fixed_text(parameters);
      fixed.start) {
    source = fixed.start;
    limit = std::min(limit, fixed.length);
  }
  size_t n = 0;
  if (source)
    for (; n < limit && source[n] != '\0'; ++n) text[n] = source[n];
  text[n] = '\0';
  if (char* blank = const_cast<char*>(find_command(text, ' '))) *blank = '\0';
  while (char* underscore = const_cast<char*>(find_command(text, '_'))) *underscore = ' ';
}

}  // namespace registration
}  // namespace crv5

namespace registration_placard {
using namespace crv5;

constexpr const char* kAtcId = "(A:ATC ID,string)";
// The face name a placard may be given fits the record's own, with its terminator.
static_assert(sizeof(ElementString::font) == parameter_text::kLongestPlacardFont + 1);

double CRV5_CALL placard_rule(ElementString*);

extern ElementString placard_text;

// clang-format off
ElementStaticImage plate    = static_image({.gauge = &gauge_Registration, .bitmap = 50, .position = {0, 0}, .flags = kCoverFlags, .next = children<&placard_text>});
ElementString placard_text  = text_string({ .gauge = &gauge_Registration,               .position = {0, 0}, .callback = placard_rule, .box = {150, 25}, .chars = 7,
                                            .foreground = 0xFFFFFF, .background = 0x000000, .highlight = 0x5C5C5C, .font = "Arial", .weight = 400, .flags = kCoverFlags});
// clang-format on

MouseRect mouse[] = {
    mouse_parent(),
    mouse_parent_end(),
    mouse_end(),
};

double CRV5_CALL placard_rule(ElementString* text) {
  if (text->text)
    registration::placard_text(text->header.gauge ? text->header.gauge->parameters : nullptr,
                               registration_atc_id, text->text,
                               std::min<size_t>(7, static_cast<size_t>(text->char_count)));
  return text->source[0].value.f;
}

void apply_options(const char* parameters, ElementString& text) {
  if (const char* font = parameter_text::placard_font(parameters)) {
    // Into the record's own face name: 31 characters and the terminator.
    std::strncpy(text.font, font, sizeof text.font - 1);
    text.font[sizeof text.font - 1] = '\0';
  }
  const uint32_t colour = text.foreground;  // 0x00BBGGRR
  const uint32_t red = parameter_text::placard_colour(parameters, 'r', colour & 0xFF);
  const uint32_t green = parameter_text::placard_colour(parameters, 'g', (colour >> 8) & 0xFF);
  const uint32_t blue = parameter_text::placard_colour(parameters, 'b', (colour >> 16) & 0xFF);
  text.foreground = red | green << 8 | blue << 16;
}

// The placard's plate and its text, as the gauge's elements hold them; null when either is absent.
ElementString* text_element(GaugeHeader& gauge) {
  ElementHeader* plate = gauge.elements ? gauge.elements[0] : nullptr;
  ElementHeader* text = plate && plate->next ? plate->next[0] : nullptr;
  return text && text->kind == kElementString ? reinterpret_cast<ElementString*>(text) : nullptr;
}

void CRV5_CALL placard_service(GaugeHeader* gauge, int32_t service_id, uintptr_t) {
  if (service_id == kServicePreInstall && gauge && gauge->parameters && *gauge->parameters) {
    if (ElementString* text = text_element(*gauge)) apply_options(gauge->parameters, *text);
  }
  if (service_id == kServicePreUpdate) registration_atc_id = calculate_text(kAtcId);
}

}  // namespace registration_placard

GaugeHeader gauge_Registration =
    crv5::gauge_header(crv5::GaugeId::Registration, crv5::element_list<&registration_placard::plate>,
                       registration_placard::mouse, registration_placard::placard_service);
