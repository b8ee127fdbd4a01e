#pragma once

#include <cstdint>
#include <vector>

namespace lumo::device {

// A bounded FIFO of untyped pointers in a fixed ring: pushing and popping never
// allocate. The owner decides what the pointers are and frees them.
class TPointerQueue {
public:
    explicit TPointerQueue(std::int32_t capacity);

    // EListError "Queue overflow" when full.
    void Push(void* item);
    // EListError "Queue underflow" when empty, "Queue fault" when the slot is nil.
    void* Pop();
    std::int32_t Count() const { return count_; }
    std::int32_t Capacity() const { return capacity_; }

private:
    std::vector<void*> items_;
    std::int32_t capacity_;
    std::int32_t count_ = 0;
    std::int32_t writeIndex_ = 0;
    std::int32_t readIndex_ = 0;
};

}  // namespace lumo::device
