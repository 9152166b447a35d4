// Fonts for the Qt backend: the toolkit's own font files, registered with Qt
// once, and one QFont per font choice and device resolution.
#pragma once

#include <QFont>
#include <QPaintDevice>
#include <QString>

#include <string_view>

#include "vesk_ui/painter.h"

namespace vesk_ui::qt {

// Registers Inter and DejaVu from their installed files; idempotent. Needs a
// QGuiApplication.
void register_fonts();

// A font whose pixel size is `spec.size` logical units on a paint device of
// `dpi` logical dots per inch. QFont only takes integral pixel sizes, so the
// size goes through points for the given resolution.
QFont font_for(const FontSpec& spec, qreal dpi);

// The device text is measured against (a plain QImage) and its resolution.
QPaintDevice* reference_device();
qreal reference_dpi();

inline QString to_qstring(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

}  // namespace vesk_ui::qt
