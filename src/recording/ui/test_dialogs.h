#pragma once

#include <QDialog>

#include "recording/test_run.h"

class QLabel;
class QPushButton;

namespace lumo::recording::ui {

// Keep or discard the chart: Yes ("Save chart") keeps it. Enter keeps, Esc discards.
class TfrmSave : public QDialog {
    Q_OBJECT

public:
    explicit TfrmSave(const ChoiceTexts& texts, QWidget* parent = nullptr);

    QPushButton* yesButton() const { return yes_; }
    QPushButton* noButton() const { return no_; }

private:
    QPushButton* yes_ = nullptr;
    QPushButton* no_ = nullptr;
};

// After every question was asked once: Continue (accepted) or Terminate (rejected).
class TfrmContTest : public QDialog {
    Q_OBJECT

public:
    explicit TfrmContTest(const ChoiceTexts& texts, QWidget* parent = nullptr);

    QPushButton* continueButton() const { return continue_; }
    QPushButton* terminateButton() const { return terminate_; }
    QString question() const;

private:
    QLabel* question_ = nullptr;
    QPushButton* continue_ = nullptr;
    QPushButton* terminate_ = nullptr;
};

}  // namespace lumo::recording::ui
