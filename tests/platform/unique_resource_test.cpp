#include "platform/unique_resource.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

std::vector<int> closed;

struct RecordingTraits {
    using Handle = int;
    static Handle Null() { return 0; }
    static void Close(Handle handle) { closed.push_back(handle); }
};
using Owner = platform::UniqueResource<RecordingTraits>;

// Every handle is closed once, by its last owner; a released one is the caller's.
TEST(UniqueResource, ClosesEachHandleOnceThroughMovesReleaseAndReset) {
    closed.clear();
    {
        Owner first(1);
        Owner moved(std::move(first));
        EXPECT_FALSE(first);
        EXPECT_EQ(moved.get(), 1);

        Owner assigned(2);
        assigned = std::move(moved);
        EXPECT_FALSE(moved);
        EXPECT_EQ(closed, std::vector<int>{2});
        Owner& same = assigned;
        assigned = std::move(same);
        EXPECT_EQ(assigned.get(), 1) << "a self-move keeps the handle";

        Owner released(3);
        EXPECT_EQ(released.release(), 3);
        EXPECT_FALSE(released);

        assigned.reset(4);
        EXPECT_EQ(closed, (std::vector<int>{2, 1}));
    }
    EXPECT_EQ(closed, (std::vector<int>{2, 1, 4}));
}

} // namespace
