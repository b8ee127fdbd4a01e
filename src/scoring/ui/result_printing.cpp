#include "scoring/ui/result_printing.h"

#include "core/clock.h"
#include "core/settings.h"
#include "core/workstation.h"

namespace lumo::scoring::ui {

bool printResults(QWidget* parent, const core::Workstation& workstation, const ScoringWorkspace& workspace,
                  const DecisionView& view, ResultView shown) {
    return printResults(parent, workstation, workspace, view, shown, platform::systemPrintSteps(workstation));
}

bool printResults(QWidget* parent, const core::Workstation& workstation, const ScoringWorkspace& workspace,
                  const DecisionView& view, ResultView shown, const platform::PrintSteps& steps) {
    const ResultPrint print = resultPrint(view, workspace, workstation.settings(), workstation.strings(), shown,
                                          workstation.settings().language(),
                                          core::formatDate(workstation.clock().today()));
    // The wide tables read better across the page.
    return platform::printDocument(
        parent, workstation,
        [&print](const core::PageFormat& format, const core::TextMeasure& measure) {
            return layoutResultPrint(print, format, measure);
        },
        steps, QPageLayout::Landscape);
}

}  // namespace lumo::scoring::ui
