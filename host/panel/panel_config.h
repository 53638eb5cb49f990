// The simulator's panel configuration (panel.cfg), as this host reads it: [Window Titles],
// [WindowNN] sections with their window keys and gaugeNN placement lines.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gaugehost {

// The largest window a panel may have, and the largest gauge: 8192 x 8192 pixels. A gauge's x and
// y lie from -8192 to 8192.
inline constexpr int32_t kMaxWindowPixels = 8192;

// gaugeNN=module!gauge, x, y, w[, h][, parameter text]
struct GaugePlacement {
  std::string module;       // as written, e.g. "CRV5_Instr"
  std::string gauge;        // the gauge's name
  int32_t x = 0;            // window pixels
  int32_t y = 0;
  int32_t w = 0;
  std::optional<int32_t> h; // absent: from the gauge's bitmap, keeping its proportions
  std::string parameters;   // the text after the fifth comma, trimmed; may be empty
  int number = 0;           // NN of gaugeNN
  int line = 0;             // line of the file, for messages
};

struct WindowConfig {
  int number = 0;                 // NN of [WindowNN]
  std::string title;              // from [Window Titles], or "WindowNN"
  std::string file;               // background bitmap, as written
  std::optional<std::pair<int32_t, int32_t>> size_mm;
  std::optional<int32_t> position;
  bool visible = true;
  int32_t ident = 0;              // panel id; a name of the panel-name table or a number
  std::string ident_name;         // the name, when written as one
  bool ident_given = false;
  std::optional<std::pair<int32_t, int32_t>> window_size;  // pixels
  std::vector<GaugePlacement> gauges;  // in the order of the file
  int line = 0;                   // line of the section header
};

struct PanelConfig {
  std::filesystem::path file;
  std::vector<WindowConfig> windows;  // in the order of the file
};

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

// A problem of a panel that reads line by line but not as a whole: "problem" found at `line`.
struct PanelProblem {
  int line = 0;
  std::string problem;
};

// Reads a panel configuration from text; `file` names it in messages. Throws HostError with
// "FILE:LINE: problem" on the first bad line, or on the first of shared_idents().
PanelConfig parse_panel_config(std::string_view text, const std::filesystem::path& file);
// The same without the checks across windows, for gaugehost lint, which reports each of them.
PanelConfig parse_panel_config_lines(std::string_view text, const std::filesystem::path& file);
// Windows with an ident that an earlier window has already.
std::vector<PanelProblem> shared_idents(const PanelConfig& config);
// Reads a panel configuration file.
PanelConfig read_panel_config(const std::filesystem::path& file);

}  // namespace gaugehost
