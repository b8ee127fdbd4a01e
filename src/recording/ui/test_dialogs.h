#pragma once

#include <QDialog>

#include "recording/test_run.h"

namespace lumo::recording::ui {

// Keep or discard the chart: Yes ("Save chart") keeps it. Enter keeps, Esc discards.
class TfrmSave : public QDialog {
    Q_OBJECT

public:
    explicit TfrmSave(const ChoiceTexts& texts, QWidget* parent = nullptr);
};

// After every question was asked once: Continue (accepted) or Terminate (rejected).
class TfrmContTest : public QDialog {
    Q_OBJECT

public:
    explicit TfrmContTest(const ChoiceTexts& texts, QWidget* parent = nullptr);
};

}  // namespace lumo::recording::ui
