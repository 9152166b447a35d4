#include "fileops/transfer.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>

#include <spdlog/logger.h>
#include <spdlog/spdlog.h>

#include <cerrno>
#include <cstdlib>
#include <memory>

#include "fileops/copy_tree.h"
#include "fileops/errno_text.h"
#include "fileops/fault_seam.h"
#include "fileops/free_name.h"
#include "fileops/paths.h"
#include "fileops/random_uuid.h"
#include "fileops/remove_path.h"
#include "fileops/text.h"
#include "i18n/i18n.h"

namespace file_explorer::fileops {
namespace {

using PathResult = std::expected<std::string, std::string>;

std::shared_ptr<spdlog::logger> fileops_logger() {
    constexpr const char* kName = "file_explorer::fileops";
    if (auto existing = spdlog::get(kName)) return existing;
    auto created = spdlog::default_logger()->clone(kName);
    try {
        spdlog::register_logger(created);
    } catch (const spdlog::spdlog_ex&) {
        // Another module registered the same target meanwhile.
        if (auto existing = spdlog::get(kName)) return existing;
    }
    return created;
}

// The absolute path without symbolic links, or the errno of the failure.
std::expected<std::string, int> canonical_path(const std::string& path) {
    char* resolved = realpath(path.empty() ? "." : path.c_str(), nullptr);
    if (resolved == nullptr) return std::unexpected(errno);
    std::string out(resolved);
    std::free(resolved);
    return out;
}

std::string retained_form(const std::string& message, const std::string& payload, const std::string& error) {
    return message + "; private staging retained at " + lossy_utf8(payload) + ": " + error;
}

// Creates a fresh private staging folder in `folder`.
PathResult allocate_staging(const std::string& folder) {
    for (int attempt = 0; attempt < kAllocationAttempts; ++attempt) {
        auto uuid = random_uuid_v4();
        if (!uuid) break;
        std::string path = join_path(folder, std::string(kStagingPrefix) + *uuid);
        int err = injected_error(FaultSite::make_folder, path);
        if (err == 0 && mkdir(path.c_str(), 0700) == 0) return path;
        if (err == 0) err = errno;
        if (err != EEXIST) return std::unexpected(errno_text(err));
    }
    return std::unexpected(std::string(kStagingExhausted));
}

// Removes a staging folder whose payload was placed, so it is empty now.
void remove_empty_staging(const std::string& staging) {
    auto removed = remove_path(staging);
    if (removed) return;
    fileops_logger()->warn("empty Files transfer staging container could not be removed: path={} error={}",
                           lossy_utf8(staging), removed.error());
}

// Copies `from` into a fresh staging folder of `folder` and renames the copy
// to `to`, so nothing half-written ever carries that name.
std::expected<void, std::string> staged_copy_to(const std::string& from, const std::string& folder,
                                                const std::string& to) {
    auto staging = allocate_staging(folder);
    if (!staging) return std::unexpected(staging.error());
    std::string payload = join_path(*staging, kPayloadName);
    std::string error;
    if (auto copied = copy_tree(from, payload); !copied) {
        error = copied.error();
    } else if (auto renamed = rename_no_replace(payload, to); !renamed) {
        error = errno_text(renamed.error());
    } else {
        remove_empty_staging(*staging);
        return {};
    }
    if (auto removed = remove_path(*staging); !removed) error = retained_form(error, payload, removed.error());
    return std::unexpected(error);
}

struct Placement {
    std::optional<std::string> path;  // where the item landed
    std::string failure;              // else why not
    bool exhausted = false;           // every number was taken
    int rename_error = 0;             // a rename failed with this errno
};

// Renames `from` to the first free numbered name of the item in
// `destination`. Taken names, also those taken between the test and the
// rename, move on to the next number.
Placement place_numbered(const std::string& from, const std::string& destination, const NameParts& parts) {
    Placement out;
    for (int n = 1; n <= kLastNameNumber; ++n) {
        std::string candidate = join_path(destination, numbered_name(parts, n));
        auto free = inspect_destination(candidate);
        if (!free) {
            out.failure = free.error();
            return out;
        }
        if (!*free) continue;
        auto renamed = rename_no_replace(from, candidate);
        if (renamed) {
            out.path = std::move(candidate);
            return out;
        }
        if (renamed.error() == EEXIST) continue;
        out.rename_error = renamed.error();
        out.failure = errno_text(renamed.error());
        return out;
    }
    out.exhausted = true;
    out.failure = names_exhausted_message(parts.full, destination);
    return out;
}

// Moves the source into the quarantine and deletes it there. A failure ends
// the transfer with the given message, which already includes the recovery.
std::expected<void, std::string> quarantine_and_delete(const std::string& source, StagingGuard& guard) {
    auto parent = parent_path(source);
    if (!parent) return std::unexpected(cleanup_staging(guard, kSourceNoParent));
    for (int attempt = 0; attempt < kAllocationAttempts; ++attempt) {
        auto uuid = random_uuid_v4();
        if (!uuid) break;
        std::string quarantine = join_path(*parent, std::string(kQuarantinePrefix) + *uuid);
        auto renamed = rename_no_replace(source, quarantine);
        if (!renamed) {
            if (renamed.error() == EEXIST) continue;
            return std::unexpected(cleanup_staging(guard, errno_text(renamed.error())));
        }
        auto removed = remove_path(quarantine);
        if (!removed) return std::unexpected(restore_source(source, quarantine, guard, removed.error()));
        return {};
    }
    return std::unexpected(cleanup_staging(guard, kQuarantineExhausted));
}

bool has_nul(const std::string& path) { return path.find('\0') != std::string::npos; }

}  // namespace

std::expected<void, int> rename_no_replace(const std::string& from, const std::string& to) {
    if (has_nul(from) || has_nul(to)) return std::unexpected(EINVAL);
    if (int err = injected_error(FaultSite::rename, to)) return std::unexpected(err);
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0) return std::unexpected(errno);
    return {};
}

StagingGuard::~StagingGuard() {
    if (settled) return;
    auto removed = remove_path(staging);
    if (removed) return;
    fileops_logger()->warn("Files transfer staging cleanup failed during unwinding: path={} error={}",
                           lossy_utf8(staging), removed.error());
}

std::string cleanup_staging(StagingGuard& guard, std::string message) {
    guard.settled = true;
    auto removed = remove_path(guard.staging);
    if (removed) return message;
    return retained_form(message, guard.payload, removed.error());
}

std::string restore_source(const std::string& source, const std::optional<std::string>& quarantine,
                           StagingGuard& guard, std::string message) {
    std::optional<std::string> quarantine_error;
    if (quarantine) {
        if (auto removed = remove_path(*quarantine); !removed) quarantine_error = removed.error();
    }
    // The rebuild is staged beside the source like any copy, so a failed
    // rebuild never leaves half an item under the source's name.
    auto parent = parent_path(source);
    auto rebuilt = parent ? staged_copy_to(guard.payload, *parent, source)
                          : std::expected<void, std::string>(std::unexpected(std::string(kSourceNoParent)));
    if (!rebuilt) {
        guard.settled = true;
        return message + "; source restoration failed: " + rebuilt.error() + "; staged data retained at " +
               lossy_utf8(guard.payload);
    }
    std::string out = cleanup_staging(guard, std::move(message));
    if (quarantine_error)
        out += "; partial source quarantine retained at " + lossy_utf8(*quarantine) + ": " + *quarantine_error;
    return out;
}

PathResult transfer_entry(const std::string& source, const std::string& destination, TransferMode mode) {
    // The C interfaces would stop at a NUL byte and act on another path.
    if (has_nul(source) || has_nul(destination)) return std::unexpected(errno_text(EINVAL));
    struct stat status {};
    if (lstat(source.c_str(), &status) != 0) return std::unexpected(errno_text(errno));

    if (S_ISDIR(status.st_mode)) {
        auto canonical_source = canonical_path(source);
        if (!canonical_source) return std::unexpected(errno_text(canonical_source.error()));
        auto canonical_destination = canonical_path(destination);
        if (!canonical_destination) return std::unexpected(errno_text(canonical_destination.error()));
        if (path_starts_with(*canonical_destination, *canonical_source))
            return std::unexpected(std::string(kFolderIntoItself));
    }

    std::string_view raw_name = file_name(source);
    if (raw_name.empty()) return std::unexpected(i18n::tr("files-source-no-name"));
    NameParts parts = name_parts(lossy_utf8(raw_name));

    if (mode == TransferMode::move) {
        auto parent = parent_path(source);
        auto canonical_destination = canonical_path(destination);
        auto canonical_parent = canonical_path(parent.value_or(""));
        if (parent && canonical_parent && canonical_destination && *canonical_parent == *canonical_destination)
            return std::unexpected(std::string(kAlreadyInFolder));
    }

    if (auto first = inspect_destination(join_path(destination, parts.full)); !first)
        return std::unexpected(first.error());

    if (mode == TransferMode::move) {
        Placement direct = place_numbered(source, destination, parts);
        if (direct.path) return *direct.path;
        // Only a rename the file system refuses (typically across devices)
        // leads on to the staged move; anything else is final, and the source
        // was not touched.
        if (direct.rename_error == 0) return std::unexpected(direct.failure);
    }

    auto staging = allocate_staging(destination);
    if (!staging) return std::unexpected(staging.error());
    std::string payload = join_path(*staging, kPayloadName);
    if (auto copied = copy_tree(source, payload); !copied) {
        auto removed = remove_path(*staging);
        if (removed) return std::unexpected(copied.error());
        return std::unexpected(retained_form(copied.error(), payload, removed.error()));
    }
    StagingGuard guard(*staging, payload);

    if (mode == TransferMode::move) {
        if (auto deleted = quarantine_and_delete(source, guard); !deleted) return std::unexpected(deleted.error());
    }

    Placement placed = place_numbered(payload, destination, parts);
    if (placed.path) {
        remove_empty_staging(*staging);
        guard.settled = true;
        return *placed.path;
    }
    if (mode == TransferMode::move) return std::unexpected(restore_source(source, std::nullopt, guard, placed.failure));
    return std::unexpected(cleanup_staging(guard, placed.failure));
}

}  // namespace file_explorer::fileops
