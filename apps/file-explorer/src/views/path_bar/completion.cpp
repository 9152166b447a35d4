#include "views/path_bar/completion.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>

#include "fileops/paths.h"
#include "fileops/text.h"

namespace file_explorer::views {

namespace {

using Clock = std::chrono::steady_clock;

// Past this many bytes of names a folder is not read further: completion
// then offers what it has seen.
constexpr std::size_t kMaxNameBytes = std::size_t(256) << 20;
constexpr std::size_t kReadBatch = 256;
constexpr std::size_t kScanBatch = 2048;

char32_t fold_code_point(char32_t c) {
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
    if (c >= 0x100 && c <= 0x137) return c | 1;
    if (c >= 0x139 && c <= 0x148) return (c & 1) ? c + 1 : c;
    if (c >= 0x14A && c <= 0x177) return c | 1;
    if (c == 0x178) return 0xFF;
    if (c >= 0x179 && c <= 0x17E) return (c & 1) ? c + 1 : c;
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return c + 0x20;
    if (c >= 0x410 && c <= 0x42F) return c + 0x20;
    if (c >= 0x400 && c <= 0x40F) return c + 0x50;
    return c;
}

bool is_hidden(std::string_view name) { return !name.empty() && name.front() == '.'; }

std::string trim_trailing_separators(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

}  // namespace

std::string fold_case(std::string_view text) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size();) {
        auto b0 = static_cast<unsigned char>(out[i]);
        if (b0 < 0x80) {
            if (b0 >= 'A' && b0 <= 'Z') out[i] = static_cast<char>(b0 + 32);
            ++i;
            continue;
        }
        // Only two-byte sequences have upper-case letters folded here; their
        // lower-case forms are two bytes long too.
        if (b0 >= 0xC2 && b0 <= 0xDF && i + 1 < out.size()) {
            auto b1 = static_cast<unsigned char>(out[i + 1]);
            if ((b1 & 0xC0) == 0x80) {
                char32_t c = (char32_t(b0 & 0x1F) << 6) | (b1 & 0x3F);
                char32_t f = fold_code_point(c);
                out[i] = static_cast<char>(0xC0 | (f >> 6));
                out[i + 1] = static_cast<char>(0x80 | (f & 0x3F));
                i += 2;
                continue;
            }
        }
        ++i;
    }
    return out;
}

std::string expand_home(std::string_view text, const std::optional<std::string>& home) {
    if (!home || home->empty()) return std::string(text);
    if (text == "~") return *home;
    if (text.starts_with("~/")) return fileops::join_path(*home, text.substr(2));
    return std::string(text);
}

std::string home_abbreviated(std::string_view path, const std::optional<std::string>& home) {
    std::string shown = fileops::lossy_utf8(path);
    if (!home || home->empty() || !fileops::path_starts_with(path, *home)) return shown;
    const std::size_t below = fileops::path_components(*home).parts.size();
    if (below == 0) return shown;  // a home of "/" would turn every path into "~/…"
    const auto parts = fileops::path_components(path).parts;
    std::string out = "~";
    for (std::size_t i = below; i < parts.size(); ++i) {
        out += '/';
        out += fileops::lossy_utf8(parts[i]);
    }
    return out;
}

std::string resolve_typed_path(std::string_view text, std::string_view base, const std::optional<std::string>& home) {
    return trim_trailing_separators(fileops::join_path(base, expand_home(text, home)));
}

CompletionQuery completion_query(std::string_view text, std::string_view base, const std::optional<std::string>& home) {
    std::string full = fileops::join_path(base, expand_home(text, home));
    if ((text.empty() || text == "~") && !full.ends_with('/')) full += '/';
    CompletionQuery q;
    const std::size_t slash = full.rfind('/');
    if (slash == std::string::npos) {
        q.folder = expand_home(full, home);
        return q;
    }
    q.folder = expand_home(std::string_view(full).substr(0, slash + 1), home);
    q.prefix = full.substr(slash + 1);
    return q;
}

CompletionEngine::~CompletionEngine() { close_dir(); }

void CompletionEngine::close_dir() {
    if (dir_) ::closedir(dir_);
    dir_ = nullptr;
}

void CompletionEngine::reset() {
    close_dir();
    folder_.clear();
    bytes_.clear();
    folded_.clear();
    names_.clear();
    listing_complete_ = false;
    started_ = false;
    scanned_ = 0;
    top_.clear();
    top_keys_.clear();
}

void CompletionEngine::start(const CompletionQuery& query) {
    if (!started_ || query.folder != folder_) {
        reset();
        folder_ = query.folder;
    }
    query_ = query;
    folded_prefix_ = fold_case(query.prefix);
    show_hidden_ = is_hidden(query.prefix);
    started_ = true;
    scanned_ = 0;
    top_.clear();
    top_keys_.clear();
}

bool CompletionEngine::done() const { return !started_ || (listing_complete_ && scanned_ == names_.size()); }

bool CompletionEngine::read_batch(std::size_t count) {
    if (!dir_) {
        dir_ = ::opendir(folder_.c_str());
        if (!dir_) {
            listing_complete_ = true;  // an unreadable folder has no suggestions
            return false;
        }
    }
    const int fd = ::dirfd(dir_);
    const std::size_t before = names_.size();
    for (std::size_t i = 0; i < count; ++i) {
        errno = 0;
        const dirent* entry = ::readdir(dir_);
        if (!entry || bytes_.size() > kMaxNameBytes) {
            // The end, or an unreadable rest: what was read stays usable.
            listing_complete_ = true;
            close_dir();
            break;
        }
        std::string_view name = entry->d_name;
        if (name == "." || name == "..") continue;
        bool is_dir = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN) {
            struct stat st {};
            // An item that cannot be examined is skipped.
            if (::fstatat(fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
            is_dir = S_ISDIR(st.st_mode);
        }
        names_.push_back({static_cast<std::uint32_t>(bytes_.size()), static_cast<std::uint32_t>(name.size()), is_dir});
        bytes_.append(name);
        folded_.append(fold_case(name));
    }
    return names_.size() > before;
}

bool CompletionEngine::offer(const Name& n) {
    std::string_view raw(bytes_.data() + n.offset, n.size);
    std::string_view folded(folded_.data() + n.offset, n.size);
    if (is_hidden(raw) && !show_hidden_) return false;
    if (!folded.starts_with(folded_prefix_)) return false;
    // Folders first, then the folded name, then the raw bytes to settle ties.
    auto before = [&](std::size_t i) {
        const bool other_dir = top_[i].is_dir;
        if (n.is_dir != other_dir) return n.is_dir;
        if (int c = folded.compare(top_keys_[i]); c != 0) return c < 0;
        return raw < std::string_view(top_[i].path).substr(folder_.size());
    };
    if (top_.size() == max_candidates && !before(top_.size() - 1)) return false;
    std::size_t lo = 0, hi = top_.size();
    while (lo < hi) {
        std::size_t mid = (lo + hi) / 2;
        if (before(mid)) hi = mid;
        else lo = mid + 1;
    }
    top_.insert(top_.begin() + static_cast<std::ptrdiff_t>(lo),
                CompletionCandidate{fileops::lossy_utf8(raw), folder_ + std::string(raw), n.is_dir});
    top_keys_.insert(top_keys_.begin() + static_cast<std::ptrdiff_t>(lo), std::string(folded));
    if (top_.size() > max_candidates) {
        top_.pop_back();
        top_keys_.pop_back();
    }
    return true;
}

bool CompletionEngine::scan_batch(std::size_t count) {
    bool changed = false;
    const std::size_t end = std::min(names_.size(), scanned_ + count);
    for (; scanned_ < end; ++scanned_) changed = offer(names_[scanned_]) || changed;
    return changed;
}

bool CompletionEngine::step(Clock::time_point deadline) {
    bool changed = false;
    do {
        if (scanned_ < names_.size()) changed = scan_batch(kScanBatch) || changed;
        else if (!listing_complete_) read_batch(kReadBatch);
        else break;
    } while (Clock::now() < deadline);
    return changed;
}

std::vector<CompletionCandidate> complete_now(std::string_view text, std::string_view base,
                                              const std::optional<std::string>& home) {
    CompletionEngine engine;
    engine.start(completion_query(text, base, home));
    while (!engine.done()) engine.step(Clock::time_point::max());
    return engine.candidates();
}

}  // namespace file_explorer::views
