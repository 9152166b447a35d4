// The copy walker of the transfer engine.
#pragma once

#include <expected>
#include <string>

namespace file_explorer::fileops {

// The message of an entry that is not a regular file, folder or symbolic link
// (FIFOs, sockets, devices), or that became one while it was being opened.
inline constexpr const char* kSourceTypeChanged = "source type changed during copy";

// Copies the item at `source` (file, folder tree or symbolic link) to the new
// name `target`, which must not exist. Every access is relative to an open
// handle of the enclosing folder and never follows a symbolic link. Links are
// recreated with their target text; files and folders get the source's mode
// bits (set-user-ID and set-group-ID only while the copy keeps the owner and
// group) and nothing else: times, owners and extended attributes stay behind.
// File contents are cloned when the file system can share extents, else
// copied in the kernel, else read and written; holes of sparse files stay
// holes. A failure gives the system's description of the error or one of the
// walker's own texts; whatever was created until then stays for the caller to
// remove.
std::expected<void, std::string> copy_tree(const std::string& source, const std::string& target);

}  // namespace file_explorer::fileops
