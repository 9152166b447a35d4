// Finding and creating the trash cans of one user.
#pragma once

#include <sys/types.h>

#include <expected>
#include <string>
#include <vector>

#include "fileops/trash_mounts.h"

namespace file_explorer::fileops {

struct TrashCan {
    std::string path;  // the can folder, holding "files" and "info"
    std::string top;   // the mount's top folder; empty for the home trash
};

// The can an item in `canonical_parent` goes to, created with its "files"
// and "info" when missing: the home can when the parent is on the home
// trash's mount, else the mount's own can. Failures are system descriptions.
std::expected<TrashCan, std::string> trash_can_for(const std::string& home_can, uid_t uid,
                                                   const std::string& canonical_parent,
                                                   const std::vector<MountPoint>& table);

// The cans that exist now: the home can, then per mount "$top/.Trash/$uid"
// (only below a safe "$top/.Trash") and "$top/.Trash-$uid". Folders that are
// symbolic links or owned by someone else never count.
std::vector<TrashCan> existing_trash_cans(const std::string& home_can, uid_t uid,
                                          const std::vector<MountPoint>& table);

}  // namespace file_explorer::fileops
