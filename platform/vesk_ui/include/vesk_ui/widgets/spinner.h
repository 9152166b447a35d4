// An indeterminate progress indicator: an arc turning around a faint track.
// It animates from the frame clock, so its owner must ask for animation
// frames while it is shown (needs_animation_frame).
#pragma once

#include "vesk_ui/widget.h"

namespace vesk_ui::widgets {

class Spinner : public Widget {
public:
    explicit Spinner(float diameter = 28) : diameter_(diameter) {}

    Spinner& set_label(std::string label);
    bool needs_animation_frame() const override { return true; }

    Size measure(Size available) override;
    void draw(Painter& painter, const DrawContext& ctx) override;
    std::optional<AccessNode> accessibility() const override;

private:
    float diameter_;
    std::string label_;
};

}  // namespace vesk_ui::widgets
