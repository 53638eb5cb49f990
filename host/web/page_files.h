// The web page's files (host/web/page/), compiled into gaugehost: the server serves these and
// nothing else from a path.
#pragma once

#include <span>
#include <string_view>

namespace gaugehost::web {

struct PageFile {
  std::string_view path;          // "/index.html"
  std::string_view content_type;
  std::string_view bytes;
};

std::span<const PageFile> page_files();

}  // namespace gaugehost::web
