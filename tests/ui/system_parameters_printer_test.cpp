#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <memory>

#include "core/settings_list.h"
#include "platform/printer_choice.h"

namespace lumo::platform {
namespace {

using Kind = PrinterChoice::Kind;

TEST(PrinterChoice, TheChoiceTravelsThroughTheSettings) {
    core::SettingsList settings;
    settings.loadFromLines({"Language=ENG"});
    EXPECT_EQ(printerChoice(settings), PrinterChoice{});

    setPrinterChoice(settings, {Kind::Named, "Lab printer 2"});
    EXPECT_EQ(settings.value("PrinterName"), "Lab printer 2");
    EXPECT_EQ(printerChoice(settings), (PrinterChoice{Kind::Named, "Lab printer 2"}));

    setPrinterChoice(settings, {Kind::Pdf, {}});
    EXPECT_EQ(settings.value("PrinterName"), "<PDF>");
    settings.setValue("PrinterName", "<pdf>");
    EXPECT_EQ(printerChoice(settings).kind, Kind::Pdf);

    // The default printer is no line at all.
    setPrinterChoice(settings, {});
    EXPECT_EQ(settings.indexOf("PrinterName"), -1);
    EXPECT_EQ(settings.lines().size(), 1u);
}

TEST(PrinterChoice, AChoiceTheMachineCannotServeFallsBack) {
    const QStringList printers = {"Office", "Lab"};
    EXPECT_EQ(effectivePrinterChoice({Kind::Named, "Lab"}, printers), (PrinterChoice{Kind::Named, "Lab"}));
    EXPECT_EQ(effectivePrinterChoice({Kind::Named, "Gone"}, printers), PrinterChoice{});
    EXPECT_EQ(effectivePrinterChoice({}, printers), PrinterChoice{});
    EXPECT_EQ(effectivePrinterChoice({Kind::Pdf, {}}, printers).kind, Kind::Pdf);
    // Without any printer a PDF file is all there is.
    EXPECT_EQ(effectivePrinterChoice({Kind::Named, "Office"}, {}).kind, Kind::Pdf);
    EXPECT_EQ(effectivePrinterChoice({}, {}).kind, Kind::Pdf);
}

TEST(PrinterChoice, TheConfiguredPrinterFollowsTheSettings) {
    core::SettingsList settings;
    settings.loadFromLines({"PrinterName=<PDF>"});
    auto pdf = configuredPrinter(settings, {"Office"});
    EXPECT_EQ(pdf->outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(choiceOf(*pdf).kind, Kind::Pdf);

    // A printer that is not installed here gives a printer that can print:
    // the machine's default one, or a PDF file when it has none.
    settings.setValue("PrinterName", "No such printer 7");
    auto fallback = configuredPrinter(settings);
    EXPECT_NE(fallback->printerName(), "No such printer 7");
    const bool usable = fallback->outputFormat() == QPrinter::PdfFormat ||
                        QPrinterInfo::availablePrinterNames().contains(fallback->printerName());
    EXPECT_TRUE(usable);
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        EXPECT_EQ(fallback->outputFormat(), QPrinter::PdfFormat);
    }
}

TEST(PrinterChoice, TheSetUpAlwaysOffersAPdfFile) {
    QPrinter printer;
    auto dialog = makePrinterSetup(printer, nullptr, "Printer setup");
    EXPECT_TRUE(dialog->testOption(QAbstractPrintDialog::PrintToFile));
    dialog->show();
    QApplication::processEvents();
    bool offered = false;
    for (const QComboBox* list : dialog->findChildren<QComboBox*>()) {
        for (int i = 0; i < list->count(); ++i) offered = offered || list->itemText(i).contains("PDF");
    }
    EXPECT_TRUE(offered);
    dialog->reject();
}

}  // namespace
}  // namespace lumo::platform
