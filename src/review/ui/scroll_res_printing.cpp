#include "review/ui/scroll_res_printing.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QWidget>
#include <memory>

#include "core/errors.h"
#include "core/settings.h"
#include "core/texts/authoring.h"
#include "core/texts/review.h"
#include "core/workstation.h"
#include "platform/page_painter.h"
#include "platform/print_job.h"
#include "platform/printer_choice.h"
#include "platform/qt_text.h"
#include "review/scroll_res_print.h"
#include "review/scroll_res_view.h"

namespace lumo::review::ui {

namespace {

using platform::qs;

std::unique_ptr<QPrinter> pagePrinter(const core::Workstation& workstation, const QStringList& printers,
                                      const QString& jobTitle) {
    std::unique_ptr<QPrinter> printer = platform::configuredPrinter(workstation.settings().list(), printers);
    printer->setDocName(jobTitle);
    printer->setPageOrientation(QPageLayout::Landscape);
    printer->setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    return printer;
}

// One page as one job; a failure raises the cause's text.
void printPage(QPrinter& printer, const core::Texts& texts, const core::PrintedPage& page, const QString& target) {
    QPainter painter;
    platform::beginPrinting(painter, printer, texts, target);
    platform::paintPage(painter, page);
    platform::endPrinting(painter, texts, target);
}

}  // namespace

QString pdfPageFile(const QString& first, int page) {
    if (page <= 1) return first;
    const QFileInfo info(first);
    const QString suffix = info.suffix().isEmpty() ? QStringLiteral("pdf") : info.suffix();
    return info.dir().filePath(info.completeBaseName() + QStringLiteral("-%1.").arg(page) + suffix);
}

int printPolygram(QWidget* parent, const core::Workstation& workstation, const ScrollResView& view,
                  const platform::PrintSteps& steps, const PrintProgress& progress) {
    const core::Texts& texts = workstation.texts();
    const QString jobTitle = qs(texts(txt::ScrlResPrintJob));
    const QStringList printers = steps.printers();
    // The pages are laid out for this printer's paper and fonts; each goes out on a printer of its own.
    const std::unique_ptr<QPrinter> layout = pagePrinter(workstation, printers, jobTitle);
    const bool pdf = layout->outputFormat() == QPrinter::PdfFormat;
    QString firstFile;
    if (pdf) {
        firstFile = steps.pdfFile(parent, qs(texts(txt::PrintPdfCaption)), platform::proposedPdfFile(jobTitle));
        if (firstFile.isEmpty()) return 0;
    }
    const QRectF area = layout->pageRect(QPrinter::Point);
    const platform::DeviceTextMeasure measure(*layout);
    PolygramPrint print(view, workstation, {area.width(), area.height()}, measure);
    int pages = 0;
    try {
        while (!print.done()) {
            const core::PrintedPage page = print.nextPage();
            const std::unique_ptr<QPrinter> job = pagePrinter(workstation, printers, jobTitle);
            QString target = job->printerName();
            if (pdf) {
                target = pdfPageFile(firstFile, pages + 1);
                job->setOutputFileName(target);
            }
            printPage(*job, texts, page, target);
            ++pages;
            if (progress && !progress(print.pointsPrinted(), print.pointCount())) break;
        }
    } catch (const LumoError& error) {
        const QString title = parent != nullptr ? parent->windowTitle() : jobTitle;
        steps.error(parent, title, qs(texts(txt::PrintNotReady)) + QLatin1Char('\n') + qs(error.what()));
    }
    return pages;
}

}  // namespace lumo::review::ui
