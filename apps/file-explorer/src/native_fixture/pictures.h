// Generated demonstration pictures: soft landscapes drawn pixel by pixel, so
// the screenshot scenes need no image files of their own.
#pragma once

#include <string>

#include "vesk_ui/painter.h"

namespace file_explorer::native_fixture {

enum class Scene { Sunset, Harbour, Forest, Bloom, Study };

vesk_ui::Image make_picture(Scene scene, int width, int height);

// A one-page PDF with a title bar and a few drawn lines.
std::string one_page_pdf();

}  // namespace file_explorer::native_fixture
