// Column and Row: children one after another with spacing and padding.
// Children with a flex weight share the space left over.
#pragma once

#include <vector>

#include "vesk_ui/widget.h"

namespace vesk_ui::widgets {

struct Insets {
    float left = 0;
    float top = 0;
    float right = 0;
    float bottom = 0;
    static Insets all(float v) { return {v, v, v, v}; }
    static Insets symmetric(float horizontal, float vertical) { return {horizontal, vertical, horizontal, vertical}; }
};

// Placement across the stacking direction.
enum class CrossAlign : std::uint8_t { Stretch, Start, Center, End };

class Stack : public Widget {
public:
    enum class Axis : std::uint8_t { Vertical, Horizontal };
    explicit Stack(Axis axis) : axis_(axis) {}

    // Returns the child for further setup.
    template <class W>
    W& add(std::unique_ptr<W> child, float flex = 0) {
        W& ref = *child;
        items_.push_back({std::move(child), flex, {}});
        return ref;
    }
    Stack& set_spacing(float spacing);
    Stack& set_padding(Insets padding);
    Stack& set_cross_align(CrossAlign align);
    // Fills the bounds with this colour before the children, when set.
    Stack& set_background(std::optional<Color> color);

    std::size_t size() const { return items_.size(); }
    Widget& child(std::size_t i) { return *items_[i].widget; }

    Size measure(Size available) override;
    void apply_layout(const Rect& bounds) override;
    void draw(Painter& painter, const DrawContext& ctx) override;
    bool handle_event(const Event& event, EventContext& ctx) override;
    std::vector<Widget*> children() override;
    std::optional<AccessNode> accessibility() const override;
    bool perform_semantic_action(std::string_view node_id, SemanticAction action) override;
    // While any child animates (a spinner, say).
    bool needs_animation_frame() const override;

private:
    struct Item {
        WidgetBox widget;
        float flex = 0;
        Size measured;
    };
    float main(Size s) const { return axis_ == Axis::Vertical ? s.height : s.width; }
    float cross(Size s) const { return axis_ == Axis::Vertical ? s.width : s.height; }
    Size make(float main, float cross) const {
        return axis_ == Axis::Vertical ? Size{cross, main} : Size{main, cross};
    }

    Axis axis_;
    std::vector<Item> items_;
    float spacing_ = 0;
    Insets padding_;
    CrossAlign cross_align_ = CrossAlign::Stretch;
    std::optional<Color> background_;
};

class Column : public Stack {
public:
    Column() : Stack(Axis::Vertical) {}
};

class Row : public Stack {
public:
    Row() : Stack(Axis::Horizontal) {}
};

// Empty space: a fixed size, or with a flex weight in a stack, whatever is left.
class Spacer : public Widget {
public:
    explicit Spacer(float width = 0, float height = 0) : size_{width, height} {}
    Size measure(Size) override { return size_; }
    void draw(Painter&, const DrawContext&) override {}

private:
    Size size_;
};

}  // namespace vesk_ui::widgets
