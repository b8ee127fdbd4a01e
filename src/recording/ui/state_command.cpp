#include "recording/ui/state_command.h"

#include <exception>
#include <memory>

#include "core/main_window_state.h"
#include "core/texts/core.h"
#include "core/ui/main_window.h"
#include "core/ui/qt_text.h"
#include "core/workstation.h"
#include "device/serial_link.h"
#include "device/unit_port.h"
#include "platform/message_box.h"
#include "platform/realtime_priority.h"
#include "platform/serial_ports.h"
#include "recording/ui/frm_baevsky.h"
#include "recording/ui/frm_state.h"

namespace lumo::recording::ui {

namespace {

StateCommandSteps defaultSteps(core::ui::TfrmMain& main, core::Workstation& ws) {
    StateCommandSteps steps;
    steps.runState = [&main, &ws]() -> std::optional<StateStatistics> {
        const device::UnitPortChoice port = device::unitPortFromSettings(ws.settings().list());
        std::unique_ptr<device::SerialLink> link = platform::makeUnitLink(port, [&ws](int id) { return ws.texts()(id); });
        platform::RealtimePriority priority;
        TfrmState window(ws, *link, priority, &main);
        if (window.exec() != QDialog::Accepted) return std::nullopt;
        return window.statistics();
    };
    steps.runSummary = [&main, &ws](const StateStatistics& statistics) {
        TfrmBaevsky window(ws, statistics, &main);
        window.exec();
    };
    steps.showError = [&main, &ws](const QString& text) {
        platform::showMessage(&main, QMessageBox::Critical, main.windowTitle(), text, ws.texts());
    };
    return steps;
}

void runStateCommand(core::Workstation& ws, const StateCommandSteps& steps) {
    const std::optional<StateStatistics> statistics = steps.runState();
    if (!statistics) return;
    try {
        steps.runSummary(*statistics);
    } catch (const std::exception& error) {
        steps.showError(core::ui::qs(ws.texts()(txt::CmdNoResourcesSummary) + "\n" + error.what()));
    }
}

}  // namespace

void installStateCommand(core::ui::TfrmMain& main, core::Workstation& workstation) {
    installStateCommand(main, workstation, defaultSteps(main, workstation));
}

void installStateCommand(core::ui::TfrmMain& main, core::Workstation& workstation, StateCommandSteps steps) {
    main.setCommandHandler(core::Command::ExamineeState,
                           [&workstation, steps = std::move(steps)] { runStateCommand(workstation, steps); });
}

}  // namespace lumo::recording::ui
