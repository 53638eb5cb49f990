// Drawing a host session: its panel windows as drawing sees them, and PNG files of them.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "host/render/panel_renderer.h"

namespace gaugehost {
class Session;
struct ScreenSize;
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

// Draws the visible windows of the 2D panel where the simulator shows them on a screen of
// `screen` pixels, each stretched over its place, into a PNG file.
void write_screen_png(const Session& session, ScreenSize screen,
                      const std::filesystem::path& out, const RenderOptions& options);

}  // namespace gaugehost::render
