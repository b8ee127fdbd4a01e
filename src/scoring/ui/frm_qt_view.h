#pragma once

#include <QDialog>
#include <array>
#include <filesystem>
#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QGroupBox;
class QTableWidget;

namespace lumo::core {
class Workstation;
}
namespace lumo::platform {
class DialogConventions;
}

namespace lumo::scoring {
class HandScoreExam;
}

namespace lumo::scoring::ui {

// The hand exam results window: the decision of an exam from the examiner's
// hand scores over the charts chosen to be involved, by the Backster or the
// Matte table. It reads the exam's files and never writes them.
class TfrmQtView : public QDialog {
    Q_OBJECT

public:
    // Reads the question set and the results tables of `stem`
    // ("…/DAT/#0000001/EXAM_01"); a file that cannot be read raises its error.
    TfrmQtView(core::Workstation& workstation, const std::filesystem::path& stem, QWidget* parent = nullptr);
    ~TfrmQtView() override;

    // The warning box of a duplicated question; a real box unless replaced.
    void setWarnFunction(std::function<void(const QString& text)> warn) { warn_ = std::move(warn); }

    // Widgets and state, for tests.
    QCheckBox* chartBox(int chart) const { return chk_[static_cast<std::size_t>(chart)]; }
    QLabel* chartDate(int chart) const { return lbl_[static_cast<std::size_t>(chart)]; }
    QGroupBox* tableType() const { return rgLieType_; }
    QRadioButton* backsterButton() const { return backster_; }
    QRadioButton* matteButton() const { return matte_; }
    QTableWidget* questionGrid() const { return sgQst_; }
    QListWidget* questionList() const { return lstQst_; }
    QTableWidget* decisionTable() const { return sgLie_; }
    QTableWidget* scoreGrid() const { return sgStress_; }
    QTableWidget* totalGrid() const { return sgTrustS_; }
    QLabel* decisionLabel() const { return lblMrk_; }
    QLabel* methodLabel() const { return lblMethod_; }
    QPushButton* exitButton() const { return cmdExit_; }
    const HandScoreExam& exam() const { return *exam_; }
    platform::DialogConventions& conventions() const { return *conventions_; }

public slots:
    void RecomputeDecision();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildCharts();
    QWidget* buildDecisionTable();
    QWidget* buildScoreGrids();
    void fillQuestionList();
    void showCharts();
    void showDecisionTable();
    void showScores();
    void warnDuplicate();

    core::Workstation& ws_;
    std::unique_ptr<HandScoreExam> exam_;
    std::array<QCheckBox*, 10> chk_{};
    std::array<QLabel*, 10> lbl_{};
    QLabel* lblMethod_;
    QGroupBox* rgLieType_ = nullptr;
    QRadioButton* backster_ = nullptr;
    QRadioButton* matte_ = nullptr;
    QListWidget* lstQst_;
    QTableWidget* sgQst_ = nullptr;
    QTableWidget* sgLie_ = nullptr;
    QTableWidget* sgStress_ = nullptr;
    QTableWidget* sgTrustS_ = nullptr;
    QLabel* lblMrk_;
    QPushButton* cmdExit_;
    platform::DialogConventions* conventions_;
    std::function<void(const QString&)> warn_;
    bool warned_ = false;
};

}  // namespace lumo::scoring::ui
