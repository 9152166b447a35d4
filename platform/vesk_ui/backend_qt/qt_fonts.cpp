#include "qt_fonts.h"

#include <QFontDatabase>
#include <QImage>
#include <QStringList>

#include <map>
#include <tuple>

namespace vesk_ui::qt {
namespace {

// Files of the Debian packages fonts-inter and fonts-dejavu-core. Loading
// them explicitly makes every machine render the same glyphs, whatever its
// font configuration prefers.
constexpr const char* kFontFiles[] = {
    "/usr/share/fonts/opentype/inter/Inter-Regular.otf",
    "/usr/share/fonts/opentype/inter/Inter-Medium.otf",
    "/usr/share/fonts/opentype/inter/Inter-SemiBold.otf",
    "/usr/share/fonts/opentype/inter/Inter-Bold.otf",
    "/usr/share/fonts/opentype/inter/Inter-Italic.otf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf",
};

QFont::Weight qt_weight(FontWeight w) {
    switch (w) {
    case FontWeight::Regular: return QFont::Normal;
    case FontWeight::Medium: return QFont::Medium;
    case FontWeight::Semibold: return QFont::DemiBold;
    case FontWeight::Bold: return QFont::Bold;
    }
    return QFont::Normal;
}

QFont make_font(const FontSpec& spec, qreal dpi) {
    QFont font;
    if (spec.monospace) {
        font.setFamilies({QStringLiteral("DejaVu Sans Mono")});
        font.setStyleHint(QFont::Monospace);
    } else {
        font.setFamilies({QStringLiteral("Inter"), QStringLiteral("DejaVu Sans")});
        font.setStyleHint(QFont::SansSerif);
    }
    float size = spec.size > 0 ? spec.size : 13.0f;
    font.setPointSizeF(size * 72.0 / dpi);
    font.setWeight(qt_weight(spec.weight));
    font.setItalic(spec.italic);
    // Unhinted outlines keep fractional layout positions and give the same
    // shapes at every scale.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

using Key = std::tuple<float, int, bool, bool, qreal>;

}  // namespace

void register_fonts() {
    static bool done = false;
    if (done) return;
    done = true;
    for (const char* file : kFontFiles) QFontDatabase::addApplicationFont(QString::fromLatin1(file));
}

QPaintDevice* reference_device() {
    static QImage* probe = new QImage(1, 1, QImage::Format_ARGB32_Premultiplied);
    return probe;
}

qreal reference_dpi() { return qreal(reference_device()->logicalDpiY()); }

QFont font_for(const FontSpec& spec, qreal dpi) {
    // UI thread only, like all painting.
    static std::map<Key, QFont> cache;
    Key key{spec.size, int(spec.weight), spec.italic, spec.monospace, dpi};
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    if (cache.size() > 256) cache.clear();
    return cache.emplace(key, make_font(spec, dpi)).first->second;
}

}  // namespace vesk_ui::qt
