#include "icon_shapes.h"

#include <array>

namespace vesk_ui::icons::shapes {

namespace {

using P = Paint;
using T = Tone;

// Shared outlines.
constexpr const char* page =
    "M6.5 2.75 H13.75 L19.25 8.25 V19.75 A1.5 1.5 0 0 1 17.75 21.25 H6.5 A1.5 1.5 0 0 1 5 19.75 V4.25 "
    "A1.5 1.5 0 0 1 6.5 2.75 Z";
constexpr const char* fold = "M13.75 2.75 V6.75 A1.5 1.5 0 0 0 15.25 8.25 H19.25 Z";
constexpr const char* fold_edge = "M13.75 3 V6.75 A1.5 1.5 0 0 0 15.25 8.25 H19";
constexpr const char* folder_back =
    "M2.5 6 A1.75 1.75 0 0 1 4.25 4.25 H9.3 A1.75 1.75 0 0 1 10.54 4.76 L12 6.25 H19.75 "
    "A1.75 1.75 0 0 1 21.5 8 V18 A1.75 1.75 0 0 1 19.75 19.75 H4.25 A1.75 1.75 0 0 1 2.5 18 Z";
constexpr const char* folder_front =
    "M2.5 10.25 A1.5 1.5 0 0 1 4 8.75 H20 A1.5 1.5 0 0 1 21.5 10.25 V18 A1.75 1.75 0 0 1 19.75 19.75 "
    "H4.25 A1.75 1.75 0 0 1 2.5 18 Z";
constexpr const char* folder_open_front =
    "M4.95 10.1 A1.5 1.5 0 0 1 6.35 9.1 H21.1 A1 1 0 0 1 22.05 10.4 L20.3 18.55 A1.5 1.5 0 0 1 18.85 19.75 "
    "H3.65 A0.9 0.9 0 0 1 2.8 18.6 Z";
constexpr const char* badge_disc = "M23 12 A11 11 0 1 1 1 12 A11 11 0 1 1 23 12 Z";
constexpr const char* badge_fill = "M21 12 A9 9 0 1 1 3 12 A9 9 0 1 1 21 12 Z";
constexpr const char* badge_ring = "M19.75 12 A7.75 7.75 0 1 1 4.25 12 A7.75 7.75 0 1 1 19.75 12 Z";
constexpr const char* shield =
    "M12 4 L18.5 6.5 V11.5 C18.5 15.5 15.75 18.5 12 20 C8.25 18.5 5.5 15.5 5.5 11.5 V6.5 Z";
constexpr const char* trash_lid = "M4 6.5 H20 M9.5 6.5 V4.75 A1 1 0 0 1 10.5 3.75 H13.5 A1 1 0 0 1 14.5 4.75 V6.5";
constexpr const char* trash_body = "M6 6.5 L6.9 19.1 A1.5 1.5 0 0 0 8.4 20.5 H15.6 A1.5 1.5 0 0 0 17.1 19.1 L18 6.5";

std::vector<Layer> file_with(std::vector<Layer> glyph) {
    std::vector<Layer> out = {
        {page, P::Fill, T::Soft},
        {fold, P::Fill, T::Half},
        {page, P::Stroke, T::Main},
        {fold_edge, P::Stroke, T::Main},
    };
    out.insert(out.end(), glyph.begin(), glyph.end());
    return out;
}

std::vector<Layer> badge_with(std::vector<Layer> glyph) {
    std::vector<Layer> out = {{badge_disc, P::Fill, T::Backdrop}};
    out.insert(out.end(), glyph.begin(), glyph.end());
    return out;
}

std::vector<Layer> build(Icon icon) {
    switch (icon) {
        case Icon::Folder:
            return {{folder_back, P::Fill, T::Deep}, {folder_front, P::Fill, T::Main}};
        case Icon::FolderOpen:
            return {{folder_back, P::Fill, T::Deep},
                    {"M5 6.75 H18.25 A1 1 0 0 1 19.25 7.75 V11 H5 Z", P::Fill, T::Soft},
                    {folder_open_front, P::Fill, T::Main}};

        case Icon::FileGeneric: return file_with({});
        case Icon::FileText:
            return file_with({{"M8.5 11.75 H15.5 M8.5 14.75 H15.5 M8.5 17.75 H12.75", P::Stroke}});
        case Icon::FileCode:
            return file_with(
                {{"M10.25 11.75 L7.75 14.75 L10.25 17.75 M13.75 11.75 L16.25 14.75 L13.75 17.75", P::Stroke}});
        case Icon::FileImage:
            return file_with({{"M7.75 18.25 L10.75 14 L12.75 16.5 L14 15 L16.25 18.25 Z", P::Fill},
                              {"M15.5 11.75 A1.25 1.25 0 1 1 13 11.75 A1.25 1.25 0 1 1 15.5 11.75 Z", P::Fill}});
        case Icon::FileAudio:
            return file_with({{"M13.25 17.5 V10.75 L16 11.75", P::Stroke},
                              {"M13.25 17.5 A1.75 1.75 0 1 1 9.75 17.5 A1.75 1.75 0 1 1 13.25 17.5 Z", P::Fill}});
        case Icon::FileVideo:
            return file_with({{"M10 11.5 L15.5 14.75 L10 18 Z", P::Fill}, {"M10 11.5 L15.5 14.75 L10 18 Z", P::Stroke}});
        case Icon::FilePdf:
            // A three-lobed swoosh, the usual shorthand for portable documents.
            return file_with({{"M8.25 18.25 C10.25 16.75 11.5 13.75 11.75 11 C12.25 13.75 13.75 16 16.25 16.75 "
                               "C13.5 16.75 10.75 17.25 8.25 18.25 Z",
                               P::Fill, T::Half},
                              {"M8.25 18.25 C10.25 16.75 11.5 13.75 11.75 11 C12.25 13.75 13.75 16 16.25 16.75 "
                               "C13.5 16.75 10.75 17.25 8.25 18.25 Z",
                               P::Stroke, T::Main, 1.25f}});
        case Icon::FileArchive:
            return file_with({{"M10.75 4 H12 V5.25 H10.75 Z M12 5.5 H13.25 V6.75 H12 Z M10.75 7 H12 V8.25 H10.75 Z "
                               "M12 8.5 H13.25 V9.75 H12 Z",
                               P::Fill},
                              {"M11.25 11 H12.75 A0.75 0.75 0 0 1 13.5 11.75 V14.5 A0.75 0.75 0 0 1 12.75 15.25 H11.25 "
                               "A0.75 0.75 0 0 1 10.5 14.5 V11.75 A0.75 0.75 0 0 1 11.25 11 Z",
                               P::Stroke}});
        case Icon::FileDocument:
            return file_with({{"M8.9 10.75 H11.1 A0.65 0.65 0 0 1 11.75 11.4 V12.6 A0.65 0.65 0 0 1 11.1 13.25 H8.9 "
                               "A0.65 0.65 0 0 1 8.25 12.6 V11.4 A0.65 0.65 0 0 1 8.9 10.75 Z",
                               P::Fill},
                              {"M13.5 12 H15.5 M8.5 15.25 H15.5 M8.5 18 H13.5", P::Stroke}});
        case Icon::FileSpreadsheet:
            return file_with({{"M9 11 H15 A1 1 0 0 1 16 12 V17.25 A1 1 0 0 1 15 18.25 H9 A1 1 0 0 1 8 17.25 V12 "
                               "A1 1 0 0 1 9 11 Z M8 14.6 H16 M11.5 11 V18.25",
                               P::Stroke, T::Main, 1.25f}});
        case Icon::FilePresentation:
            return file_with({{"M15.5 15 A3.5 3.5 0 1 1 8.5 15 A3.5 3.5 0 1 1 15.5 15 Z", P::Stroke},
                              {"M12 15 V11.5 A3.5 3.5 0 0 1 15.5 15 Z", P::Fill}});
        case Icon::FileFont:
            return file_with({{"M8.75 18.25 L12 10.75 L15.25 18.25 M10.1 15.5 H13.9", P::Stroke}});
        case Icon::FileEbook:
            return file_with({{"M12 12.25 C10.75 11.25 9.25 11 7.75 11.25 V17.75 C9.25 17.5 10.75 17.75 12 18.5 "
                               "C13.25 17.75 14.75 17.5 16.25 17.75 V11.25 C14.75 11 13.25 11.25 12 12.25 Z "
                               "M12 12.25 V18.5",
                               P::Stroke, T::Main, 1.25f}});
        case Icon::FileExecutable:
            return file_with({{"M8.5 11.75 L11 14.25 L8.5 16.75 M12.5 17.5 H15.75", P::Stroke}});

        case Icon::PlaceHome:
            return {{"M3.75 10.5 L12 3.75 L20.25 10.5 M5.75 9 V19 A1.25 1.25 0 0 0 7 20.25 H17 A1.25 1.25 0 0 0 "
                     "18.25 19 V9 M10 20.25 V15 A1 1 0 0 1 11 14 H13 A1 1 0 0 1 14 15 V20.25",
                     P::Stroke}};
        case Icon::PlaceDesktop:
            return {{"M5 4.25 H19 A2 2 0 0 1 21 6.25 V14 A2 2 0 0 1 19 16 H5 A2 2 0 0 1 3 14 V6.25 A2 2 0 0 1 5 "
                     "4.25 Z M12 16 V19.75 M8 19.75 H16",
                     P::Stroke}};
        case Icon::PlaceDocuments:
            return {{page, P::Stroke},
                    {fold_edge, P::Stroke},
                    {"M8.5 12.25 H15.5 M8.5 15.25 H15.5 M8.5 18.25 H12.5", P::Stroke}};
        case Icon::PlaceDownloads:
            return {{"M12 3.75 V14.75 M7.5 10.5 L12 15 L16.5 10.5 M4.25 15.5 V18.25 A2 2 0 0 0 6.25 20.25 H17.75 "
                     "A2 2 0 0 0 19.75 18.25 V15.5",
                     P::Stroke}};
        case Icon::PlaceMusic:
            return {{"M9 18 V5.75 L19.5 4 V16 M9 9.25 L19.5 7.5", P::Stroke},
                    {"M9 18 A2.5 2.5 0 1 1 4 18 A2.5 2.5 0 1 1 9 18 Z M19.5 16 A2.5 2.5 0 1 1 14.5 16 A2.5 2.5 0 1 1 "
                     "19.5 16 Z",
                     P::Stroke}};
        case Icon::PlacePictures:
            return {{"M5.25 4 H18.75 A2.25 2.25 0 0 1 21 6.25 V17.75 A2.25 2.25 0 0 1 18.75 20 H5.25 A2.25 2.25 0 0 "
                     "1 3 17.75 V6.25 A2.25 2.25 0 0 1 5.25 4 Z",
                     P::Stroke},
                    {"M10.5 9.25 A1.75 1.75 0 1 1 7 9.25 A1.75 1.75 0 1 1 10.5 9.25 Z", P::Stroke},
                    {"M3.5 17 L9 12.25 L13 15.75 L15.75 13.25 L20.5 17.5", P::Stroke}};
        case Icon::PlaceVideos:
            return {{"M5 5.75 H14 A2 2 0 0 1 16 7.75 V16.25 A2 2 0 0 1 14 18.25 H5 A2 2 0 0 1 3 16.25 V7.75 A2 2 0 "
                     "0 1 5 5.75 Z M16 10.25 L21 7.5 V16.5 L16 13.75",
                     P::Stroke}};
        case Icon::PlaceTrash:
            return {{trash_lid, P::Stroke}, {trash_body, P::Stroke}, {"M10 10.5 V16.5 M14 10.5 V16.5", P::Stroke}};
        case Icon::PlaceTrashFull:
            return {{"M6.6 10 L7.05 19.1 A1.5 1.5 0 0 0 8.4 20.5 H15.6 A1.5 1.5 0 0 0 16.95 19.1 L17.4 10 "
                     "L15.5 11.25 L13.75 9.75 L12 11.25 L10.25 9.75 L8.5 11.25 Z",
                     P::Fill, T::Half},
                    {trash_lid, P::Stroke},
                    {trash_body, P::Stroke}};
        case Icon::PlaceWorkspace:
            return {{"M12 8 A3 3 0 1 1 6 8 A3 3 0 1 1 12 8 Z M3.5 19.5 C3.75 16.25 6 14.5 9 14.5 C12 14.5 14.25 "
                     "16.25 14.5 19.5 M15.5 5.1 A2.9 2.9 0 0 1 15.5 10.9 M17.25 14.75 C19 15.25 20.35 16.9 20.5 19.5",
                     P::Stroke}};
        case Icon::PlaceRemote:
            return {{"M7.25 18.75 A4.25 4.25 0 0 1 6.6 10.3 A5.75 5.75 0 0 1 17.5 9.25 A4.75 4.75 0 0 1 17.25 "
                     "18.75 Z",
                     P::Stroke}};
        case Icon::PlaceComputer:
            return {{"M4 13.5 L6.25 5.75 A1.75 1.75 0 0 1 7.9 4.5 H16.1 A1.75 1.75 0 0 1 17.75 5.75 L20 13.5 M4 "
                     "13.5 H20 V18 A1.75 1.75 0 0 1 18.25 19.75 H5.75 A1.75 1.75 0 0 1 4 18 Z",
                     P::Stroke},
                    {"M17.4 16.6 A1 1 0 1 1 15.4 16.6 A1 1 0 1 1 17.4 16.6 Z", P::Fill}};
        case Icon::PlaceFavorite:
            return {{"M12.00 3.60 L14.41 9.28 L20.56 9.82 L15.90 13.87 L17.29 19.88 L12.00 16.70 L6.71 19.88 L8.10 "
                     "13.87 L3.44 9.82 L9.59 9.28 Z",
                     P::Stroke}};

        case Icon::Back: return {{"M19.5 12 H4.75 M10.5 6 L4.5 12 L10.5 18", P::Stroke}};
        case Icon::Forward: return {{"M4.5 12 H19.25 M13.5 6 L19.5 12 L13.5 18", P::Stroke}};
        case Icon::Up: return {{"M12 19.5 V4.75 M6 10.5 L12 4.5 L18 10.5", P::Stroke}};
        case Icon::ViewList:
            return {{"M9 6.5 H20 M9 12 H20 M9 17.5 H20", P::Stroke},
                    {"M6 6.5 A1.15 1.15 0 1 1 3.7 6.5 A1.15 1.15 0 1 1 6 6.5 Z M6 12 A1.15 1.15 0 1 1 3.7 12 A1.15 "
                     "1.15 0 1 1 6 12 Z M6 17.5 A1.15 1.15 0 1 1 3.7 17.5 A1.15 1.15 0 1 1 6 17.5 Z",
                     P::Fill}};
        case Icon::ViewGrid:
            return {{"M5.5 4 H9 A1.5 1.5 0 0 1 10.5 5.5 V9 A1.5 1.5 0 0 1 9 10.5 H5.5 A1.5 1.5 0 0 1 4 9 V5.5 A1.5 "
                     "1.5 0 0 1 5.5 4 Z M15 4 H18.5 A1.5 1.5 0 0 1 20 5.5 V9 A1.5 1.5 0 0 1 18.5 10.5 H15 A1.5 1.5 0 "
                     "0 1 13.5 9 V5.5 A1.5 1.5 0 0 1 15 4 Z M5.5 13.5 H9 A1.5 1.5 0 0 1 10.5 15 V18.5 A1.5 1.5 0 0 1 "
                     "9 20 H5.5 A1.5 1.5 0 0 1 4 18.5 V15 A1.5 1.5 0 0 1 5.5 13.5 Z M15 13.5 H18.5 A1.5 1.5 0 0 1 20 "
                     "15 V18.5 A1.5 1.5 0 0 1 18.5 20 H15 A1.5 1.5 0 0 1 13.5 18.5 V15 A1.5 1.5 0 0 1 15 13.5 Z",
                     P::Stroke}};
        case Icon::Sort: return {{"M4 6.5 H20 M4 12 H15.5 M4 17.5 H11", P::Stroke}};
        case Icon::SortAscending:
            return {{"M7 19 V5.5 M3.75 8.75 L7 5.5 L10.25 8.75 M13 7 H16 M13 12 H18 M13 17 H20.5", P::Stroke}};
        case Icon::SortDescending:
            return {{"M7 5 V18.5 M3.75 15.25 L7 18.5 L10.25 15.25 M13 7 H20.5 M13 12 H18 M13 17 H16", P::Stroke}};
        case Icon::More:
            return {{"M7.1 12 A1.6 1.6 0 1 1 3.9 12 A1.6 1.6 0 1 1 7.1 12 Z M13.6 12 A1.6 1.6 0 1 1 10.4 12 A1.6 "
                     "1.6 0 1 1 13.6 12 Z M20.1 12 A1.6 1.6 0 1 1 16.9 12 A1.6 1.6 0 1 1 20.1 12 Z",
                     P::Fill}};
        case Icon::Close: return {{"M6 6 L18 18 M18 6 L6 18", P::Stroke}};
        case Icon::Add: return {{"M12 5 V19 M5 12 H19", P::Stroke}};
        case Icon::Check: return {{"M4.75 12.5 L9.5 17.25 L19.25 7.25", P::Stroke}};
        case Icon::ChevronRight: return {{"M9.5 5.5 L16 12 L9.5 18.5", P::Stroke}};
        case Icon::ChevronDown: return {{"M5.5 9.5 L12 16 L18.5 9.5", P::Stroke}};
        case Icon::Warning:
            return {{"M10.27 4.25 A2 2 0 0 1 13.73 4.25 L20.9 17 A2 2 0 0 1 19.17 20 H4.83 A2 2 0 0 1 3.1 17 Z "
                     "M12 9.25 V13.25",
                     P::Stroke},
                    {"M13.1 16.5 A1.1 1.1 0 1 1 10.9 16.5 A1.1 1.1 0 1 1 13.1 16.5 Z", P::Fill}};
        case Icon::Search:
            return {{"M16.75 10.5 A6.25 6.25 0 1 1 4.25 10.5 A6.25 6.25 0 1 1 16.75 10.5 Z M15.1 15.1 L20 20",
                     P::Stroke}};
        case Icon::Refresh:
            return {{"M20 12 A8 8 0 1 1 17.66 6.34 M18.25 2.75 V6.75 H14.25", P::Stroke}};
        case Icon::Eye:
            return {{"M2.75 12 C5 7.5 8.25 5.5 12 5.5 C15.75 5.5 19 7.5 21.25 12 C19 16.5 15.75 18.5 12 18.5 C8.25 "
                     "18.5 5 16.5 2.75 12 Z M15 12 A3 3 0 1 1 9 12 A3 3 0 1 1 15 12 Z",
                     P::Stroke}};
        case Icon::EyeOff:
            return {{"M2.75 12 C5 7.5 8.25 5.5 12 5.5 C15.75 5.5 19 7.5 21.25 12 C19 16.5 15.75 18.5 12 18.5 C8.25 "
                     "18.5 5 16.5 2.75 12 Z M15 12 A3 3 0 1 1 9 12 A3 3 0 1 1 15 12 Z M4 4 L20 20",
                     P::Stroke}};

        case Icon::BadgeLocal:
            return badge_with({{badge_fill, P::Fill}, {"M7.75 12.25 L10.75 15.25 L16.25 9.25", P::Stroke, T::Ink, 2.25f}});
        case Icon::BadgeOnlineOnly:
            return badge_with({{"M8.25 16.5 A3.25 3.25 0 0 1 7.9 10 A4.5 4.5 0 0 1 16.35 9.3 A3.6 3.6 0 0 1 16 16.5 Z",
                                P::Stroke, T::Main, 2.0f}});
        case Icon::BadgeTransfer:
            return badge_with({{badge_ring, P::Stroke, T::Main, 2.0f},
                               {"M12 7.75 V15.5 M8.75 12.5 L12 15.75 L15.25 12.5", P::Stroke, T::Main, 2.0f}});
        case Icon::BadgeUploading:
            return badge_with({{badge_ring, P::Stroke, T::Main, 2.0f},
                               {"M12 16.25 V8.5 M8.75 11.5 L12 8.25 L15.25 11.5", P::Stroke, T::Main, 2.0f}});
        case Icon::BadgeFailed:
            return badge_with({{badge_fill, P::Fill},
                               {"M12 7.25 V12.5", P::Stroke, T::Ink, 2.25f},
                               {"M13.3 16.25 A1.3 1.3 0 1 1 10.7 16.25 A1.3 1.3 0 1 1 13.3 16.25 Z", P::Fill, T::Ink}});
        case Icon::BadgeKeptOffline:
            return badge_with({{badge_fill, P::Fill},
                               {"M9.5 7 H14.5 M10.6 7 V10.75 L8.75 13.25 H15.25 L13.4 10.75 V7 M12 13.25 V17.25",
                                P::Stroke, T::Ink, 1.75f}});
        case Icon::BadgeDurable:
            return badge_with({{shield, P::Fill}, {"M9.25 12 L11.25 14 L15 10", P::Stroke, T::Ink, 2.0f}});
        case Icon::BadgeReplicaWarning:
            return badge_with({{shield, P::Stroke, T::Main, 2.0f},
                               {"M12 8.5 V12", P::Stroke, T::Main, 2.0f},
                               {"M13.1 15 A1.1 1.1 0 1 1 10.9 15 A1.1 1.1 0 1 1 13.1 15 Z", P::Fill}});
        case Icon::BadgeQueued:
            return badge_with({{badge_ring, P::Stroke, T::Main, 2.0f}, {"M12 8 V12 L14.75 13.75", P::Stroke, T::Main, 2.0f}});
    }
    return {};
}

}  // namespace

const std::vector<Layer>& layers(Icon icon) {
    static const auto table = [] {
        std::array<std::vector<Layer>, icon_count> t;
        for (int i = 0; i < icon_count; ++i) t[std::size_t(i)] = build(Icon(i));
        return t;
    }();
    auto i = std::size_t(icon);
    static const std::vector<Layer> none;
    return i < table.size() ? table[i] : none;
}

}  // namespace vesk_ui::icons::shapes
