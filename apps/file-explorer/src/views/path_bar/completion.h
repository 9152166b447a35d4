// Completion of typed paths: which folder to list and which names of it
// match, computed in small steps so that a keystroke never waits on a large
// folder.
//
// The folder is read once per edit into a compact name table (raw bytes and
// a case-folded copy) a bounded number of entries at a time; every query on
// the same folder scans that table again, also in bounded steps, keeping
// only the best 60 candidates as it goes. A step stops at its deadline, so
// one step costs at most about that long however large the folder is.
#pragma once

#include <dirent.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace file_explorer::views {

struct CompletionCandidate {
    std::string name;  // as text (invalid UTF-8 replaced)
    std::string path;  // raw bytes
    bool is_dir = false;
    bool operator==(const CompletionCandidate&) const = default;
};

// What a text asks for: the folder to list and the prefix of the names.
struct CompletionQuery {
    std::string folder;  // ends with "/"
    std::string prefix;
    bool operator==(const CompletionQuery&) const = default;
};

// "~" alone is the home folder, "~/rest" is below it; anything else, or any
// text when no home folder is known, stays as it is.
std::string expand_home(std::string_view text, const std::optional<std::string>& home);
// The reverse, for display: "~" for the home folder, "~/rest" below it.
std::string home_abbreviated(std::string_view path, const std::optional<std::string>& home);
// The path a submitted text names: "~" expanded, joined onto `base` (an
// absolute text replaces it), without trailing separators.
std::string resolve_typed_path(std::string_view text, std::string_view base, const std::optional<std::string>& home);
CompletionQuery completion_query(std::string_view text, std::string_view base, const std::optional<std::string>& home);

// Case folding for prefix matching: ASCII, Latin-1, Greek and Cyrillic
// letters to lower case, byte for byte the same length; bytes that are not
// UTF-8 are kept as they are.
std::string fold_case(std::string_view text);

class CompletionEngine {
public:
    static constexpr std::size_t max_candidates = 60;

    CompletionEngine() = default;
    ~CompletionEngine();
    CompletionEngine(const CompletionEngine&) = delete;
    CompletionEngine& operator=(const CompletionEngine&) = delete;

    // Starts answering `query`; a folder read before is not read again.
    void start(const CompletionQuery& query);
    // Forgets the folder read so far (a new edit lists it afresh).
    void reset();
    // Reads and scans until `deadline` (at least one small batch); true
    // when the candidates changed.
    bool step(std::chrono::steady_clock::time_point deadline);
    bool done() const;
    // Folders first, then by folded name (byte order); at most 60.
    const std::vector<CompletionCandidate>& candidates() const { return top_; }
    const CompletionQuery& query() const { return query_; }
    std::size_t listed() const { return names_.size(); }

private:
    struct Name {
        std::uint32_t offset = 0;  // into bytes_ and folded_
        std::uint32_t size = 0;
        bool is_dir = false;
    };
    bool read_batch(std::size_t count);
    bool scan_batch(std::size_t count);
    bool offer(const Name& name);
    void close_dir();

    CompletionQuery query_;
    std::string folded_prefix_;
    bool show_hidden_ = false;
    bool started_ = false;

    std::string folder_;  // the folder whose names are held
    DIR* dir_ = nullptr;
    bool listing_complete_ = false;
    std::string bytes_;
    std::string folded_;
    std::vector<Name> names_;

    std::size_t scanned_ = 0;
    std::vector<CompletionCandidate> top_;
    std::vector<std::string> top_keys_;  // folded names of top_
};

// The whole answer at once (tests and small folders).
std::vector<CompletionCandidate> complete_now(std::string_view text, std::string_view base,
                                              const std::optional<std::string>& home);

}  // namespace file_explorer::views
