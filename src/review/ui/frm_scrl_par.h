#pragma once

#include <QDialog>
#include <QMessageBox>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "review/chart_files.h"

class QFrame;
class QKeyEvent;
class QLabel;
class QPushButton;
class QScrollBar;
class QToolButton;

namespace lumo::core {
class Workstation;
}
namespace lumo::platform {
class DialogConventions;
}

namespace lumo::review {
class ParameterScroll;
struct ParInfo;
}  // namespace lumo::review

namespace lumo::review::ui {

class TParChartArea;
class TParChartButtons;
class TParScaleList;

// The parameter scroll view: two charts of the current exam one above the
// other, each in bands stretched to their range, compressed as the scale
// list says and scrolled on its own. It reads the exam's files and writes none.
class TfrmScrlPar : public QDialog {
    Q_OBJECT

public:
    // Shows a message box (icon, text); a real one unless replaced.
    using MessageFunction = std::function<void(QMessageBox::Icon icon, const QString& text)>;

    // Reads the exam and both panels' chart; an unreadable exam raises its
    // error. What a panel could not read is told once the view is shown.
    TfrmScrlPar(core::Workstation& workstation, const ReviewTarget& target, QWidget* parent = nullptr);
    ~TfrmScrlPar() override;

    void setMessageFunction(MessageFunction message) { message_ = std::move(message); }

    // The engine partner and the widgets, for tests (panels 1 and 2).
    ParameterScroll& view() { return *view_; }
    TParScaleList* scaleList() const { return lstScale_; }
    QPushButton* exitButton() const { return cmdExit_; }
    QFrame* header(int p) const { return widgets(p).header; }
    QToolButton* gridButton(int p) const { return widgets(p).grid; }
    TParChartButtons* chartButtons(int p) const { return widgets(p).charts; }
    TParChartArea* chartArea(int p) const { return widgets(p).area; }
    QScrollBar* scrollBar(int p) const { return widgets(p).bar; }
    QLabel* infoPanel(int p) const { return widgets(p).info; }

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct PanelWidgets {
        QFrame* header = nullptr;
        QToolButton* grid = nullptr;
        TParChartButtons* charts = nullptr;
        QWidget* panel = nullptr;
        TParChartArea* area = nullptr;
        QScrollBar* bar = nullptr;
        QLabel* info = nullptr;
    };

    const PanelWidgets& widgets(int p) const { return panels_[p == 2 ? 1 : 0]; }
    PanelWidgets& widgets(int p) { return panels_[p == 2 ? 1 : 0]; }
    void buildPanel(int p);
    void buildBottomRow();
    void layOutWindow();
    void placePanel(int p);
    void showChartButtons(int p);
    void paintHeader(int p);

    void redraw(int p);
    void redrawIfStale(int p);
    void applyScale();
    void switchChart(int p, int digit);
    void scrolled(int p, int position);
    void toggleGrid(int p);
    void showInfo(int p, const std::optional<ParInfo>& info);
    void tell(QMessageBox::Icon icon, const std::string& text);
    // Digits, "Q" and Ctrl+arrows on a panel's scroll bar or grid button; true when used up.
    bool panelKey(int p, QKeyEvent* event);
    void deactivated();

    core::Workstation& ws_;
    std::unique_ptr<ParameterScroll> view_;
    platform::DialogConventions* conventions_;
    std::array<PanelWidgets, 2> panels_{};
    QLabel* lblScale_ = nullptr;
    TParScaleList* lstScale_ = nullptr;
    QPushButton* cmdExit_ = nullptr;
    MessageFunction message_;
    std::string openingProblems_;
    double resolution_ = 96;
    std::array<bool, 2> failed_{};  // the last drawing failed: not again until something changes
    QMetaObject::Connection applicationState_;
};

}  // namespace lumo::review::ui
