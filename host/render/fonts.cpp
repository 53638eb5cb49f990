#include "host/render/fonts.h"

#include <fontconfig/fontconfig.h>

#include <filesystem>

namespace gaugehost::render {

void use_font_mapping() {
  static const bool loaded = [] {
    const std::filesystem::path conf =
        std::filesystem::path(CRV5_SOURCE_DIR) / "resources" / "fonts" / "fonts.conf";
    FcInit();
    return std::filesystem::exists(conf) &&
           FcConfigParseAndLoad(FcConfigGetCurrent(),
                                reinterpret_cast<const FcChar8*>(conf.c_str()), FcTrue);
  }();
  (void)loaded;
}

}  // namespace gaugehost::render
