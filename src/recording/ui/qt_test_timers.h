#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <array>

#include "recording/test_run_timers.h"

class QTimer;

namespace lumo::recording::ui {

// The test's two timers on the window's event loop.
class QtTestTimers final : public QObject, public TestTimers {
    Q_OBJECT

public:
    explicit QtTestTimers(QObject* parent = nullptr);

    std::int64_t milliseconds() const override;
    void start(TestTimer timer, int intervalMilliseconds) override;
    void stop(TestTimer timer) override;
    bool active(TestTimer timer) const override;

private:
    QTimer* timer(TestTimer which) const { return timers_[static_cast<std::size_t>(which)]; }

    QElapsedTimer clock_;
    std::array<QTimer*, 2> timers_{};
};

}  // namespace lumo::recording::ui
