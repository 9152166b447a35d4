#include "command/command.h"

#include <array>

namespace file_explorer::command {

std::string_view name(Kind kind) {
    static constexpr std::array<std::string_view, kCommandCount> kNames = {
        "navigate-to-path", "open-path", "go-up", "go-back", "go-forward", "refresh", "item-clicked",
        "context-menu-requested", "open-item", "move-cursor", "sort-by-column", "set-view-mode",
        "show-sort-menu", "show-view-menu", "set-sort-key", "toggle-sort-direction", "show-shortcuts",
        "set-sort-direction", "select-all", "open-terminal", "new-folder", "start-rename",
        "commit-rename", "cancel-rename", "move-to-trash", "undo-trash", "copy", "cut", "paste",
        "extract-here", "extract-archive", "compress", "send-nearby", "send-nearby-to",
        "show-nearby-destinations", "accept-nearby", "retry-nearby", "cancel-nearby",
        "show-template-menu", "new-from-template", "favourite-context-menu", "item-pressed",
        "start-drag", "add-favourite", "remove-favourite", "reorder-favourites", "zoom-in",
        "zoom-out", "toggle-hidden", "restore", "request-empty-trash", "delete-permanently",
        "empty-trash", "keep-offline", "use-automatic-storage", "free-local-space",
        "evict-destructively", "retry-transfer", "show-properties", "show-availability",
        "show-sharing", "create-share-link", "share-with", "compose-share", "revoke-share",
        "open-history", "open-history-version", "open-history-alt", "show-in-activity",
        "restore-previous-version", "resolve-conflict", "review-merge", "decline-nearby-offer",
    };
    return kNames[static_cast<std::size_t>(kind)];
}

}  // namespace file_explorer::command
