// A root widget over a scratch folder with its own XDG data folder (so
// Trash operations stay inside it) and templates folder, plus event helpers.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "files_app/explorer_widget.h"
#include "i18n/i18n.h"
#include "support/scratch.h"

namespace overlay_test {

using files_test::ScopedEnv;

namespace fs = std::filesystem;
using file_explorer::files_app::ExplorerConfig;
using file_explorer::files_app::FileExplorerWidget;

inline vesk_ui::Event key(std::string named, std::string text = {}, std::uint32_t modifiers = 0) {
    return vesk_ui::Event{vesk_ui::KeyEvent{std::move(named), std::move(text), modifiers}};
}

inline vesk_ui::Event pointer(vesk_ui::PointerKind kind, vesk_ui::Point at,
                              vesk_ui::Button button = vesk_ui::Button::Primary) {
    vesk_ui::PointerEvent p;
    p.kind = kind;
    p.physical = at;
    p.button = kind == vesk_ui::PointerKind::Move ? vesk_ui::Button::None : button;
    return vesk_ui::Event{p};
}

class OverlayTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("overlay-test-" + std::to_string(::getpid()) + "-" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        for (const char* d : {"work", "config", "data", "Templates"}) fs::create_directories(root_ / d);
        data_ = std::make_unique<ScopedEnv>("XDG_DATA_HOME", (root_ / "data").string());
        templates_ = std::make_unique<ScopedEnv>("XDG_TEMPLATES_DIR", (root_ / "Templates").string());
    }
    void TearDown() override {
        widget_.reset();
        fs::remove_all(root_);
    }

    void write(const fs::path& path, const std::string& text = "x") { std::ofstream(path) << text; }
    std::string work(const std::string& name = {}) const {
        return name.empty() ? (root_ / "work").string() : (root_ / "work" / name).string();
    }
    std::string trash_files() const { return (root_ / "data" / "Trash" / "files").string(); }

    // The widget laid out in a window of `width` × `height`.
    FileExplorerWidget& open(const std::string& start, float width = 1000, float height = 700) {
        ExplorerConfig config;
        config.config_dir = (root_ / "config").string();
        config.home = root_.string();
        config.fixed_workspace_roots = std::vector<std::string>{};
        widget_ = std::make_unique<FileExplorerWidget>(std::move(config), start);
        layout(width, height);
        return *widget_;
    }
    void layout(float width, float height) {
        widget_->build_layout();
        widget_->apply_layout(vesk_ui::Rect::from_xywh(0, 0, width, height));
    }
    bool send(const vesk_ui::Event& e) {
        vesk_ui::EventContext ctx;
        return widget_->handle_event(e, ctx);
    }
    void click(vesk_ui::Point at, vesk_ui::Button button = vesk_ui::Button::Primary) {
        send(pointer(vesk_ui::PointerKind::Move, at));
        send(pointer(vesk_ui::PointerKind::Down, at, button));
        send(pointer(vesk_ui::PointerKind::Up, at, button));
    }
    std::optional<std::size_t> index_of(const std::string& name) const {
        const auto& entries = widget_->entries();
        for (std::size_t i = 0; i < entries.size(); ++i)
            if (entries[i].name == name) return i;
        return std::nullopt;
    }
    // The file view's row of `name`, from the accessibility tree.
    vesk_ui::Rect row(const std::string& name) const {
        auto root = widget_->accessibility();
        if (root)
            for (const auto& child : root->children)
                for (const auto& item : child.children)
                    if (item.role == vesk_ui::Role::ListItem && item.label == name) return item.rect;
        ADD_FAILURE() << "no row for " << name;
        return {};
    }
    void select(std::initializer_list<const char*> names) {
        widget_->selection().clear();
        for (const char* name : names) widget_->selection().toggle(*index_of(name));
    }

    fs::path root_;
    std::unique_ptr<ScopedEnv> data_, templates_;
    std::unique_ptr<FileExplorerWidget> widget_;
};

}  // namespace overlay_test
