// Drawing a host session: its panel windows as drawing sees them, PNG files of them, and the two
// commands that make such files (`gaugehost render ...` and the check-file line `render PATH`).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "host/render/panel_renderer.h"

namespace gaugehost {
class Session;
class CheckRun;
struct CheckLine;
struct CliContext;
}  // namespace gaugehost

namespace gaugehost::render {

// A window of the session with every gauge placed in it.
WindowView window_view(const Session& session, size_t window_index);
// The windows shown: every visible window, in configuration order.
std::vector<WindowView> visible_window_views(const Session& session);

// Draws `windows` one below the other into a PNG file. Throws HostError when there is no window
// or the file cannot be written.
void write_windows_png(const Session& session, const std::vector<WindowView>& windows,
                       const std::filesystem::path& out, double scale,
                       const RenderOptions& options);

// gaugehost render --panel FILE --out FILE.png [--window IDENT] [--scale S] [--updates N]
//                  [--set ID=VALUE ...] [--night]
int cli_render(CliContext& context);
extern const char* const kCliRenderUsage;

// Check-file command `render PATH`: every visible window into a PNG file.
void check_render(CheckRun& run, const CheckLine& line);

}  // namespace gaugehost::render
