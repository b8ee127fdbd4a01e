#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <memory>

#include "admin/system_parameters.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace lumo::core {
class SettingsList;
class Workstation;
}
namespace lumo::platform {
class DialogConventions;
}

namespace lumo::admin::ui {

// The system parameters dialog: the channel rows in display order, the
// background colour, port, reaction time, language, artefact names, work
// area, scrolling and the printer. Every control writes into the working copy
// at once (through SystemParameters); the command keeps the copy on OK only.
class TfrmSystemFile : public QDialog {
    Q_OBJECT

public:
    // Opens the printer set-up on the copy; true when a choice was made.
    using PrinterSetupFunction = std::function<bool(core::SettingsList& copy)>;

    // Raises EConvertError when a key read as an integer is missing or malformed.
    TfrmSystemFile(core::Workstation& workstation, core::SettingsList& copy, QWidget* parent = nullptr);
    ~TfrmSystemFile() override;

    void setPrinterSetup(PrinterSetupFunction setup) { printerSetup_ = std::move(setup); }

    SystemParameters& parameters() { return params_; }

    // Widgets, for tests.
    QComboBox* colorList(int row) const { return rows_[static_cast<std::size_t>(row)].color; }
    QCheckBox* switchBox(int row) const { return rows_[static_cast<std::size_t>(row)].on; }
    QCheckBox* visibleBox(int row) const { return rows_[static_cast<std::size_t>(row)].visible; }
    QSpinBox* bandField(int row) const { return rows_[static_cast<std::size_t>(row)].height; }
    QLabel* channelLabel(int row) const { return rows_[static_cast<std::size_t>(row)].name; }
    QComboBox* backgroundList() const { return cbBack_; }
    QComboBox* portList() const { return cbPort_; }
    QSpinBox* questionTimeField() const { return seTime_; }
    QComboBox* languageList() const { return cbLanguage_; }
    QLineEdit* artefactField(int n) const { return ledArt_[static_cast<std::size_t>(n - kFirstArtefact)]; }
    QLineEdit* workAreaField() const { return ledWorkArea_; }
    QCheckBox* scrollingBox() const { return chkScroll_; }
    QPushButton* printerButton() const { return cmdPrinter_; }
    QLabel* printerLabel() const { return lblPrinterName_; }
    QPushButton* okButton() const { return cmdOK_; }
    QString hintPanelText() const;

public slots:
    void cmdOKClick();
    void cmdPrinterClick();
    void done(int result) override;

private:
    struct RowWidgets {
        QLabel* name = nullptr;
        QComboBox* color = nullptr;
        QCheckBox* on = nullptr;
        QCheckBox* visible = nullptr;
        QSpinBox* height = nullptr;
    };

    QString text(int id) const;
    QComboBox* makeColorList();
    QWidget* buildChannelTable();
    QWidget* buildUnitGroup();
    QWidget* buildArtefactGroup();
    void fillControls();
    void connectControls();
    void setTabOrder();
    // The language setup in the dialog's own language choice.
    void applyTexts();
    void showPrinterChoice();

    core::Workstation& ws_;
    core::SettingsList& copy_;
    SystemParameters params_;
    PrinterSetupFunction printerSetup_;
    platform::DialogConventions* conventions_ = nullptr;

    std::array<RowWidgets, core::kChannelCount> rows_{};
    std::array<QLabel*, 5> headers_{};
    QGroupBox* grpChannels_ = nullptr;
    QGroupBox* grpUnit_ = nullptr;
    QGroupBox* grpArtefacts_ = nullptr;
    QLabel* lblBack_ = nullptr;
    QComboBox* cbBack_ = nullptr;
    QLabel* lblPort_ = nullptr;
    QComboBox* cbPort_ = nullptr;
    QLabel* lblTime_ = nullptr;
    QSpinBox* seTime_ = nullptr;
    QLabel* lblLanguage_ = nullptr;
    QComboBox* cbLanguage_ = nullptr;
    QLabel* lblWorkArea_ = nullptr;
    QLineEdit* ledWorkArea_ = nullptr;
    QLabel* lblScroll_ = nullptr;
    QCheckBox* chkScroll_ = nullptr;
    std::array<QLabel*, 4> lblArt_{};
    std::array<QLineEdit*, 4> ledArt_{};
    QLabel* lblPrinter_ = nullptr;
    QLabel* lblPrinterName_ = nullptr;
    QPushButton* cmdPrinter_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
};

}  // namespace lumo::admin::ui
