#pragma once

#include <QStringList>
#include <memory>
#include <string>
#include <string_view>

class QPrintDialog;
class QPrinter;
class QWidget;

namespace lumo::core {
class SettingsList;
}

namespace lumo::platform {

// The printer every print command uses, as the system parameters keep it:
// the setting PrinterName holds a printer's name or "<PDF>" for printing to a
// PDF file; without it the system's default printer is used.
inline constexpr std::string_view kPrinterKey = "PrinterName";
inline constexpr std::string_view kPdfPrinter = "<PDF>";

struct PrinterChoice {
    enum class Kind { SystemDefault, Pdf, Named };
    Kind kind = Kind::SystemDefault;
    std::string name;  // for Named
    bool operator==(const PrinterChoice&) const = default;
};

PrinterChoice printerChoice(const core::SettingsList& settings);
void setPrinterChoice(core::SettingsList& settings, const PrinterChoice& choice);

// What a choice comes to on a machine with these printers: a printer that is
// gone gives the default, and with no printer at all only a PDF file is left.
PrinterChoice effectivePrinterChoice(const PrinterChoice& choice, const QStringList& availablePrinters);

// The printer of the settings, ready for a print command; a PDF printer has
// no file name yet: the print command gives it one.
std::unique_ptr<QPrinter> configuredPrinter(const core::SettingsList& settings);
std::unique_ptr<QPrinter> configuredPrinter(const core::SettingsList& settings, const QStringList& availablePrinters);

// The choice a printer set-up dialog left in `printer`.
PrinterChoice choiceOf(const QPrinter& printer);

// The platform's printer set-up on `printer`: the installed printers and,
// always, printing to a PDF file.
std::unique_ptr<QPrintDialog> makePrinterSetup(QPrinter& printer, QWidget* parent, const QString& title);

// Runs the printer set-up on the current choice of `settings`; OK writes the
// new choice into them. True on OK.
bool runPrinterSetup(core::SettingsList& settings, QWidget* parent, const QString& title);

}  // namespace lumo::platform
