#include "platform/printer_choice.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "core/cp1251.h"
#include "core/settings_list.h"
#include "platform/qt_text.h"

namespace lumo::platform {

PrinterChoice printerChoice(const core::SettingsList& settings) {
    const std::string stored = settings.value(kPrinterKey);
    if (stored.empty()) return {};
    if (core::equalsIgnoreCase(stored, kPdfPrinter)) return {PrinterChoice::Kind::Pdf, {}};
    return {PrinterChoice::Kind::Named, stored};
}

void setPrinterChoice(core::SettingsList& settings, const PrinterChoice& choice) {
    switch (choice.kind) {
        case PrinterChoice::Kind::SystemDefault: settings.setValue(kPrinterKey, ""); break;
        case PrinterChoice::Kind::Pdf: settings.setValue(kPrinterKey, kPdfPrinter); break;
        case PrinterChoice::Kind::Named: settings.setValue(kPrinterKey, choice.name); break;
    }
}

PrinterChoice effectivePrinterChoice(const PrinterChoice& choice, const QStringList& availablePrinters) {
    if (choice.kind == PrinterChoice::Kind::Pdf || availablePrinters.isEmpty()) {
        return {PrinterChoice::Kind::Pdf, {}};
    }
    if (choice.kind == PrinterChoice::Kind::Named && availablePrinters.contains(qs(choice.name))) return choice;
    return {};
}

std::unique_ptr<QPrinter> configuredPrinter(const core::SettingsList& settings) {
    return configuredPrinter(settings, QPrinterInfo::availablePrinterNames());
}

std::unique_ptr<QPrinter> configuredPrinter(const core::SettingsList& settings, const QStringList& availablePrinters) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    const PrinterChoice choice = effectivePrinterChoice(printerChoice(settings), availablePrinters);
    switch (choice.kind) {
        case PrinterChoice::Kind::Pdf: printer->setOutputFormat(QPrinter::PdfFormat); break;
        case PrinterChoice::Kind::Named: printer->setPrinterName(qs(choice.name)); break;
        case PrinterChoice::Kind::SystemDefault: break;  // a new QPrinter is the default printer
    }
    return printer;
}

PrinterChoice choiceOf(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat) return {PrinterChoice::Kind::Pdf, {}};
    const QString name = printer.printerName();
    if (name.isEmpty()) return {};
    return {PrinterChoice::Kind::Named, name.toStdString()};
}

std::unique_ptr<QPrintDialog> makePrinterSetup(QPrinter& printer, QWidget* parent, const QString& title) {
    auto dialog = std::make_unique<QPrintDialog>(&printer, parent);
    dialog->setWindowTitle(title);
    // Printing to a file is the one choice a machine without printers has.
    dialog->setOption(QAbstractPrintDialog::PrintToFile, true);
    return dialog;
}

bool runPrinterSetup(core::SettingsList& settings, QWidget* parent, const QString& title) {
    const auto printer = configuredPrinter(settings);
    const auto dialog = makePrinterSetup(*printer, parent, title);
    if (dialog->exec() != QDialog::Accepted) return false;
    setPrinterChoice(settings, choiceOf(*printer));
    return true;
}

}  // namespace lumo::platform
