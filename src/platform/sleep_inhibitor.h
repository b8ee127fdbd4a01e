#pragma once

namespace lumo::platform {

// Refuses sleep while the workstation runs: a logind "sleep" inhibitor lock
// taken over the system bus and held until this object goes. Best effort: a
// machine without logind or a bus simply sleeps as it likes.
class SleepInhibitor {
public:
    SleepInhibitor();
    ~SleepInhibitor();
    SleepInhibitor(const SleepInhibitor&) = delete;
    SleepInhibitor& operator=(const SleepInhibitor&) = delete;

    bool active() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

}  // namespace lumo::platform
