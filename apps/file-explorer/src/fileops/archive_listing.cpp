#include "fileops/archive_listing.h"

namespace file_explorer::fileops {

// Archive formats are not read yet; browsing an archive reports this like a
// folder that cannot be opened.
std::expected<std::vector<ArchiveEntry>, std::string> list_archive_folder(const std::string& /*archive*/,
                                                                          const std::string& /*inner*/) {
    return std::unexpected(std::string("reading archives is not supported yet"));
}

}  // namespace file_explorer::fileops
