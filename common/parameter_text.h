// Parameter texts: the text a panel configuration gives a gauge after its place, read as
// one-letter commands ("/", "#" or "'" begins a comment). Three kinds of the Corvane's gauges read
// one: the corrected-speed dials (the engine they show), the registration placard (a fixed text,
// its colour and font) and the programmable panel-window buttons (the panels a click opens, closes
// or toggles, the picture and help text). The gauges read their texts here to act on them, and
// gaugehost lint reads them here to tell a panel designer what the gauge will make of them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace crv5 {

// The first occurrence of `letter` in the parameter text, or null when the text is null, the
// letter does not occur, or its first occurrence lies at or after the first "/", "#" or "'"
// (each of those begins a comment).
const char* find_command(const char* text, char letter);

// Each occurrence of command `letter`, each found in the text after the one before.
template <class Visit>
void for_each_command(const char* text, char letter, Visit visit) {
  for (const char* found = find_command(text, letter); found; found = find_command(found + 1, letter))
    visit(found);
}

// The whole number at the start of `text` as atoi reads it (blanks, a sign, digits; 0 when there
// are none); values beyond the 32-bit range are held at its ends instead of overflowing.
int32_t read_int(const char* text);

// Whether `text` starts with a whole number as read_int reads it (blanks, a sign, then a digit).
bool starts_with_number(const char* text);

namespace parameter_text {

// The simulator's panel ids by the names panels and the panel toggle buttons give them, in the
// order a value is matched against them at its start.
struct PanelName {
  const char* name;
  int32_t id;
};
inline constexpr PanelName kPanelNames[] = {
    {"MAIN_PANEL", 0},          {"RADIO_STACK_PANEL", 50},   {"COMPASS_PANEL", 75},
    {"ANNUNCIATOR_PANEL", 125}, {"ANNUNCIATOR2_PANEL", 150}, {"COLLECTIVE_PANEL", 200},
    {"THROTTLE_PANEL", 10},     {"MINI_CONTROLS_PANEL", 100}, {"IFR_MAIN_PANEL", 175},
    {"GPS_PANEL", 225},         {"OVERHEAD_PANEL", 250},
};

// --- The corrected-speed dials: "1" to "4" name the engine ---------------------------------------

// The engine number a parameter text names: the first of "1", "2", "3", "4" found before any
// comment character; 1 when the text is null or names none.
int engine_number(const char* parameters);

// The engines the text names before any comment, one bit each (bit 0: engine 1).
unsigned engines_named(const char* parameters);

// --- The registration placard -------------------------------------------------------------------
//   t<text>  the text to show instead of the identifier; only as the very first character
//   r<n> g<n> b<n>  the red, green and blue of the text (0 to 255; beyond, or negative, 255)
//   f<font>  the font: the rest of the parameter text, which therefore ends before the "f"

inline constexpr size_t kLongestPlacardFont = 31;  // characters of a font name; the rest is cut

// Where the placard's commands end: at its "f" command, else at the end of the text.
const char* placard_commands_end(const char* parameters);

// Command `letter` of the placard's text before the font, or null.
const char* placard_command(const char* parameters, char letter);

// The font the "f" command names (the rest of the text), or null.
const char* placard_font(const char* parameters);

// The fixed text of a leading "t": where it starts and how many characters it has (up to the
// font); start null when the text has none.
struct PlacardText {
  const char* start;
  size_t length;
};
PlacardText placard_fixed_text(const char* parameters);

// A colour component ("r", "g" or "b") as written, then held to 255: above it, and negative
// numbers (which are above it when read unsigned), give 255; `present` when the text has none.
uint32_t placard_colour(const char* parameters, char letter, uint32_t present);

// --- The programmable panel-window buttons ------------------------------------------------------
//   o<panel>  open a panel window     c<panel>  close one     t<panel>  toggle one
//   p<n>      0: one panel command; n > 0: n forward; n < 0: -n backward
//   b<n>      the button shows bitmap n (100 to 190, a multiple of 10)
//   h<window> the help text of a host window's button, or a host help id
//   a<panel>  close that panel window at the first installation

// A panel as a command names it: a panel name of the host's (matched at the start, case
// matters), else a whole number (a word that is neither reads 0); an empty value is -1, no panel.
struct PanelNamed {
  int32_t id;
  bool by_name;    // a panel name
  bool by_number;  // a whole number
};
PanelNamed read_panel(const char* value);

// The "p" command: whether the text has one, whether a number follows, and the number.
struct PanelSteps {
  bool given;
  bool has_number;
  int64_t count;  // 64 bits: -count of the lowest 32-bit number
};
PanelSteps panel_steps(const char* parameters);

// The "b" command: the bitmap it names and whether that is one of the button pictures.
struct ButtonPicture {
  bool given;
  int32_t bitmap;
  bool valid;
};
ButtonPicture button_picture(const char* parameters);

// A host help id named at the start of `value`: a window name of the host's, else a whole number,
// which gives 0 (no help text) below the host's first help id; an empty value is 0.
int32_t read_help_id(const char* value);

}  // namespace parameter_text
}  // namespace crv5
