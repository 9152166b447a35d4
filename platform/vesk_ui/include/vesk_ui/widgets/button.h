// A push button with a label and/or an icon. Activated by a primary click
// released over it, by Enter or Space while focused, or by an activating
// semantic action on its identifier.
#pragma once

#include <functional>
#include <string>

#include "vesk_ui/icons.h"
#include "vesk_ui/widget.h"

namespace vesk_ui::widgets {

class Button : public Widget {
public:
    enum class Variant : std::uint8_t {
        Standard,  // raised surface with a border
        Primary,   // accent fill
        Flat,      // no background until hovered (toolbar buttons)
        Danger,    // destructive confirmations
    };

    explicit Button(std::string label = {}, std::function<void()> on_click = {});

    Button& set_label(std::string label);
    Button& set_icon(std::optional<Icon> icon);
    Button& set_variant(Variant variant);
    Button& set_enabled(bool enabled);
    Button& set_on_click(std::function<void()> on_click);
    // Semantic identifier for accessibility and automation.
    Button& set_id(std::string id);
    Button& set_description(std::string description);
    Button& set_checked(std::optional<bool> checked);

    const std::string& label() const { return label_; }
    const std::string& id() const { return id_; }
    bool enabled() const { return enabled_; }
    bool hovered() const { return hovered_; }
    bool pressed() const { return pressed_; }
    bool focused() const { return focused_; }
    // Runs the click callback when enabled; returns whether it ran.
    bool activate();

    Size measure(Size available) override;
    void draw(Painter& painter, const DrawContext& ctx) override;
    bool handle_event(const Event& event, EventContext& ctx) override;
    bool is_focusable() const override { return enabled_; }
    void set_focus(bool focused) override { focused_ = focused; }
    std::optional<AccessNode> accessibility() const override;
    bool perform_semantic_action(std::string_view node_id, SemanticAction action) override;

private:
    std::string label_;
    std::optional<Icon> icon_;
    Variant variant_ = Variant::Standard;
    std::function<void()> on_click_;
    std::string id_;
    std::string description_;
    std::optional<bool> checked_;
    bool enabled_ = true;
    bool hovered_ = false;
    bool pressed_ = false;
    bool focused_ = false;
};

}  // namespace vesk_ui::widgets
