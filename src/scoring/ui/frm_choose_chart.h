#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>

#include "scoring/chart_choice.h"

class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace lumo::core {
class Workstation;
}
namespace lumo::platform {
class DialogConventions;
}

namespace lumo::scoring::ui {

// The chart chooser: the current examinee's exams with a first results
// table, the chart of the chosen exam and a coloured list of that chart's
// presentations. Choose makes the exam and chart current; Cancel changes
// nothing.
class TfrmChooseChart : public QDialog {
    Q_OBJECT

public:
    // Shows an error box (text); empty: the real one.
    using ErrorFunction = std::function<void(const QString& text)>;

    explicit TfrmChooseChart(core::Workstation& workstation, QWidget* parent = nullptr, ErrorFunction error = {});
    ~TfrmChooseChart() override;

    // Lists the exams; false when there is none (the chooser is then not shown).
    bool fill();

    // Widgets, for tests.
    QListWidget* examList() const { return lstExam_; }
    QSpinBox* chartField() const { return seChart_; }
    QListWidget* questionList() const { return txtQst_; }
    QLabel* methodLabel() const { return lblMethod_; }
    QPushButton* okButton() const { return cmdOK_; }
    QPushButton* cancelButton() const { return cmdCancel_; }
    platform::DialogConventions& conventions() const { return *conventions_; }

public slots:
    void cmdOKClick();

private:
    void showExam();
    void showChart();
    void reportError();

    core::Workstation& ws_;
    ErrorFunction error_;
    ChartChoice choice_;
    QListWidget* lstExam_;
    QSpinBox* seChart_;
    QListWidget* txtQst_;
    QLabel* lblMethod_;
    QPushButton* cmdOK_;
    QPushButton* cmdCancel_;
    platform::DialogConventions* conventions_;
    bool filling_ = false;
    QString shownError_;
};

}  // namespace lumo::scoring::ui
