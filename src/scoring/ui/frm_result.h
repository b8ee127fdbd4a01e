#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <memory>

#include "scoring/decision_view.h"
#include "scoring/result_print.h"
#include "scoring/result_tables.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;
class QStackedWidget;
class QTableWidget;

namespace lumo::core {
class Workstation;
}
namespace lumo::platform {
class DialogConventions;
}

namespace lumo::scoring::ui {

class ResultScale;
class ResultBars;

// How the results window was left: back to the main menu (the chart editor
// closes too) or back to the chart editor.
enum class ResultWindowExit { MainMenu, EditChart };

// The results window: the decision on the scored exam of the workspace. It
// reads the workspace only and writes no file.
class TfrmResult : public QDialog {
    Q_OBJECT

public:
    TfrmResult(core::Workstation& workstation, const ScoringWorkspace& workspace, QWidget* parent = nullptr);
    ~TfrmResult() override;

    // The OK/Cancel question of mnuExit; a real box unless replaced.
    void setConfirmFunction(std::function<bool(const QString&)> confirm) { confirm_ = std::move(confirm); }
    // The print of the current view; the system's printer unless replaced.
    void setPrintFunction(std::function<void()> print) { print_ = std::move(print); }

    ResultWindowExit exitKind() const { return exit_; }
    ResultView view() const { return view_; }
    DecisionView& decision() { return decision_; }
    const DecisionView& decision() const { return decision_; }

    // Controls, for tests.
    QCheckBox* chartBox(int chart) const { return chk_[static_cast<std::size_t>(chart - 1)]; }
    QComboBox* priorList() const { return cmbLie_; }
    QComboBox* fpList() const { return cmbFp_; }
    QComboBox* fmList() const { return cmbFm_; }
    QRadioButton* stressButton() const { return rbStress_; }
    QRadioButton* lieButton() const { return rbLie_; }
    QTableWidget* summaryGrid() const { return flxComp_; }
    QTableWidget* tableGrid() const { return flxParam_; }
    QLabel* conclusionLabel() const { return lblConclusion_; }
    QLabel* leftLabel() const { return lblLeft_; }
    QLabel* rightLabel() const { return lblRight_; }
    QLabel* lieCaption() const { return lblLie_; }
    QLabel* truthCaption() const { return lblTrue_; }
    ResultScale* scale() const { return pctSlider_; }
    QAction* action(ResultView view) const;
    QAction* exitAction() const { return mnuExit_; }
    QAction* editChartAction() const { return mnuToChart_; }
    QAction* printAction() const { return mnuPrint_; }

public slots:
    void mnuExitClick();
    void mnuToChartClick();
    void mnuItogClick();
    void showTable(ResultView view);
    // ShowDecision: bounds, summary and scale.
    void ShowDecision();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    QWidget* buildParameters();
    QWidget* buildCharts();
    QWidget* buildMode();
    QWidget* buildSummary();
    QWidget* buildTables();
    void buildMenu();
    void probabilityChanged();
    void modeChanged();
    void updateMenu();
    void fillSummary();

    core::Workstation& ws_;
    const ScoringWorkspace& workspace_;
    DecisionView decision_;
    ResultView view_ = ResultView::Summary;
    ResultWindowExit exit_ = ResultWindowExit::EditChart;
    std::array<QCheckBox*, 9> chk_{};
    QComboBox* cmbLie_ = nullptr;
    QComboBox* cmbFp_ = nullptr;
    QComboBox* cmbFm_ = nullptr;
    QRadioButton* rbStress_ = nullptr;
    QRadioButton* rbLie_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    QTableWidget* flxComp_ = nullptr;
    QTableWidget* flxParam_ = nullptr;
    QLabel* lblTable_ = nullptr;
    ResultBars* imgChart_ = nullptr;
    ResultScale* pctSlider_ = nullptr;
    QLabel* lblLeft_ = nullptr;
    QLabel* lblRight_ = nullptr;
    QLabel* lblLie_ = nullptr;
    QLabel* lblTrue_ = nullptr;
    QLabel* lblConclusion_ = nullptr;
    QAction* mnuExit_ = nullptr;
    QAction* mnuToChart_ = nullptr;
    QAction* mnuItog_ = nullptr;
    QAction* mnuSmpPrm_ = nullptr;
    QAction* mnuStrB_ = nullptr;
    QAction* mnuLieB_ = nullptr;
    QAction* mnuPrint_ = nullptr;
    platform::DialogConventions* conventions_ = nullptr;
    std::function<bool(const QString&)> confirm_;
    std::function<void()> print_;
    bool filling_ = false;
};

// Runs the results window modally over the chart editor.
ResultWindowExit showResults(QWidget* parent, core::Workstation& workstation, const ScoringWorkspace& workspace);

}  // namespace lumo::scoring::ui
