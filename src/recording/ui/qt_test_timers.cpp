#include "recording/ui/qt_test_timers.h"

#include <QTimer>

namespace lumo::recording::ui {

QtTestTimers::QtTestTimers(QObject* parent) : QObject(parent) {
    clock_.start();
    for (std::size_t i = 0; i < timers_.size(); ++i) {
        QTimer* t = new QTimer(this);
        t->setTimerType(Qt::PreciseTimer);
        const auto which = static_cast<TestTimer>(i);
        connect(t, &QTimer::timeout, this, [this, which] {
            if (onExpired) onExpired(which);
        });
        timers_[i] = t;
    }
}

std::int64_t QtTestTimers::milliseconds() const {
    return clock_.elapsed();
}

void QtTestTimers::start(TestTimer which, int intervalMilliseconds) {
    timer(which)->start(intervalMilliseconds);
}

void QtTestTimers::stop(TestTimer which) {
    timer(which)->stop();
}

bool QtTestTimers::active(TestTimer which) const {
    return timer(which)->isActive();
}

}  // namespace lumo::recording::ui
