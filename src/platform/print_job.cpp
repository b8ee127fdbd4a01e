#include "platform/print_job.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QWidget>
#include <memory>

#include "core/errors.h"
#include "core/text_format.h"
#include "core/texts/authoring.h"
#include "core/workstation.h"
#include "platform/message_box.h"
#include "platform/page_painter.h"
#include "platform/printer_choice.h"
#include "platform/qt_text.h"

namespace lumo::platform {

QString proposedPdfFile(const QString& jobTitle) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
    return QDir(folder).filePath(jobTitle + QStringLiteral(".pdf"));
}

void beginPrinting(QPainter& painter, QPrinter& printer, const core::Texts& texts, const QString& target) {
    if (painter.begin(&printer)) return;
    const int cause = printer.outputFormat() == QPrinter::PdfFormat ? txt::PrintPdfNotWritable : txt::PrintPrinterRefuses;
    throw EInOutError(core::formatText(texts(cause), {target.toStdString()}));
}

void endPrinting(QPainter& painter, const core::Texts& texts, const QString& target) {
    if (!painter.end()) throw EInOutError(core::formatText(texts(txt::PrintPrinterRefuses), {target.toStdString()}));
}

namespace {

// The pages on an open printer; a failure raises the cause's text.
void printPages(QPrinter& printer, const core::Texts& texts, const PageLayout& layout, const QString& target) {
    QPainter painter;
    beginPrinting(painter, printer, texts, target);
    try {
        DeviceTextMeasure measure(printer);
        const QRectF area = printer.pageRect(QPrinter::Point);
        const core::PrintedDocument document = layout({area.width(), area.height()}, measure);
        for (std::size_t page = 0; page < document.pages.size(); ++page) {
            if (page > 0 && !printer.newPage()) {
                throw EInOutError(core::formatText(texts(txt::PrintPageFailed), {static_cast<long long>(page + 1)}));
            }
            paintPage(painter, document.pages[page]);
        }
    } catch (...) {
        printer.abort();
        painter.end();
        throw;
    }
    endPrinting(painter, texts, target);
}

}  // namespace

PrintSteps systemPrintSteps(const core::Workstation& workstation) {
    PrintSteps steps;
    steps.printers = [] { return QPrinterInfo::availablePrinterNames(); };
    const core::Texts& texts = workstation.texts();
    steps.pdfFile = [&texts](QWidget* parent, const QString& caption, const QString& proposed) {
        QString file = QFileDialog::getSaveFileName(parent, caption, proposed, qs(texts(txt::PrintPdfFilter)));
        if (!file.isEmpty() && QFileInfo(file).suffix().isEmpty()) file += QStringLiteral(".pdf");
        return file;
    };
    steps.error = [&texts](QWidget* parent, const QString& title, const QString& text) {
        showMessage(parent, QMessageBox::Critical, title, text, texts);
    };
    return steps;
}

bool printDocument(QWidget* parent, const core::Workstation& workstation, const PageLayout& layout,
                   const PrintSteps& steps, QPageLayout::Orientation orientation) {
    const core::Texts& texts = workstation.texts();
    const QString jobTitle = qs(texts(txt::QstPrintJob));
    const std::unique_ptr<QPrinter> printer = configuredPrinter(workstation.settings().list(), steps.printers());
    printer->setDocName(jobTitle);
    printer->setPageOrientation(orientation);
    // Paper keeps a margin whatever the printer's own unprintable edge.
    printer->setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    QString target = printer->printerName();
    if (printer->outputFormat() == QPrinter::PdfFormat) {
        target = steps.pdfFile(parent, qs(texts(txt::PrintPdfCaption)), proposedPdfFile(jobTitle));
        if (target.isEmpty()) return false;
        printer->setOutputFileName(target);
    }
    try {
        printPages(*printer, texts, layout, target);
        return true;
    } catch (const LumoError& error) {
        const QString title = parent != nullptr && !parent->windowTitle().isEmpty() ? parent->windowTitle() : jobTitle;
        steps.error(parent, title, qs(texts(txt::PrintNotReady)) + QLatin1Char('\n') + qs(error.what()));
        return false;
    }
}

}  // namespace lumo::platform
