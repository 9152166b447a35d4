#include "files_app/drag_card.h"

#include <sys/stat.h>

#include <algorithm>

#include "fileops/paths.h"
#include "fileops/text.h"
#include "i18n/i18n.h"
#include "model/mime.h"
#include "vesk_ui/chrome.h"
#include "vesk_ui/icons.h"
#include "vesk_ui/text.h"
#include "vesk_ui/theme.h"

namespace file_explorer::files_app {

std::string drag_card_text(const std::vector<std::string>& paths) {
    if (paths.size() == 1) return fileops::lossy_utf8(fileops::file_name(paths.front()));
    return i18n::tr_args("files-drag-items", i18n::Args().number("count", static_cast<double>(paths.size())));
}

void draw_drag_card(vesk_ui::Painter& painter, const vesk_ui::Theme& theme, vesk_ui::Point pointer,
                    const std::vector<std::string>& paths, float scale) {
    if (paths.empty()) return;
    constexpr float kIcon = 20, kPad = 10, kMaxText = 220;
    const std::string text = drag_card_text(paths);
    const auto& renderer = vesk_ui::text_renderer();
    const std::string shown = renderer.elide(text, theme.body, kMaxText);
    const float text_width = renderer.measure(shown, theme.body).width;
    const float height = kIcon + 2 * kPad - 4;
    // Below and to the right of the pointer, so the drop target stays visible.
    const vesk_ui::Rect card = vesk_ui::Rect::from_xywh(pointer.x + 14, pointer.y + 14,
                                                        kPad * 2 + kIcon + 8 + text_width, height);
    vesk_ui::chrome::draw_drag_card(painter, card, theme);
    struct stat st {};
    const bool folder = ::lstat(paths.front().c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    const auto icon = vesk_ui::icons::icon_for_path(paths.front(), folder);
    const vesk_ui::Rect icon_box =
        vesk_ui::Rect::from_xywh(card.left + kPad, card.top + (height - kIcon) / 2, kIcon, kIcon);
    vesk_ui::icons::draw_icon(painter, icon, icon_box, theme, scale);
    renderer.draw_text(painter, {icon_box.right + 8, card.top, card.right - kPad, card.bottom}, shown, theme.body,
                       theme.text_primary);
}

}  // namespace file_explorer::files_app
