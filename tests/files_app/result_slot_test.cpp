#include "files_app/result_slot.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>

using file_explorer::files_app::BackgroundArea;

TEST(BackgroundArea, OneWorkerAtATimeAndResultsTakenOnce) {
    BackgroundArea<std::string> area;
    std::promise<void> go;
    auto gate = go.get_future().share();
    ASSERT_TRUE(area.start([gate] {
        gate.wait();
        return std::string("done");
    }));
    EXPECT_TRUE(area.pending());
    EXPECT_FALSE(area.start([] { return std::string("second"); }));  // busy: refused
    EXPECT_FALSE(area.poll());
    go.set_value();
    std::optional<std::string> result;
    for (int i = 0; i < 500 && !result; ++i) {
        result = area.poll();
        if (!result) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    EXPECT_EQ(result, "done");
    EXPECT_FALSE(area.pending());
    EXPECT_FALSE(area.poll());
}
