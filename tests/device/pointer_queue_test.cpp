#include <gtest/gtest.h>

#include "core/errors.h"
#include "device/pointer_queue.h"

namespace lumo::device {
namespace {

TEST(PointerQueue, KeepsOrderAcrossTheRingEnd) {
    TPointerQueue queue(3);
    int items[5];
    queue.Push(&items[0]);
    queue.Push(&items[1]);
    EXPECT_EQ(queue.Pop(), &items[0]);
    queue.Push(&items[2]);
    queue.Push(&items[3]);  // wraps to slot 0
    EXPECT_EQ(queue.Count(), 3);
    EXPECT_EQ(queue.Pop(), &items[1]);
    EXPECT_EQ(queue.Pop(), &items[2]);
    EXPECT_EQ(queue.Pop(), &items[3]);
    EXPECT_EQ(queue.Count(), 0);
}

TEST(PointerQueue, ReportsOverflowUnderflowAndFault) {
    TPointerQueue queue(2);
    int item = 0;
    try {
        queue.Pop();
        FAIL();
    } catch (const EListError& error) {
        EXPECT_STREQ(error.what(), "Queue underflow");
    }
    queue.Push(&item);
    queue.Push(&item);
    try {
        queue.Push(&item);
        FAIL();
    } catch (const EListError& error) {
        EXPECT_STREQ(error.what(), "Queue overflow");
    }
    EXPECT_EQ(queue.Count(), 2);  // the refused item changed nothing

    TPointerQueue nil(2);
    nil.Push(nullptr);
    try {
        nil.Pop();
        FAIL();
    } catch (const EListError& error) {
        EXPECT_STREQ(error.what(), "Queue fault");
    }
    EXPECT_EQ(nil.Count(), 1);

    TPointerQueue none(0);
    EXPECT_THROW(none.Push(&item), EListError);
}

}  // namespace
}  // namespace lumo::device
