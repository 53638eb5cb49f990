// Registration: the aircraft's registration placard, a black plate with one line of text. It
// shows the simulator's ATC identifier (its first word, underscores as blanks), or a fixed text.
// Its parameter text may say, in one-letter commands:
//   t<text>  the text to show instead of the identifier; only as the very first character
//   r<n> g<n> b<n>  the red, green and blue of the text (0 to 255; beyond, or negative, 255)
//   f<font>  the font: the rest of the parameter text, which therefore ends before the "f"
// "/", "#" or "'" begins a comment.
//
// Reads: the ATC identifier by calculator, "(A:ATC ID,string)", every update; the parameter
// text. Writes: registration_atc_id; the text element's font and colour at installation.
// Sends no events.
#include "controls/registration.h"

#include <algorithm>
#include <cstring>

#include "module/gauges.h"
#include "module/records.h"
#include "module/services.h"
#include "module/text.h"

namespace crv5 {

const char* registration_atc_id = nullptr;

namespace registration {

namespace {

// The parameter text ends before its "f" command: the font name is never read as anything else.
const char* text_end(const char* parameters) {
  const char* font = find_command(parameters, 'f');
  return font ? font : parameters + std::strlen(parameters);
}

// A command of the parameter text before its end.
const char* find_before_end(const char* parameters, char letter) {
  const char* found = find_command(parameters, letter);
  return found && found < text_end(parameters) ? found : nullptr;
}

}  // namespace

void placard_text(const char* parameters, const char* atc_id, char* text, size_t chars) {
  const char* source = atc_id;
  size_t limit = chars;
  if (parameters && parameters[0] == 't') {
    source = parameters + 1;
    limit = std::min(limit, static_cast<size_t>(text_end(parameters) - source));
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

// A colour component as written, then held to 255: above it, and negative numbers (which are
// above it when read unsigned), give 255.
uint32_t component(const char* parameters, char letter, uint32_t present) {
  const char* found = registration::find_before_end(parameters, letter);
  if (!found) return present;
  const uint32_t value = static_cast<uint32_t>(read_int(found + 1));
  return value > 255 ? 255 : value;
}

void apply_options(const char* parameters, ElementString& text) {
  if (const char* font = find_command(parameters, 'f')) {
    // Into the record's own face name: 31 characters and the terminator.
    std::strncpy(text.font, font + 1, sizeof text.font - 1);
    text.font[sizeof text.font - 1] = '\0';
  }
  const uint32_t colour = text.foreground;  // 0x00BBGGRR
  const uint32_t red = component(parameters, 'r', colour & 0xFF);
  const uint32_t green = component(parameters, 'g', (colour >> 8) & 0xFF);
  const uint32_t blue = component(parameters, 'b', (colour >> 16) & 0xFF);
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
