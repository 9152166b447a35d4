// The Qt backend's entry points for programs and tests: the application
// object, the real text renderer and the desktop services. The header is
// Qt-free; everything Qt stays inside the backend library.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "vesk_ui/text.h"

namespace vesk_ui {

enum class GuiMode : std::uint8_t {
    Window,     // the platform of the session (QT_QPA_PLATFORM if set)
    Offscreen,  // "offscreen" unless QT_QPA_PLATFORM names another platform
};

// Creates the process's QGuiApplication when there is none yet. Fonts,
// images and the clipboard need one; the first call's mode wins.
void ensure_gui_app(GuiMode mode = GuiMode::Offscreen);

// True when the running platform cannot show windows or carry drags
// ("offscreen", "minimal").
bool headless_platform();

// Text measured and drawn with the toolkit's fonts (Inter, with DejaVu Sans
// as fallback; DejaVu Sans Mono for monospace), loaded from their files.
class QtTextRenderer final : public TextRenderer {
public:
    QtTextRenderer();
    ~QtTextRenderer() override;
    TextMetrics measure(std::string_view text, const FontSpec& font) const override;
    std::size_t hit_test(std::string_view text, const FontSpec& font, float x) const override;
    std::string elide(std::string_view text, const FontSpec& font, float max_width) const override;

private:
    struct Cache;
    std::unique_ptr<Cache> cache_;
};

// ensure_gui_app, then installs QtTextRenderer and the Qt platform services
// (clipboard, file drags, double-click interval). Idempotent.
void install_qt_backend(GuiMode mode = GuiMode::Offscreen);

}  // namespace vesk_ui
