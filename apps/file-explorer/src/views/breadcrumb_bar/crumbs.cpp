#include "views/breadcrumb_bar/crumbs.h"

#include "fileops/paths.h"
#include "fileops/text.h"
#include "i18n/i18n.h"

namespace file_explorer::views {

namespace {

// One crumb per component of `folder` after the first `skip`, each targeting
// `anchor` joined with the components up to it.
void append_below(std::vector<Crumb>& out, std::string_view folder, std::size_t skip, std::string anchor) {
    const auto parts = fileops::path_components(folder).parts;
    std::string target = std::move(anchor);
    for (std::size_t i = skip; i < parts.size(); ++i) {
        if (parts[i] == "." || parts[i] == "..") continue;
        target = fileops::join_path(target, parts[i]);
        out.push_back({fileops::lossy_utf8(parts[i]), target});
    }
}

}  // namespace

std::vector<Crumb> make_crumbs(std::string_view folder, const std::optional<std::string>& home,
                               const std::vector<std::string>& workspace_roots) {
    std::vector<Crumb> out;
    const std::string* anchor = nullptr;
    for (const std::string& root : workspace_roots) {
        if (!fileops::path_starts_with(folder, root)) continue;
        // The innermost root wins; on equal length the later one.
        if (!anchor || root.size() >= anchor->size()) anchor = &root;
    }
    if (anchor) {
        std::string_view name = fileops::file_name(*anchor);
        out.push_back({name.empty() ? i18n::tr("files-place-workspace") : fileops::lossy_utf8(name), *anchor});
        append_below(out, folder, fileops::path_components(*anchor).parts.size(), *anchor);
        return out;
    }
    if (home && !home->empty() && fileops::path_starts_with(folder, *home)) {
        out.push_back({i18n::tr("files-place-home"), *home});
        append_below(out, folder, fileops::path_components(*home).parts.size(), *home);
        return out;
    }
    out.push_back({"/", "/"});
    append_below(out, folder, 0, "/");
    return out;
}

std::vector<CrumbSlot> layout_crumbs(const std::vector<float>& widths, const CrumbMetrics& m, float bar_width) {
    std::vector<CrumbSlot> out;
    const std::size_t n = widths.size();
    if (n == 0) return out;
    float total = 0;
    for (float w : widths) total += w;
    total += m.separator * float(n - 1);

    std::vector<std::size_t> shown;
    bool collapsed = false;
    if (total <= bar_width - 4 || n < 2) {
        for (std::size_t i = 0; i < n; ++i) shown.push_back(i);
    } else {
        collapsed = true;
        const float room = bar_width - 4 - widths[0] - m.ellipsis - m.separator;
        // The current folder stays even when it alone does not fit.
        std::vector<std::size_t> tail{n - 1};
        float used = widths[n - 1];
        for (std::size_t i = n - 1; i-- > 1;) {
            if (used + m.separator + widths[i] > room) break;
            used += m.separator + widths[i];
            tail.push_back(i);
        }
        shown.push_back(0);
        shown.insert(shown.end(), tail.rbegin(), tail.rend());
    }

    float x = 0;
    for (std::size_t k = 0; k < shown.size(); ++k) {
        if (k > 0) x += m.separator;
        out.push_back({shown[k], x, widths[shown[k]]});
        x += widths[shown[k]];
        if (collapsed && k == 0) {
            x += m.separator;
            out.push_back({std::nullopt, x, m.ellipsis});
            x += m.ellipsis;
        }
    }
    return out;
}

}  // namespace file_explorer::views
