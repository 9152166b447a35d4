// Loading a location for the root widget: the steps that do not touch widget
// state. The widget sets its loading flag, clears its selection, status and
// scroll offset, calls load_location, stores what comes back and sets its
// location to the path, also after an error.
#pragma once

#include <cstddef>
#include <expected>
#include <optional>
#include <string>
#include <vector>

#include "model/file_entry.h"
#include "model/ordering.h"

namespace file_explorer::model {

struct LoadOptions {
    bool show_hidden = false;
    SortState sort;
    // Resolved anew for every load (workspace_roots()), except in the
    // demonstration mode, which supplies a fixed list.
    std::vector<std::string> workspace_roots;
    // The Trash's files folder; loading it creates it first so that an absent
    // Trash lists as empty.
    std::optional<std::string> trash_files_folder;
};

struct LoadOutcome {
    std::vector<FileEntry> entries;  // empty after an error
    std::optional<std::string> error;  // "files-directory-read-failed", formatted
    std::optional<std::string> status_message;  // "files-archive-read-only" for archive locations
    bool is_archive = false;
};

// Reads the folder or archive folder at `path`, drops hidden names unless
// shown and orders the rest.
LoadOutcome load_location(const std::string& path, const LoadOptions& options);

// The entries of the archive folder `inner` of `archive`, with paths through
// the archive file; or the reader's error text.
std::expected<std::vector<FileEntry>, std::string> list_archive_entries(const std::string& archive,
                                                                        const std::string& inner);

// The status line: the status message, else the item count; with a
// selection, that text followed by the selected count.
std::string status_text(const std::optional<std::string>& status_message, std::size_t entry_count,
                        std::size_t selected_count);

}  // namespace file_explorer::model
