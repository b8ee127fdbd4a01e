#include "authoring/ui/exam_commands.h"

#include <QDialog>
#include <memory>

#include "authoring/exam_commands.h"
#include "authoring/exam_files.h"
#include "authoring/ui/exam_name_box.h"
#include "authoring/ui/frm_qst_list.h"
#include "authoring/ui/frm_test_order.h"
#include "core/main_window_state.h"
#include "core/texts/core.h"
#include "core/ui/main_window.h"
#include "core/ui/qt_text.h"
#include "core/workstation.h"
#include "platform/message_box.h"
#include "recording/ui/test_command.h"

namespace lumo::authoring::ui {

using core::ui::qs;
namespace fs = std::filesystem;

namespace {

// What the commands share for the whole run.
struct ExamCommandContext {
    core::ui::TfrmMain& main;
    core::Workstation& ws;
    ExamCommandSteps steps;
    TfrmTestOrder* order;
    int rememberedPosition = -1;  // the chooser's, -1 when none

    ExamCommandFlow flow() {
        ExamCommandFlow flow;
        if (steps.editExam) {
            flow.editExam = [this](const fs::path& file, bool structure) { return steps.editExam(&main, file, structure); };
        }
        flow.askTemplateName = [this](const std::string& proposal) -> std::optional<std::string> {
            const std::optional<QString> name =
                steps.askText(main.windowTitle(), qs(ws.texts()(txt::CmdNameNewTemplate)), qs(proposal));
            if (!name) return std::nullopt;
            return name->toStdString();
        };
        flow.confirm = [this](const std::string& text) { return steps.confirm(qs(text)); };
        flow.warn = [this](const std::string& text) { steps.warn(qs(text)); };
        flow.runTest = steps.runTest;
        return flow;
    }

    // The order dialog for the exam in `mode`; true for its OK.
    bool runOrderDialog(const fs::path& examFile, OrderMode mode) {
        order->setExamFile(examFile);
        order->prepare(mode);
        return steps.execDialog(*order) == QDialog::Accepted;
    }

    fs::path currentExam() const { return currentExamFile(ws, ws.records().current().examNumber); }

    void runChooser() {
        if (!ws.records().current().isSet()) {
            main.reopenMenu(core::Menu::Preparations, 0);
            return;
        }
        QstListSteps forList;
        forList.editExam = steps.editExam;
        forList.setOrders = [this](const fs::path& file) { runOrderDialog(file, OrderMode::Set); };
        forList.chooseOrder = [this](const fs::path& file) { return runOrderDialog(file, OrderMode::Choose); };
        forList.runTest = steps.runTest;
        forList.askText = steps.askText;
        forList.confirm = steps.confirm;
        forList.warn = steps.warn;
        forList.inform = steps.inform;
        forList.error = steps.error;
        int chosen = 0;
        {
            TfrmQstList chooser(ws, rememberedPosition, std::move(forList), &main);
            if (!chooser.fill()) return;
            if (steps.execDialog(chooser) != QDialog::Accepted) {
                rememberedPosition = -1;
                return;
            }
            chosen = chooser.chosenExam();
        }
        if (chosen == 0) return;
        core::runCommandStep(txt::CmdNoResourcesSummary, [&] { testExam(ws, chosen, flow()); });
        main.reopenMenu(core::Menu::Test, 0);
    }
};

}  // namespace

ExamCommandSteps defaultExamCommandSteps(core::ui::TfrmMain& main, core::Workstation& ws) {
    ExamCommandSteps steps;
    steps.runTest = [&main, &ws](const recording::TestRunSetup& setup) { recording::ui::launchTestWindow(&main, ws, setup); };
    steps.execDialog = [](QDialog& dialog) { return dialog.exec(); };
    steps.askText = [&main, &ws](const QString& title, const QString& prompt,
                                 const QString& proposal) -> std::optional<QString> {
        ExamNameBox box(ws.texts(), title, prompt, proposal, &main);
        if (box.exec() != QDialog::Accepted) return std::nullopt;
        return box.name();
    };
    steps.confirm = [&main, &ws](const QString& text) { return platform::askYesNo(&main, main.windowTitle(), text, ws.texts()); };
    steps.warn = [&main, &ws](const QString& text) {
        platform::showMessage(&main, QMessageBox::Warning, main.windowTitle(), text, ws.texts());
    };
    steps.inform = [&main, &ws](const QString& text) {
        platform::showMessage(&main, QMessageBox::Information, main.windowTitle(), text, ws.texts());
    };
    steps.error = [&main, &ws](const QString& text) {
        platform::showMessage(&main, QMessageBox::Critical, main.windowTitle(), text, ws.texts());
    };
    return steps;
}

TfrmTestOrder& installExamCommands(core::ui::TfrmMain& main, core::Workstation& ws, ExamCommandSteps steps) {
    // The main window owns the order dialog, so it lives as long as the run.
    auto* order = new TfrmTestOrder(ws, &main);
    auto context = std::make_shared<ExamCommandContext>(ExamCommandContext{main, ws, std::move(steps), order});
    const bool editor = static_cast<bool>(context->steps.editExam);

    main.state().setExamSelectedHook([context](int examNumber) {
        context->order->setExamFile(currentExamFile(context->ws, examNumber));
        context->ws.records().setChosenOrder(1);
    });

    main.setCommandHandler(core::Command::PrepareExam, !editor ? std::function<void()>() : [context] {
        const core::MainWindowState& state = context->main.state();
        const int number = prepareExam(context->ws, state.selectedTemplateFile(), state.selectedTemplateName(),
                                       context->flow());
        if (number != 0) context->order->setExamFile(currentExamFile(context->ws, number));
    });
    main.setCommandHandler(core::Command::EditExam, !editor ? std::function<void()>() : [context] {
        editCurrentExam(context->ws, context->flow());
    });
    main.setCommandHandler(core::Command::EditOrder, [context] {
        if (context->ws.records().current().currentExam() == nullptr) return;
        context->runOrderDialog(context->currentExam(), OrderMode::Set);
    });
    main.setCommandHandler(core::Command::ChooseOrder, [context] {
        core::CurrentExaminee& current = context->ws.records().current();
        if (current.currentExam() == nullptr) return;
        if (!context->runOrderDialog(context->currentExam(), OrderMode::Choose)) return;
        testExam(context->ws, current.examNumber, context->flow());
    });
    main.setCommandHandler(core::Command::DeleteExam, [context] { deleteCurrentExam(context->ws, context->flow()); });
    main.setCommandHandler(core::Command::ConvertToTemplate,
                           [context] { convertCurrentExam(context->ws, context->flow()); });
    main.setCommandHandler(core::Command::Test, [context] { context->runChooser(); });
    return *order;
}

}  // namespace lumo::authoring::ui
