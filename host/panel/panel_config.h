// The simulator's panel configuration (panel.cfg), read as the simulator reads it: [Window Titles],
// [WindowNN] and [VcockpitNN] sections with their keys and gaugeNN placement lines, and the
// forward view's window list of [Views].
//
// What the simulator would go on with (a line that cannot be used, a section written twice, a
// window after a gap in the titles) is a warning naming the line, and the rest of the panel is
// read. Only a panel without any window is an error.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gaugehost {

// The largest window coordinate space a panel may have, and the largest gauge: 8192 x 8192 units.
// A gauge's x and y lie from -8192 to 8192.
inline constexpr int32_t kMaxWindowPixels = 8192;

// What a problem of a panel is about: lint prints its findings in groups in this order.
enum class PanelTopic {
  lines,       // a line the reader cannot use
  titles,      // [Window Titles] and the windows it loads
  idents,      // window idents
  sizes,       // a window's size
  modules,     // gauges of other modules, gauges the module lacks
  placement,   // gauges outside their window, click areas on top of each other, gauge keys
  parameters,  // parameter texts
  views,       // [Views]
};

// A problem of a panel: `problem` found at `line` (0: the file as a whole).
struct PanelProblem {
  int line = 0;
  std::string problem;
  PanelTopic topic = PanelTopic::lines;
};

// gaugeNN=module!gauge, x, y[, w[, h]][, parameter text]
struct GaugePlacement {
  std::string module;        // as written, e.g. "CRV5_Instr"
  std::string gauge;         // the gauge's name
  int32_t x = 0;             // units of the window's coordinate space (size_mm)
  int32_t y = 0;
  std::optional<int32_t> w;  // absent: the gauge's own width
  std::optional<int32_t> h;  // absent: from the gauge's bitmap, keeping its proportions
  std::string parameters;    // the text after the fifth comma, trimmed; may be empty
  int number = 0;            // NN of gaugeNN
  int line = 0;              // line of the file, for messages
};

struct Rgb {
  uint8_t red = 0, green = 0, blue = 0;
  bool operator==(const Rgb&) const = default;
};

struct WindowConfig {
  int number = 0;                 // NN of [WindowNN] or [VcockpitNN]
  bool vcockpit = false;          // a [VcockpitNN] section: a texture of the 3D cockpit
  std::string title;              // from [Window Titles] (UTF-8), or "WindowNN" / "VcockpitNN"
  // The background bitmaps by the screen width they are for: 0 for file=, NNNN for file_NNNN=.
  std::map<int, std::string> files;
  std::optional<int32_t> size_mm_width;   // the coordinate space; a missing height comes from
  std::optional<int32_t> size_mm_height;  // the background bitmap's proportions
  std::optional<double> window_width;     // window_size: fractions of the screen
  std::optional<double> window_height;
  std::optional<std::pair<double, double>> window_pos;  // fractions of the screen, top left
  std::optional<int32_t> position;        // 0 top left ... 8 bottom right, when no window_pos
  std::optional<Rgb> background_color;    // paints a window without a bitmap
  std::string texture;                    // a virtual cockpit's texture name ($VC01)
  std::optional<std::pair<int32_t, int32_t>> pixel_size;  // a virtual cockpit's texture pixels
  bool visible = true;
  int32_t ident = 0;              // panel id; a name of the panel-name table or a number
  std::string ident_name;         // the name, when written as one
  bool ident_given = false;
  bool ident_unknown = false;     // a name the simulator's table lacks: an id of its own
  std::vector<GaugePlacement> gauges;  // in the order of the file
  int line = 0;                   // line of the section header
};

// An entry of VIEW_FORWARD_WINDOWS in [Views]: an ident as written.
struct ViewWindow {
  std::string ident;
  int line = 0;
};

struct PanelConfig {
  std::filesystem::path file;
  std::vector<WindowConfig> windows;    // the windows the simulator loads, in title order
  std::vector<WindowConfig> vcockpits;  // in the order of the file
  std::vector<ViewWindow> forward_windows;
  bool titled = false;                  // the file has a [Window Titles] section
  std::vector<PanelProblem> warnings;   // what the reader read over, in the order of the file
};

// The screen the windows are placed on, in pixels.
struct ScreenSize {
  int width = 1024;
  int height = 768;
};

// The background bitmap a window shows on a screen `screen_width` pixels wide: file_NNNN with the
// largest NNNN not above the width, else file=, else the file_NNNN with the smallest NNNN; "" for
// none.
std::string background_file(const WindowConfig& window, int screen_width);

// The panel ids a window's ident may name: MAIN_PANEL 0, THROTTLE_PANEL 10, RADIO_STACK_PANEL 50,
// ...; nullopt for other names.
std::optional<int32_t> panel_id_for_name(std::string_view name);
// The name of a panel id, or "" when it has none.
std::string_view panel_name_for_id(int32_t id);

// The panel name a text starts with, as the panel toggle buttons match names (case matters):
// its id and length; nullopt when the text starts with none.
struct PanelNameMatch {
  int32_t id;
  size_t length;
};
std::optional<PanelNameMatch> panel_name_at_start(std::string_view text);

// Text of a panel file as UTF-8 for display: text written in Latin-1 (code page 1252) converted.
std::string display_text(std::string_view text);

// Puts problems in the order of their lines, those of one line in the order given.
void sort_by_line(std::vector<PanelProblem>& problems);

// "[Window03]" or "[Vcockpit01]".
std::string section_name(const WindowConfig& window);
// "FILE:LINE: " of a panel configuration, for messages ("FILE: " for line 0).
std::string panel_where(const std::filesystem::path& file, int line);

// Reads a panel configuration from text (CRLF or LF, UTF-8, Latin-1 or UTF-16); `file` names it
// in messages. What cannot be used is left in `warnings`; throws HostError "FILE: problem" only
// when the panel has no window at all.
PanelConfig parse_panel_config(std::string_view text, const std::filesystem::path& file);
// Reads a panel configuration file; throws HostError also when it cannot be read.
PanelConfig read_panel_config(const std::filesystem::path& file);

}  // namespace gaugehost
