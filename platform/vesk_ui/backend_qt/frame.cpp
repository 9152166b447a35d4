#include "frame.h"

namespace vesk_ui::qt {

void prepare_frame(Widget& root, Size size, Clock::time_point now, SyncPolicy sync) {
    if (sync == SyncPolicy::Always || (sync == SyncPolicy::IfNeeded && root.needs_idle_sync())) root.sync();
    root.update(now);
    if (root.take_structure_dirty()) root.build_layout();
    root.measure(size);
    root.apply_layout(Rect{0, 0, size.width, size.height});
}

void draw_frame(Widget& root, Painter& painter, const Theme& theme, float scale, Clock::time_point now) {
    DrawContext ctx{theme, now, scale};
    root.draw(painter, ctx);
    root.mark_drawn();
}

}  // namespace vesk_ui::qt
