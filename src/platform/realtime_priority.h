#pragma once

#include <sched.h>

#include "core/process_priority.h"

namespace lumo::platform {

// Real-time scheduling while the unit streams, best effort: without the
// right to it the process is only made nicer, and failures are ignored (the
// unit's pace is slow). Destruction gives the priority back.
class RealtimePriority final : public core::ProcessPriority {
public:
    ~RealtimePriority() override { restore(); }
    void raise() override;
    void restore() override;

private:
    bool scheduled_ = false;
    bool niced_ = false;
    int savedPolicy_ = -1;
    sched_param savedParam_{};
    int savedNice_ = 0;
};

}  // namespace lumo::platform
