#include "core/startup.h"

namespace lumo::core {

namespace {

template <typename Action>
void underProgress(ProgressView& view, const std::string& caption, Action action) {
    view.showProgress(caption, kProgressMaximum);
    view.setProgress(0);
    try {
        action([&view](int position) { view.setProgress(position); });
    } catch (...) {
        view.hideProgress();
        throw;
    }
    view.hideProgress();
}

}  // namespace

void StartupRoutine::runStartup(ProgressView& view, const std::string& caption) {
    underProgress(view, caption, [this](const std::function<void(int)>& move) {
        for (auto& step : steps_) {
            if (step.allocate) step.allocate(move);
        }
    });
}

void StartupRoutine::runShutdown(ProgressView& view, const std::string& caption) {
    underProgress(view, caption, [this](const std::function<void(int)>& move) {
        for (auto& step : steps_) {
            if (step.release) step.release(move);
        }
    });
}

}  // namespace lumo::core
