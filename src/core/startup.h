#pragma once

#include <functional>
#include <string>
#include <vector>

namespace lumo::core {

// The gauge of the progress window: the start-up and shut-down routines
// report through it and let the message loop run after every move.
class ProgressView {
public:
    virtual ~ProgressView() = default;
    virtual void showProgress(const std::string& caption, int maximum) = 0;
    virtual void setProgress(int position) = 0;
    virtual void hideProgress() = 0;
};

// The gauge runs from 0 to this value in both routines.
inline constexpr int kProgressMaximum = 32790;

// One block of memory held for the whole run (the scoring workspace registers
// its tables here). Both actions report gauge positions through `move`.
struct AllocationStep {
    std::function<void(const std::function<void(int)>& move)> allocate;
    std::function<void(const std::function<void(int)>& move)> release;
};

// The start-up and shut-down routines: the registered steps run in order
// under the progress window; at shut-down they are released in the same order.
class StartupRoutine {
public:
    void registerStep(AllocationStep step) { steps_.push_back(std::move(step)); }

    // Shows the window under `caption`, runs every allocation and hides the
    // window, also when a step fails (the error then propagates).
    void runStartup(ProgressView& view, const std::string& caption);
    // The same for the releases, in the order of the allocations.
    void runShutdown(ProgressView& view, const std::string& caption);

private:
    std::vector<AllocationStep> steps_;
};

}  // namespace lumo::core
