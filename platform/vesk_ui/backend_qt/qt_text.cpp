// Text metrics from Qt with the toolkit's fonts.
#include <QFontMetricsF>
#include <QTextLayout>

#include <map>
#include <string>
#include <tuple>
#include <unordered_map>

#include "qt_fonts.h"
#include "vesk_ui/backend.h"

namespace vesk_ui {

namespace {
using FontKey = std::tuple<float, int, bool, bool>;
FontKey key_of(const FontSpec& f) { return {f.size, int(f.weight), f.italic, f.monospace}; }
}  // namespace

// Metrics per font and measured widths per font and text: lists measure the
// same names on every frame.
struct QtTextRenderer::Cache {
    struct PerFont {
        QFont font;
        QFontMetricsF metrics;
        std::unordered_map<std::string, float> widths;
    };
    std::map<FontKey, PerFont> fonts;

    PerFont& get(const FontSpec& spec) {
        auto key = key_of(spec);
        auto it = fonts.find(key);
        if (it != fonts.end()) return it->second;
        QFont font = qt::font_for(spec, qt::reference_dpi());
        return fonts.emplace(key, PerFont{font, QFontMetricsF(font, qt::reference_device()), {}}).first->second;
    }
};

QtTextRenderer::QtTextRenderer() : cache_(std::make_unique<Cache>()) {}
QtTextRenderer::~QtTextRenderer() = default;

TextMetrics QtTextRenderer::measure(std::string_view text, const FontSpec& font) const {
    auto& f = cache_->get(font);
    TextMetrics m;
    m.ascent = float(f.metrics.ascent());
    m.height = float(f.metrics.ascent() + f.metrics.descent());
    if (text.empty()) return m;
    auto it = f.widths.find(std::string(text));
    if (it != f.widths.end()) {
        m.width = it->second;
        return m;
    }
    m.width = float(f.metrics.horizontalAdvance(qt::to_qstring(text)));
    if (f.widths.size() > 8192) f.widths.clear();
    f.widths.emplace(std::string(text), m.width);
    return m;
}

std::size_t QtTextRenderer::hit_test(std::string_view text, const FontSpec& font, float x) const {
    if (text.empty() || x <= 0) return 0;
    auto& f = cache_->get(font);
    QString s = qt::to_qstring(text);
    QTextLayout layout(s, f.font, qt::reference_device());
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (!line.isValid()) {
        layout.endLayout();
        return 0;
    }
    line.setLineWidth(1e7);
    layout.endLayout();
    int index = line.xToCursor(x, QTextLine::CursorBetweenCharacters);
    if (index <= 0) return 0;
    if (index >= s.size()) return text.size();
    return std::size_t(s.left(index).toUtf8().size());
}

std::string QtTextRenderer::elide(std::string_view text, const FontSpec& font, float max_width) const {
    if (measure(text, font).width <= max_width) return std::string(text);
    static const QString ellipsis(QChar(0x2026));
    auto& f = cache_->get(font);
    if (f.metrics.horizontalAdvance(ellipsis) > max_width) return {};
    QString cut = f.metrics.elidedText(qt::to_qstring(text), Qt::ElideRight, qreal(max_width));
    if (cut.isEmpty()) return {};
    // No dangling space before the ellipsis.
    if (cut.endsWith(ellipsis)) {
        QString head = cut.chopped(1);
        while (head.endsWith(QLatin1Char(' '))) head.chop(1);
        cut = head + ellipsis;
    }
    return cut.toStdString();
}

}  // namespace vesk_ui
