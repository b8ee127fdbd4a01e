#pragma once

#include <QString>
#include <cstddef>
#include <functional>

#include "platform/print_job.h"

class QWidget;

namespace lumo::core {
class Workstation;
}

namespace lumo::review {
class ScrollResView;
}

namespace lumo::review::ui {

// After each page: the points printed so far and all of them; false stops
// the printing (the examiner pressed Esc).
using PrintProgress = std::function<bool(std::size_t printed, std::size_t points)>;

// Prints the chart of the view at true scale in landscape on the printer of
// the system parameters (or into PDF files when they say so or there is no
// printer): every page goes out as its own job as soon as it is laid out;
// into PDF, page 1 is the file chosen and page n the same name with "-n".
// Returns the pages that went out; a printer failure is reported through
// the steps and ends the printing.
int printPolygram(QWidget* parent, const core::Workstation& workstation, const ScrollResView& view,
                  const platform::PrintSteps& steps, const PrintProgress& progress);

// The file of page `page` (1 ...) of a printout into `first`.
QString pdfPageFile(const QString& first, int page);

}  // namespace lumo::review::ui
