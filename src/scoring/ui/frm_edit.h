#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "scoring/chart_editor.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QRadioButton;

namespace lumo::core {
class Workstation;
}
namespace lumo::platform {
class DialogConventions;
}

namespace lumo::scoring::ui {

class TChartImage;

// Opens the score board of a kept row of a chart over `parent`; the
// application gives it (the board belongs to the recording windows).
using ScoreBoardOpener = std::function<void(QWidget* parent, int row, int chart)>;

// The chart editor: one chart of the scored exam at a time, full screen,
// with its normalised signals, question marks and stress bars, the channel
// boxes that exclude a channel for the current question, the gains view and
// the way on to the results window and the score board. ChartEditor decides;
// this window draws and forwards keys and clicks.
class TfrmEdit : public QDialog {
    Q_OBJECT

public:
    TfrmEdit(core::Workstation& workstation, ScoringWorkspace& workspace, ExamFiles files,
             ScoreBoardOpener openScoreBoard, QWidget* parent = nullptr);
    ~TfrmEdit() override;

    // Opens chart 1; false (after its message) when there is nothing to edit.
    bool start();

    ChartEditor& editor() { return editor_; }

    // Message boxes and the results window; real ones unless replaced.
    void setErrorFunction(std::function<void(const QString&)> error) { error_ = std::move(error); }
    void setInformFunction(std::function<void(const QString&)> inform) { inform_ = std::move(inform); }
    void setConfirmFunction(std::function<bool(const QString&)> confirm) { confirm_ = std::move(confirm); }
    // True when the examiner left the results window for the main menu.
    void setResultsFunction(std::function<bool()> results) { results_ = std::move(results); }

    // Controls, for tests.
    QComboBox* chartList() const { return cmbChartPath_; }
    QRadioButton* scaleButton(EditorScale scale) const;
    QCheckBox* gainsBox() const { return chkGain_; }
    QCheckBox* channelBox(int box) const { return chCheck_[static_cast<std::size_t>(box)]; }
    QGroupBox* channelGroup() const { return grpChannels_; }
    QLabel* questionPanel() const { return txtQuestion_; }
    QLabel* dateLabel() const { return lblDate_; }
    QLabel* timeLabel() const { return lblTime_; }
    QLabel* durationLabel() const { return lblDuration_; }
    TChartImage* image() const { return imgChart_; }
    QAction* exitAction() const { return mnuExit_; }
    QAction* resultsAction() const { return mnuResult_; }
    QAction* saveAction() const { return mnuEditWrite_; }

public slots:
    void mnuExitClick();
    void mnuResultClick();
    void mnuEditWriteClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    QWidget* buildTop();
    QGroupBox* buildChannels();
    void buildMenu();
    // Runs an editor action; an error it raises goes to the error box.
    void act(const std::function<void()>& action);
    // Q, F2 and Esc without modifiers, wherever the focus is.
    bool editorKey(const QKeyEvent& key);
    void refresh();
    void placeBoxes();

    core::Workstation& ws_;
    ScoringWorkspace& workspace_;
    ScoreBoardOpener openScoreBoard_;
    ChartEditor editor_;
    platform::DialogConventions* conventions_ = nullptr;
    QComboBox* cmbChartPath_ = nullptr;
    std::array<QRadioButton*, 3> optButton_{};
    QCheckBox* chkGain_ = nullptr;
    QGroupBox* grpChannels_ = nullptr;
    std::array<QCheckBox*, kBandCount> chCheck_{};
    QLabel* txtQuestion_ = nullptr;
    QLabel* lblDate_ = nullptr;
    QLabel* lblTime_ = nullptr;
    QLabel* lblDuration_ = nullptr;
    TChartImage* imgChart_ = nullptr;
    QAction* mnuExit_ = nullptr;
    QAction* mnuResult_ = nullptr;
    QAction* mnuEditWrite_ = nullptr;
    std::function<void(const QString&)> error_;
    std::function<void(const QString&)> inform_;
    std::function<bool(const QString&)> confirm_;
    std::function<bool()> results_;
    bool refreshing_ = false;
};

}  // namespace lumo::scoring::ui
