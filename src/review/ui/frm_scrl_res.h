#pragma once

#include <QDialog>
#include <QStringList>
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "core/printed_page.h"
#include "platform/print_job.h"

class QButtonGroup;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QScrollBar;
class QSpinBox;
class QTabWidget;
class QWidget;

namespace lumo::core {
class Texts;
class Workstation;
}
namespace lumo::platform {
class DialogConventions;
}
namespace lumo::recording::ui {
class TChannelEditBiDir;
}
namespace lumo::review {
class ScrollResView;
}

namespace lumo::review::ui {

class ScrollResCanvas;
class ScrollResStrip;

// The timer that collects gain and offset changes for 750 ms before one
// full redraw; tests give one they run themselves.
class RedrawTimer {
public:
    virtual ~RedrawTimer() = default;
    // Starts it again from now.
    virtual void restart(int milliseconds) = 0;
    virtual bool active() const = 0;
    std::function<void()> onTimeout;
};

// What the window asks of the desktop; every empty step gets the real one.
struct ScrlResSteps {
    // Error boxes: the FillGains failures, files that cannot be written or read.
    std::function<void(QWidget* parent, const QString& title, const QString& text)> error;
    // The print question (Yes/No).
    std::function<bool(QWidget* parent, const QString& title, const QString& text)> confirm;
    // The printers, the PDF file and the print errors.
    std::optional<platform::PrintSteps> print;
    std::function<std::unique_ptr<RedrawTimer>(QObject* owner)> makeTimer;
    // The help viewer is told to quit when the view closes.
    std::function<void()> quitHelp;
    // Information boxes: the chart written as EDF+.
    std::function<void(QWidget* parent, const QString& title, const QString& text)> information;
    // The EDF+ file to write, asked with `caption` and `proposed` as the first
    // answer; empty when the examiner cancels. It asks no overwrite question:
    // the window asks once the ".edf" suffix is settled.
    std::function<QString(QWidget* parent, const QString& caption, const QString& proposed)> edfFile;
    // The folder the last EDF+ file went to, empty before the first; the
    // command shares it between the reviews of one run.
    std::shared_ptr<std::filesystem::path> exportFolder;
};

// The desktop's chooser of the EDF+ file: a save dialog in the workstation's
// language offering "*.edf" files.
QString chooseEdfFile(QWidget* parent, const core::Texts& texts, const QString& caption, const QString& proposed);

// The scrolling chart review: one chart of the current exam at paper scale
// over the whole screen, with its question strip, readouts, hand scores,
// gains and offsets, the other charts of the exam a click or a digit away,
// and its printout. ScrollResView holds every rule; this window paints what
// it says and hands it the examiner's keys and clicks.
class TfrmScrlRes : public QDialog {
    Q_OBJECT

public:
    // Opens the chart; an exam, results table or chart that cannot be read
    // raises its error (the command reports it).
    TfrmScrlRes(core::Workstation& workstation, const std::filesystem::path& chartFile, ScrlResSteps steps = {},
                QWidget* parent = nullptr);
    ~TfrmScrlRes() override;

    ScrollResView& view() { return *view_; }

    // Widgets, for tests.
    ScrollResCanvas* canvas() const { return canvas_; }
    QScrollBar* scrollBar() const { return scrollBar_; }
    ScrollResStrip* questionStrip() const { return strip_; }
    QLabel* questionLine() const { return questionLine_; }
    QPushButton* zoomButton() const { return zoom_; }
    QPushButton* excludeButton() const { return exclude_; }
    QPushButton* chartButton(int digit) const { return charts_[static_cast<std::size_t>(digit)]; }
    QPushButton* printButton() const { return print_; }
    QPushButton* exportButton() const { return export_; }
    QPushButton* exitButton() const { return exit_; }
    QTabWidget* pages() const { return pages_; }
    QLabel* readoutPanel(int slot) const { return readouts_[static_cast<std::size_t>(slot)]; }
    QLabel* secondsPanel() const { return seconds_; }
    QSpinBox* handScoreField(int field) const { return handFields_[static_cast<std::size_t>(field)]; }
    QLabel* sumPanel() const { return sum_; }
    recording::ui::TChannelEditBiDir* gainField(int channel) const { return gainFields_[static_cast<std::size_t>(channel)]; }
    QFrame* printPanel() const { return printPanel_; }
    QProgressBar* printProgress() const { return printProgress_; }
    platform::DialogConventions& conventions() const { return *conventions_; }

    // Print: the question, then the pages with the progress panel; the
    // number of pages that went out.
    int printChart();
    // Export EDF+: the file chosen, the overwrite question when it exists,
    // then the chart written and the information or error box. True when
    // the file was written.
    bool exportEdf();

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildChartColumn();
    QWidget* buildBottomRow();
    QWidget* buildPanel();
    QWidget* buildCalcPage();
    QWidget* buildEditPage();
    void applyTexts();
    void layOutArea();

    // Everything shown from the view, after opening and after a chart switch.
    void showChart();
    // The FillGains boxes of the last opening.
    void reportFailures();
    void showPanelTexts();
    void showSelection();
    void showCursor();
    void showHandScores();
    void placeGainFields();
    void redraw();
    void selectPresentation(int index);
    void toggleExclusion();
    void toggleZoom();
    void switchChart(int digit);
    void moveField(int channel, int dy);
    void gainsChanged();
    // PageUp and PageDown on a gain field: a drag by 10 pixels.
    bool fieldEvent(QObject* watched, QEvent* event);
    bool saveChart();
    void setBusy(bool busy);

    core::Workstation& ws_;
    ScrlResSteps steps_;
    std::unique_ptr<ScrollResView> view_;
    std::unique_ptr<platform::DialogConventions> conventions_;
    std::unique_ptr<RedrawTimer> timer_;
    core::TextStyle labelStyle_{"", 8, true};

    QWidget* chartColumn_ = nullptr;
    QWidget* bottomRow_ = nullptr;
    ScrollResCanvas* canvas_ = nullptr;
    QScrollBar* scrollBar_ = nullptr;
    ScrollResStrip* strip_ = nullptr;
    QLabel* questionLine_ = nullptr;
    QPushButton* zoom_ = nullptr;
    QPushButton* exclude_ = nullptr;
    QLabel* chartsLabel_ = nullptr;
    std::array<QPushButton*, 10> charts_{};
    QButtonGroup* chartGroup_ = nullptr;
    QPushButton* print_ = nullptr;
    QPushButton* export_ = nullptr;
    QPushButton* exit_ = nullptr;
    QTabWidget* pages_ = nullptr;
    std::array<QLabel*, 8> readouts_{};
    QLabel* secondsLabel_ = nullptr;
    QLabel* seconds_ = nullptr;
    std::array<QLabel*, 3> handLabels_{};
    std::array<QSpinBox*, 3> handFields_{};
    QLabel* sumLabel_ = nullptr;
    QLabel* sum_ = nullptr;
    QWidget* editPage_ = nullptr;
    std::array<recording::ui::TChannelEditBiDir*, 8> gainFields_{};
    int pageShift_ = 0;       // the Edit page's fields moved down so none lies above its top
    int chartToPage_ = 0;     // a chart y on the Edit page
    int dragChannel_ = -1;
    int dragY_ = 0;
    QFrame* printPanel_ = nullptr;
    QLabel* printText_ = nullptr;
    QProgressBar* printProgress_ = nullptr;
    bool printing_ = false;
    bool printAborted_ = false;
    QStringList failures_;
    bool filling_ = false;    // the window sets its own fields: no change is the examiner's
    bool closing_ = false;
};

}  // namespace lumo::review::ui
