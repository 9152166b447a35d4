// The archive commands as the executor runs them: each gives the status text
// to show and whether the current folder is to be loaded again. Refusing
// them inside an archive location is the executor's part.
#pragma once

#include <string>
#include <vector>

namespace file_explorer::fileops {

struct ArchiveCommandOutcome {
    std::string status;
    bool reload = false;
};

// "extract-here": extracts each selected path with an archive name beside
// itself, continuing after failures; "files-archive-select" when none has
// one, else "files-archive-extracted" with the total of files written, or
// "files-archive-extracted-partial" naming every failed archive.
ArchiveCommandOutcome extract_selected_archives(const std::vector<std::string>& selected, const std::string& current);

// "extract-archive" while browsing inside `archive`, when the listing does not
// show the archive itself (otherwise the executor selects it alone and runs
// extract_selected_archives): "files-archive-extracted" or
// "files-archive-extract-failed".
ArchiveCommandOutcome extract_browsed_archive(const std::string& archive, const std::string& current);

// "compress": packs the selection into a new ZIP in `current`;
// "files-archive-select-compress" without a selection, else
// "files-archive-created" with the ZIP's name or "files-archive-create-failed".
ArchiveCommandOutcome compress_selection(const std::vector<std::string>& selected, const std::string& current);

}  // namespace file_explorer::fileops
