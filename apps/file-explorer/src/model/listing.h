// Reading one local folder into entries.
#pragma once

#include <expected>
#include <string>
#include <vector>

#include "model/file_entry.h"

namespace file_explorer::model {

// The folder's items in the order the system lists them, or the system's
// description of the error when the folder cannot be opened. An item whose
// status cannot be read is still listed (no folder, size 0, no time); items
// the system fails to yield are skipped. With `collaborative`, the
// collaborative fields are read for each item.
std::expected<std::vector<FileEntry>, std::string> list_directory(const std::string& folder, bool collaborative);

}  // namespace file_explorer::model
