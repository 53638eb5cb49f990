// The check file's render command in gaugecheck, which draws nothing: the line is noted and the
// file goes on, so that a check file that also draws pictures runs its checks here too.
#include <iostream>

#include "host/check/commands.h"

namespace gaugehost {

void check_render(CheckRun& run, const CheckLine& line) {
  run.session();
  std::cerr << line.file.string() << ":" << line.number
            << ": render skipped: gaugecheck draws no pictures\n";
}

}  // namespace gaugehost
