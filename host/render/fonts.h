// The fonts the library's text records name ("Quartz", "Arial") are mapped to installed faces by
// the project's fontconfig rules (resources/fonts/fonts.conf): a seven-segment face and a sans
// face with Arial's metrics.
#pragma once

namespace gaugehost::render {

// Loads the project's font mapping into fontconfig, once; later calls do nothing. Without the
// file, fontconfig's own closest match draws the texts.
void use_font_mapping();

}  // namespace gaugehost::render
