// A segmented control: a row of options of which exactly one is chosen
// (list or grid, say). Options show an icon, a label, or both; an icon-only
// option keeps its label as the accessible name. A primary click released
// over an option chooses it; while focused, Left and Right move the choice.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "vesk_ui/icons.h"
#include "vesk_ui/widget.h"

namespace vesk_ui::widgets {

class ToggleGroup : public Widget {
public:
    struct Option {
        std::string label;
        std::optional<Icon> icon;
        std::string id;  // semantic identifier of the option
        bool show_label = true;
    };

    static constexpr float icon_option_width = 36;

    explicit ToggleGroup(std::vector<Option> options, std::size_t selected = 0);

    // Called with the new index after the user chose another option.
    ToggleGroup& set_on_change(std::function<void(std::size_t)> on_change);
    // The group's own identifier and accessible label.
    ToggleGroup& set_id(std::string id);
    ToggleGroup& set_label(std::string label);
    // Programmatic choice: no callback.
    void set_selected(std::size_t index);

    std::size_t selected() const { return selected_; }
    std::size_t size() const { return options_.size(); }
    const std::string& id() const { return id_; }
    const Option& option(std::size_t i) const { return options_[i]; }
    // Where option `i` lies after the last layout.
    std::optional<Rect> option_rect(std::size_t i) const;
    // The user's choice: selects `i` and reports it when it differs. True
    // when the choice changed.
    bool choose(std::size_t i);

    Size measure(Size available) override;
    void apply_layout(const Rect& bounds) override;
    void draw(Painter& painter, const DrawContext& ctx) override;
    bool handle_event(const Event& event, EventContext& ctx) override;
    bool is_focusable() const override { return true; }
    void set_focus(bool focused) override { focused_ = focused; }
    std::optional<AccessNode> accessibility() const override;
    bool perform_semantic_action(std::string_view node_id, SemanticAction action) override;

private:
    float option_width(const Option& o) const;
    std::optional<std::size_t> option_at(Point p) const;

    std::vector<Option> options_;
    std::vector<Rect> rects_;
    std::size_t selected_ = 0;
    std::string id_;
    std::string label_;
    std::function<void(std::size_t)> on_change_;
    std::optional<std::size_t> hovered_;
    std::optional<std::size_t> pressed_;
    bool focused_ = false;
};

}  // namespace vesk_ui::widgets
