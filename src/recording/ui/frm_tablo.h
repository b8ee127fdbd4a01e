#pragma once

#include <QDialog>

#include "recording/score_board.h"

class QLabel;
class QPainter;
class QPushButton;

namespace lumo::core {
class Workstation;
}

namespace lumo::recording::ui {

class TPaintPanel;

// The score board of one question row: the row's stress marks as bars per
// feature, the component outlines and the total, drawn from the picture
// ScoreBoard computes, with the row's breathing rate, mean skin resistance
// and pulse rate. OK, Enter or Esc closes it.
class TfrmTablo : public QDialog {
    Q_OBJECT

public:
    // Raises EConvertError for a malformed selection text.
    TfrmTablo(core::Workstation& workstation, const ScoreBoardInput& input, QWidget* parent = nullptr);

    const ScoreBoard& board() const { return board_; }
    QLabel* rowLabel() const { return lblData_; }
    QWidget* boardPanel() const;
    QLabel* breathValue() const { return lblPnev_; }
    QLabel* resistanceValue() const { return lblCond_; }
    QLabel* pulseValue() const { return lblPuls_; }
    QPushButton* okButton() const { return Command1_; }

    // The picture of the panel at its present size.
    BoardPicture picture() const;

public slots:
    void Command1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void pctDataPaint(QPainter* painter);

    ScoreBoard board_;
    QLabel* lblData_;
    TPaintPanel* pctData_;
    QLabel* lblPnev_;
    QLabel* lblCond_;
    QLabel* lblPuls_;
    QPushButton* Command1_;
};

// Draws a board picture with the painter's font made bold, over black.
void paintBoard(QPainter& painter, const BoardPicture& picture);

// Opens the score board modally and frees it when it closes.
void showScoreBoard(QWidget* parent, core::Workstation& workstation, const ScoreBoardInput& input);

}  // namespace lumo::recording::ui
