// The check file's render command: the visible windows drawn into a PNG file.
#include "host/check/commands.h"
#include "host/panel/session.h"
#include "host/render/session_render.h"

namespace gaugehost {

void check_render(CheckRun& run, const CheckLine& line) {
  Session& session = run.session();
  render::write_windows_png(session, render::visible_window_views(session),
                            run.resolve(line.tokens[0]), 1, {});
}

}  // namespace gaugehost
