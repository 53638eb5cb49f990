#include "common/parameter_text.h"

#include <cctype>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <limits>

namespace crv5 {

const char* find_command(const char* text, char letter) {
  if (!text) return nullptr;
  const char* found = std::strchr(text, letter);
  if (!found) return nullptr;
  for (char comment : {'/', '#', '\''}) {
    const char* start = std::strchr(text, comment);
    if (start && start <= found) return nullptr;
  }
  return found;
}

int32_t read_int(const char* text) {
  if (!text) return 0;
  while (std::isspace(static_cast<unsigned char>(*text))) ++text;
  bool negative = false;
  if (*text == '+' || *text == '-') negative = (*text++ == '-');
  int64_t magnitude = 0;
  constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  for (; std::isdigit(static_cast<unsigned char>(*text)); ++text) {
    magnitude = magnitude * 10 + (*text - '0');
    if (magnitude > kLimit) magnitude = kLimit;
  }
  const int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(value);
}

bool starts_with_number(const char* text) {
  if (!text) return false;
  while (*text == ' ' || *text == '\t') ++text;
  if (*text == '+' || *text == '-') ++text;
  return std::isdigit(static_cast<unsigned char>(*text)) != 0;
}

namespace parameter_text {

namespace {

struct Named {
  const char* name;
  int32_t id;
};

constexpr Named kWindows[] = {
    {"TOGGLE_RADIO_WINDOW", 43910},    {"TOGGLE_GPS_WINDOW", 43911},
    {"TOGGLE_THROTTLE_WINDOW", 43912}, {"TOGGLE_COMPASS_WINDOW", 43913},
    {"TOGGLE_FUEL_WINDOW", 43914},     {"TOGGLE_COLLECTIVE_WINDOW", 43915},
};
constexpr int32_t kFirstHostHelpId = 40960;
constexpr int32_t kFirstButtonBitmap = 100;
constexpr int32_t kLastButtonBitmap = 190;

template <class Entry, size_t N>
const Entry* named_at(const char* value, const Entry (&names)[N]) {
  for (const Entry& n : names)
    if (std::strncmp(value, n.name, std::strlen(n.name)) == 0) return &n;
  return nullptr;
}

}  // namespace

int engine_number(const char* parameters) {
  for (char digit : {'1', '2', '3', '4'})
    if (find_command(parameters, digit)) return digit - '0';
  return 1;
}

unsigned engines_named(const char* parameters) {
  unsigned engines = 0;
  for (char digit : {'1', '2', '3', '4'})
    if (find_command(parameters, digit)) engines |= 1u << (digit - '1');
  return engines;
}

const char* placard_commands_end(const char* parameters) {
  const char* font = find_command(parameters, 'f');
  return font ? font : parameters + std::strlen(parameters);
}

const char* placard_command(const char* parameters, char letter) {
  const char* found = find_command(parameters, letter);
  return found && found < placard_commands_end(parameters) ? found : nullptr;
}

const char* placard_font(const char* parameters) {
  const char* font = find_command(parameters, 'f');
  return font ? font + 1 : nullptr;
}

PlacardText placard_fixed_text(const char* parameters) {
  if (!parameters || parameters[0] != 't') return {nullptr, 0};
  return {parameters + 1, static_cast<size_t>(placard_commands_end(parameters) - (parameters + 1))};
}

uint32_t placard_colour(const char* parameters, char letter, uint32_t present) {
  const char* found = placard_command(parameters, letter);
  if (!found) return present;
  const uint32_t value = static_cast<uint32_t>(read_int(found + 1));
  return value > 255 ? 255 : value;
}

PanelNamed read_panel(const char* value) {
  if (*value == '\0') return {-1, false, false};
  if (const PanelName* panel = named_at(value, kPanelNames)) return {panel->id, true, false};
  return {read_int(value), false, starts_with_number(value)};
}

PanelSteps panel_steps(const char* parameters) {
  const char* found = find_command(parameters, 'p');
  if (!found) return {false, false, 0};
  return {true, starts_with_number(found + 1), read_int(found + 1)};
}

ButtonPicture button_picture(const char* parameters) {
  const char* found = find_command(parameters, 'b');
  if (!found) return {false, 0, false};
  const int32_t bitmap = read_int(found + 1);
  return {true, bitmap,
          bitmap % 10 == 0 && bitmap >= kFirstButtonBitmap && bitmap <= kLastButtonBitmap};
}

int32_t read_help_id(const char* value) {
  if (const Named* window = named_at(value, kWindows)) return window->id;
  const int32_t id = read_int(value);
  return id < kFirstHostHelpId ? 0 : id;
}

}  // namespace parameter_text
}  // namespace crv5
