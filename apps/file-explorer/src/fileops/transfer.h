// The only local copy and move primitive.
//
// A copy is built completely inside a private staging folder in the
// destination folder (".vesk-transfer-" + a random UUID, mode 0700, holding
// one child "payload") and then put into view by a rename that refuses to
// replace, under the item's own name or the first free numbered one. A move
// is one rename when the file system allows it; otherwise it is a staged
// copy, then the source is renamed into a quarantine beside it
// (".vesk-transfer-source-" + a random UUID) and deleted, then the copy is
// placed. When a later step fails, the source is rebuilt from the staged copy
// and the message says what, if anything, was left where.
#pragma once

#include <expected>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace file_explorer::fileops {

enum class TransferMode { copy, move };

inline constexpr std::string_view kStagingPrefix = ".vesk-transfer-";
inline constexpr std::string_view kQuarantinePrefix = ".vesk-transfer-source-";
inline constexpr std::string_view kPayloadName = "payload";
// Fresh random names tried for one staging folder or one quarantine.
inline constexpr int kAllocationAttempts = 32;

inline constexpr const char* kFolderIntoItself = "cannot copy or move a folder into itself";
inline constexpr const char* kAlreadyInFolder = "the item is already in this folder";
inline constexpr const char* kStagingExhausted = "could not allocate private transfer staging";
inline constexpr const char* kQuarantineExhausted = "could not allocate private source quarantine";
inline constexpr const char* kSourceNoParent = "source has no parent directory";

// Atomic rename of `from` to `to` (relative paths against the current
// folder) that fails with EEXIST instead of replacing. Gives the errno of a
// failure; a path holding a NUL byte fails with EINVAL.
std::expected<void, int> rename_no_replace(const std::string& from, const std::string& to);

// A staging folder in use. Until `settled` is set, leaving the scope removes
// the staging folder; normal exits always settle it themselves.
struct StagingGuard {
    StagingGuard(std::string staging_path, std::string payload_path)
        : staging(std::move(staging_path)), payload(std::move(payload_path)) {}
    ~StagingGuard();
    StagingGuard(const StagingGuard&) = delete;
    StagingGuard& operator=(const StagingGuard&) = delete;

    std::string staging;
    std::string payload;
    bool settled = false;
};

// Removes the staging folder and gives `message`, extended by
// "; private staging retained at <payload>: <error>" when the removal fails.
// Settles the guard either way.
std::string cleanup_staging(StagingGuard& guard, std::string message);

// Recovery of a move whose source is gone: removes what is left of the
// quarantine, rebuilds the source at its former path from the staged payload
// and gives `message` (plus any cleanup text). When the rebuild fails the
// staged data stays and the message names it.
std::string restore_source(const std::string& source, const std::optional<std::string>& quarantine,
                           StagingGuard& guard, std::string message);

// Copies or moves the item at `source` into the folder `destination` and
// gives the path where it landed, or one message.
std::expected<std::string, std::string> transfer_entry(const std::string& source, const std::string& destination,
                                                       TransferMode mode);

}  // namespace file_explorer::fileops
