// The breadcrumbs of a folder and how they fit a bar of a given width.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace file_explorer::views {

struct Crumb {
    std::string label;   // text
    std::string target;  // raw path
    bool operator==(const Crumb&) const = default;
};

// From the anchor of `folder` to the folder itself: the innermost workspace
// root holding it (its own name, or "Workspace"), else Home when it lies in
// the home folder, else the file system root "/"; then one crumb per
// component below the anchor.
std::vector<Crumb> make_crumbs(std::string_view folder, const std::optional<std::string>& home,
                               const std::vector<std::string>& workspace_roots);

// One shown piece of a laid-out bar: a crumb, or the "…" standing for the
// crumbs left out.
struct CrumbSlot {
    std::optional<std::size_t> crumb;  // none for "…"
    float left = 0;                    // from the start of the bar's text area
    float width = 0;
};

struct CrumbMetrics {
    float separator = 0;  // "›" with its space on both sides
    float ellipsis = 0;   // "…"
};

// Every crumb in a row when they fit `bar_width` − 4; otherwise the first
// crumb, "…", and as many crumbs from the end as fit, the current folder
// always. Slots are in display order.
std::vector<CrumbSlot> layout_crumbs(const std::vector<float>& widths, const CrumbMetrics& metrics, float bar_width);

}  // namespace file_explorer::views
