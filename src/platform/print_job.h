#pragma once

#include <QPageLayout>
#include <QString>
#include <QStringList>
#include <functional>

#include "core/printed_page.h"

class QPainter;
class QPrinter;
class QWidget;

namespace lumo::core {
class Texts;
class Workstation;
}

namespace lumo::platform {

// What a print job asks of the desktop; tests replace every step.
struct PrintSteps {
    // The installed printers.
    std::function<QStringList()> printers;
    // The PDF file to print into, asked with `caption` and `proposed` as the
    // first answer; empty when the examiner cancels.
    std::function<QString(QWidget* parent, const QString& caption, const QString& proposed)> pdfFile;
    // Shows a print error (a title and the text).
    std::function<void(QWidget* parent, const QString& title, const QString& text)> error;
};

// The desktop's printers, a file dialog and an error box in the workstation's language.
PrintSteps systemPrintSteps(const core::Workstation& workstation);

// The PDF file first proposed for a job: its title in the documents folder
// (the home folder when there is none).
QString proposedPdfFile(const QString& jobTitle);

// Begins and ends painting on a printer; a failure raises the system's
// text for it naming `target` (the PDF file or the printer).
void beginPrinting(QPainter& painter, QPrinter& printer, const core::Texts& texts, const QString& target);
void endPrinting(QPainter& painter, const core::Texts& texts, const QString& target);

// Lays the pages out for the printer's page and its fonts.
using PageLayout = std::function<core::PrintedDocument(const core::PageFormat& format, const core::TextMeasure& measure)>;

// Prints on the printer of the system parameters (a PDF file when they say
// so or no printer is installed), portrait unless told otherwise, with 15 mm
// margins, as the job "LUMO7 Document". True
// when every page went out; false when the examiner cancelled the PDF file
// choice or the printer failed, which is reported as "Printer is not ready:"
// and the cause.
bool printDocument(QWidget* parent, const core::Workstation& workstation, const PageLayout& layout,
                   const PrintSteps& steps, QPageLayout::Orientation orientation = QPageLayout::Portrait);

}  // namespace lumo::platform
