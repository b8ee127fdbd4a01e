#pragma once

namespace lumo::core {

// Real-time priority while the unit streams; restored on every way out.
class ProcessPriority {
public:
    virtual ~ProcessPriority() = default;
    virtual void raise() = 0;
    virtual void restore() = 0;
};

// A priority that does nothing (tests, the demo).
class NoPriority final : public ProcessPriority {
public:
    void raise() override {}
    void restore() override {}
};

}  // namespace lumo::core
