#include "vesk_ui/theme.h"

namespace vesk_ui {

namespace {

constexpr Color white_a(float a) { return Color{255, 255, 255, 255}.with_alpha(a); }
constexpr Color black_a(float a) { return Color{0, 0, 0, 255}.with_alpha(a); }

Theme make_dark() {
    Theme t;
    t.window_bg = Color::rgb(0x1b1d22);
    t.sidebar_bg = Color::rgb(0x16181c);
    t.surface = Color::rgb(0x1b1d22);
    t.surface_raised = Color::rgb(0x23262d);
    t.surface_overlay = Color::rgb(0x2a2d35);
    t.surface_hover = white_a(0.06f);
    t.surface_pressed = white_a(0.10f);
    t.input_bg = Color::rgb(0x15171b);

    t.border = Color::rgb(0x353943);
    t.border_subtle = white_a(0.07f);
    t.divider = Color::rgb(0x2a2e36);

    t.text_primary = Color::rgb(0xe8eaef);
    t.text_secondary = Color::rgb(0xa8aebb);
    t.text_tertiary = Color::rgb(0x7a808c);
    t.text_disabled = Color::rgb(0x565b65);
    t.text_on_accent = Color::rgb(0xffffff);

    t.accent_a = Color::rgb(0x4c8dff);
    t.accent_a_hover = Color::rgb(0x669eff);
    t.accent_a_pressed = Color::rgb(0x3b78e7);
    t.accent_b = Color::rgb(0xf5b942);

    t.selection = Color::rgb(0x4c8dff).with_alpha(0.16f);
    t.selection_focused = Color::rgb(0x4c8dff).with_alpha(0.28f);
    t.selection_hover = white_a(0.05f);
    t.cursor_outline = Color::rgb(0x6fa3ff).with_alpha(0.9f);
    t.focus_ring = Color::rgb(0x4c8dff).with_alpha(0.75f);

    t.scrim = black_a(0.55f);
    t.shadow = black_a(0.45f);
    t.scrollbar = white_a(0.22f);
    t.scrollbar_hover = white_a(0.38f);

    t.danger = Color::rgb(0xf25c5c);
    t.warning = Color::rgb(0xf5a524);
    t.success = Color::rgb(0x3ccf91);

    auto set = [&](FileCategory c, std::uint32_t hex) { t.category[std::size_t(c)] = Color::rgb(hex); };
    set(FileCategory::Folder, 0x5b9cf6);
    set(FileCategory::Image, 0xb47cff);
    set(FileCategory::Video, 0xff6b81);
    set(FileCategory::Audio, 0xf2c94c);
    set(FileCategory::Text, 0xa3b1c6);
    set(FileCategory::Code, 0x4fd1c5);
    set(FileCategory::Pdf, 0xf25f5c);
    set(FileCategory::Archive, 0xd9a35b);
    set(FileCategory::Document, 0x6f95ff);
    set(FileCategory::Spreadsheet, 0x3ccf7a);
    set(FileCategory::Presentation, 0xff8a4c);
    set(FileCategory::Font, 0xf38bd0);
    set(FileCategory::Ebook, 0x9aa8ff);
    set(FileCategory::Executable, 0x8fd16a);
    set(FileCategory::Other, 0x8a93a3);

    t.body = FontSpec{13.0f, FontWeight::Regular};
    t.body_strong = FontSpec{13.0f, FontWeight::Semibold};
    t.caption = FontSpec{11.5f, FontWeight::Regular};
    t.title = FontSpec{15.0f, FontWeight::Semibold};
    t.heading = FontSpec{20.0f, FontWeight::Semibold};
    t.mono = FontSpec{12.5f, FontWeight::Regular, false, true};
    return t;
}

}  // namespace

const Theme& Theme::dark() {
    static const Theme theme = make_dark();
    return theme;
}

Color Theme::category_color(FileCategory c) const {
    auto i = std::size_t(c);
    return i < category.size() ? category[i] : category[std::size_t(FileCategory::Other)];
}

const char* file_category_name(FileCategory category) {
    switch (category) {
        case FileCategory::Folder: return "folder";
        case FileCategory::Image: return "image";
        case FileCategory::Video: return "video";
        case FileCategory::Audio: return "audio";
        case FileCategory::Text: return "text";
        case FileCategory::Code: return "code";
        case FileCategory::Pdf: return "pdf";
        case FileCategory::Archive: return "archive";
        case FileCategory::Document: return "document";
        case FileCategory::Spreadsheet: return "spreadsheet";
        case FileCategory::Presentation: return "presentation";
        case FileCategory::Font: return "font";
        case FileCategory::Ebook: return "ebook";
        case FileCategory::Executable: return "executable";
        case FileCategory::Other: return "other";
    }
    return "other";
}

}  // namespace vesk_ui
