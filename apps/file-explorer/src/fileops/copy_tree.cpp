#include "fileops/copy_tree.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>

#include "fileops/errno_text.h"
#include "fileops/fault_seam.h"
#include "fileops/owned_fd.h"
#include "fileops/paths.h"

namespace file_explorer::fileops {
namespace {

using Result = std::expected<void, std::string>;

Result fail(int err) { return std::unexpected(errno_text(err)); }
Result type_changed() { return std::unexpected(std::string(kSourceTypeChanged)); }

// Kernel copies go in large steps; the read/write fallback uses a buffer of
// this size. Both are checked against the fault seam once per step.
constexpr std::size_t kKernelChunk = std::size_t{64} << 20;
constexpr std::size_t kBufferSize = std::size_t{256} << 10;
// Larger files are read with a doubled read-ahead window.
constexpr off_t kAdviseSequentialFrom = off_t{1} << 20;

// What the file systems of one walk turned out to support, so that a tree of
// many files pays for an unsupported facility only once.
struct CopyContext {
    bool try_clone = true;
    bool try_kernel_copy = true;
    std::unique_ptr<char[]> buffer;
};

bool means_unsupported(int err) {
    return err == EOPNOTSUPP || err == ENOTTY || err == EXDEV || err == EINVAL || err == ENOSYS ||
           err == EBADF || err == EPERM;
}

// Copies `length` bytes (or up to the end of the source when `to_end`) from
// `offset` of `in` to the same offset of `out`.
Result copy_range(CopyContext& ctx, int in, int out, off_t offset, off_t length, bool to_end, const std::string& path) {
    while (to_end || length > 0) {
        std::size_t chunk = ctx.try_kernel_copy ? kKernelChunk : kBufferSize;
        if (!to_end) chunk = static_cast<std::size_t>(std::min<off_t>(length, static_cast<off_t>(chunk)));
        if (int err = injected_error(FaultSite::copy_data, path)) return fail(err);

        ssize_t done = -1;
        if (ctx.try_kernel_copy) {
            loff_t in_off = offset;
            loff_t out_off = offset;
            done = copy_file_range(in, &in_off, out, &out_off, chunk, 0);
            if (done < 0) {
                int err = errno;
                if (err == EINTR) continue;
                if (!means_unsupported(err)) return fail(err);
                ctx.try_kernel_copy = false;
                continue;
            }
        } else {
            if (!ctx.buffer) ctx.buffer = std::make_unique<char[]>(kBufferSize);
            done = pread(in, ctx.buffer.get(), chunk, offset);
            if (done < 0) {
                if (errno == EINTR) continue;
                return fail(errno);
            }
            for (ssize_t written = 0; written < done;) {
                ssize_t n = pwrite(out, ctx.buffer.get() + written, static_cast<std::size_t>(done - written),
                                   offset + written);
                if (n < 0) {
                    if (errno == EINTR) continue;
                    return fail(errno);
                }
                written += n;
            }
        }
        if (done == 0) break;  // end of the source (it may have shrunk)
        offset += done;
        length -= done;
    }
    return {};
}

// Copies only the data segments of a file with holes and sets the full size,
// so the holes stay unallocated in the copy.
Result copy_sparse(CopyContext& ctx, int in, int out, off_t size, const std::string& path) {
    off_t offset = 0;
    while (offset < size) {
        off_t data = lseek(in, offset, SEEK_DATA);
        if (data < 0) {
            if (errno == ENXIO) break;  // only a hole remains
            return copy_range(ctx, in, out, offset, 0, true, path);
        }
        off_t hole = lseek(in, data, SEEK_HOLE);
        if (hole < 0) return fail(errno);
        if (auto copied = copy_range(ctx, in, out, data, hole - data, false, path); !copied) return copied;
        offset = hole;
    }
    if (ftruncate(out, size) != 0) return fail(errno);
    return {};
}

Result copy_contents(CopyContext& ctx, int in, int out, const struct stat& status, const std::string& path) {
    if (ctx.try_clone && status.st_size > 0) {
        if (int err = injected_error(FaultSite::copy_data, path)) return fail(err);
        if (ioctl(out, FICLONE, in) == 0) return {};
        if (means_unsupported(errno)) ctx.try_clone = false;
    }
    // Files that report no size may still have content (as in /proc).
    if (status.st_size == 0) return copy_range(ctx, in, out, 0, 0, true, path);
    bool sparse = status.st_blocks * 512 < status.st_size;
    if (sparse) return copy_sparse(ctx, in, out, status.st_size, path);
    // The size seen at opening bounds the copy, which saves the call that
    // would only find the end of a small file.
    return copy_range(ctx, in, out, 0, status.st_size, false, path);
}

// The source's permission bits for the copy. Set-user-ID and set-group-ID
// only stay while the copy has the same owner and group, so copying another
// user's program never grants the copier's rights to it.
mode_t copy_mode(const struct stat& source, int out) {
    mode_t mode = source.st_mode & 07777;
    if ((mode & (S_ISUID | S_ISGID)) == 0) return mode;
    struct stat own {};
    if (fstat(out, &own) != 0) return mode & ~mode_t(S_ISUID | S_ISGID);
    if (own.st_uid != source.st_uid) mode &= ~mode_t(S_ISUID);
    if (own.st_gid != source.st_gid) mode &= ~mode_t(S_ISGID);
    return mode;
}

Result copy_entry(CopyContext& ctx, int src_dir, const char* src_name, const std::string& src_path, int dst_dir,
                  const char* dst_name, const std::string& dst_path);

Result copy_file(CopyContext& ctx, int in, const struct stat& status, int dst_dir, const char* dst_name,
                 const std::string& dst_path) {
    // The source was opened without blocking in case it had turned into a
    // FIFO; for a regular file, reads that do not block skip the synchronous
    // read-ahead and make the kernel copy crawl once pages are not cached.
    if (fcntl(in, F_SETFL, 0) != 0) return fail(errno);
    if (status.st_size >= kAdviseSequentialFrom) posix_fadvise(in, 0, 0, POSIX_FADV_SEQUENTIAL);
    if (int err = injected_error(FaultSite::create_file, dst_path)) return fail(err);
    OwnedFd out(openat(dst_dir, dst_name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (!out.valid()) return fail(errno);
    if (auto copied = copy_contents(ctx, in, out.get(), status, dst_path); !copied) return copied;
    if (fchmod(out.get(), copy_mode(status, out.get())) != 0) return fail(errno);
    // Some file systems report delayed write errors only here.
    if (close(out.release()) != 0) return fail(errno);
    return {};
}

Result copy_folder(CopyContext& ctx, OwnedFd in, const struct stat& status, const std::string& src_path, int dst_dir,
                   const char* dst_name, const std::string& dst_path) {
    if (int err = injected_error(FaultSite::make_folder, dst_path)) return fail(err);
    if (mkdirat(dst_dir, dst_name, 0777) != 0) return fail(errno);
    OwnedFd out(openat(dst_dir, dst_name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!out.valid()) return fail(errno);

    DirListing listing(fdopendir(in.get()));
    if (!listing) return fail(errno);
    in.release();  // the listing owns it now
    int src_fd = dirfd(listing.get());
    while (true) {
        errno = 0;
        struct dirent* entry = readdir(listing.get());
        if (entry == nullptr) {
            if (errno != 0) return fail(errno);
            break;
        }
        const char* name = entry->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
        auto copied = copy_entry(ctx, src_fd, name, join_path(src_path, name), out.get(), name, join_path(dst_path, name));
        if (!copied) return copied;
    }
    // After the contents, so that a read-only folder can still be filled.
    if (fchmod(out.get(), status.st_mode & 07777) != 0) return fail(errno);
    return {};
}

Result copy_link(int src_dir, const char* src_name, const struct stat& status, int dst_dir, const char* dst_name,
                 const std::string& dst_path) {
    std::vector<char> text(static_cast<std::size_t>(std::max<off_t>(status.st_size, 63)) + 1);
    while (true) {
        ssize_t n = readlinkat(src_dir, src_name, text.data(), text.size());
        if (n < 0) return errno == EINVAL ? type_changed() : fail(errno);
        if (static_cast<std::size_t>(n) < text.size()) {
            text[static_cast<std::size_t>(n)] = '\0';
            break;
        }
        text.resize(text.size() * 2);  // the link grew since the first look
    }
    if (int err = injected_error(FaultSite::make_link, dst_path)) return fail(err);
    if (symlinkat(text.data(), dst_dir, dst_name) != 0) return fail(errno);
    return {};
}

Result copy_entry(CopyContext& ctx, int src_dir, const char* src_name, const std::string& src_path, int dst_dir,
                  const char* dst_name, const std::string& dst_path) {
    struct stat first {};
    if (fstatat(src_dir, src_name, &first, AT_SYMLINK_NOFOLLOW) != 0) return fail(errno);
    if (S_ISLNK(first.st_mode)) return copy_link(src_dir, src_name, first, dst_dir, dst_name, dst_path);
    // FIFOs and devices are refused before an open could block on them.
    if (!S_ISREG(first.st_mode) && !S_ISDIR(first.st_mode)) return type_changed();

    if (int err = injected_error(FaultSite::open_source, src_path)) return fail(err);
    OwnedFd in(openat(src_dir, src_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!in.valid()) return errno == ELOOP ? type_changed() : fail(errno);
    struct stat status {};
    if (fstat(in.get(), &status) != 0) return fail(errno);
    if (S_ISREG(status.st_mode)) return copy_file(ctx, in.get(), status, dst_dir, dst_name, dst_path);
    if (S_ISDIR(status.st_mode)) return copy_folder(ctx, std::move(in), status, src_path, dst_dir, dst_name, dst_path);
    return type_changed();
}

std::expected<OwnedFd, std::string> open_folder_handle(const std::string& folder) {
    OwnedFd fd(open(folder.empty() ? "." : folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!fd.valid()) return std::unexpected(errno_text(errno));
    return fd;
}

}  // namespace

Result copy_tree(const std::string& source, const std::string& target) {
    // The C interfaces would stop at a NUL byte and act on another path.
    if (source.find('\0') != std::string::npos || target.find('\0') != std::string::npos) return fail(EINVAL);
    auto source_parent = parent_path(source);
    if (!source_parent) return std::unexpected(std::string("source has no parent directory"));
    std::string source_name(file_name(source));
    if (source_name.empty()) return std::unexpected(std::string("source has no file name"));
    auto target_parent = parent_path(target);
    std::string target_name(file_name(target));
    if (!target_parent || target_name.empty()) return fail(EINVAL);

    auto src_dir = open_folder_handle(*source_parent);
    if (!src_dir) return std::unexpected(src_dir.error());
    auto dst_dir = open_folder_handle(*target_parent);
    if (!dst_dir) return std::unexpected(dst_dir.error());
    CopyContext ctx;
    return copy_entry(ctx, src_dir->get(), source_name.c_str(), source, dst_dir->get(), target_name.c_str(), target);
}

}  // namespace file_explorer::fileops
