#include "device/pointer_queue.h"

#include <algorithm>

#include "core/errors.h"

namespace lumo::device {

TPointerQueue::TPointerQueue(std::int32_t capacity)
    : items_(static_cast<std::size_t>(std::max(capacity, 0)), nullptr), capacity_(std::max(capacity, 0)) {}

void TPointerQueue::Push(void* item) {
    if (count_ >= capacity_) throw EListError("Queue overflow");
    items_[static_cast<std::size_t>(writeIndex_)] = item;
    writeIndex_ = (writeIndex_ + 1) % capacity_;
    ++count_;
}

void* TPointerQueue::Pop() {
    if (count_ == 0) throw EListError("Queue underflow");
    void*& slot = items_[static_cast<std::size_t>(readIndex_)];
    if (slot == nullptr) throw EListError("Queue fault");
    void* item = slot;
    slot = nullptr;
    readIndex_ = (readIndex_ + 1) % capacity_;
    --count_;
    return item;
}

}  // namespace lumo::device
