#include "platform/realtime_priority.h"

#include <sys/resource.h>

namespace lumo::platform {

void RealtimePriority::raise() {
    if (scheduled_ || niced_) return;
    savedPolicy_ = sched_getscheduler(0);
    sched_getparam(0, &savedParam_);
    savedNice_ = getpriority(PRIO_PROCESS, 0);
    sched_param param{};
    param.sched_priority = sched_get_priority_min(SCHED_RR);
    if (sched_setscheduler(0, SCHED_RR, &param) == 0) {
        scheduled_ = true;
    } else if (setpriority(PRIO_PROCESS, 0, savedNice_ - 5) == 0) {
        niced_ = true;
    }
}

void RealtimePriority::restore() {
    if (scheduled_ && savedPolicy_ >= 0) sched_setscheduler(0, savedPolicy_, &savedParam_);
    if (niced_) setpriority(PRIO_PROCESS, 0, savedNice_);
    scheduled_ = niced_ = false;
}

}  // namespace lumo::platform
