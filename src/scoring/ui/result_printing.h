#pragma once

#include "platform/print_job.h"
#include "scoring/result_print.h"

class QWidget;

namespace lumo::core {
class Workstation;
}

namespace lumo::scoring::ui {

// Prints the results' current view on the printer of the system parameters
// or into a PDF file; true when every page went out.
bool printResults(QWidget* parent, const core::Workstation& workstation, const ScoringWorkspace& workspace,
                  const DecisionView& view, ResultView shown);
bool printResults(QWidget* parent, const core::Workstation& workstation, const ScoringWorkspace& workspace,
                  const DecisionView& view, ResultView shown, const platform::PrintSteps& steps);

}  // namespace lumo::scoring::ui
