#include "recording/ui/frm_tablo.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <string>
#include <variant>
#include <vector>

#include "core/texts/core.h"
#include "core/texts/recording.h"
#include "core/ui/qt_text.h"
#include "core/workstation.h"
#include "recording/ui/paint_panels.h"

namespace lumo::recording::ui {

using core::ui::qs;

namespace {

// The board's design sizes are pixels of a 13-pixel-high dialog font; a larger
// font (or screen) scales them so that the texts keep their room.
constexpr double kDesignFontHeight = 13.0;
constexpr int kBoardWidth = 145;
constexpr int kBoardHeight = 281;
constexpr int kRowLabelHeight = 25;
constexpr int kButtonWidth = 89;
constexpr int kButtonHeight = 25;

QColor color(const core::Rgb& rgb) {
    return {rgb.red, rgb.green, rgb.blue};
}

QLabel* boldLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

// What a screen reader hears of the board: its texts in drawing order.
QString boardDescription(const BoardPicture& picture) {
    QStringList texts;
    for (const BoardItem& item : picture.items) {
        const auto* text = std::get_if<BoardText>(&item);
        if (text != nullptr && !text->text.empty()) texts.append(qs(text->text));
    }
    return texts.join(' ');
}

}  // namespace

void paintBoard(QPainter& painter, const BoardPicture& picture) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(0, 0, picture.width, picture.height), Qt::black);
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    painter.setBackgroundMode(Qt::TransparentMode);
    for (const BoardItem& item : picture.items) {
        if (const auto* rect = std::get_if<BoardRect>(&item)) {
            const int left = std::min(rect->from.x, rect->to.x);
            const int right = std::max(rect->from.x, rect->to.x);
            const int top = std::min(rect->from.y, rect->to.y);
            const int bottom = std::max(rect->from.y, rect->to.y);
            painter.fillRect(QRect(left, top, right - left, bottom - top), color(rect->fill));
        } else if (const auto* line = std::get_if<BoardLine>(&item)) {
            QPen pen(color(line->color), 1, line->dotted ? Qt::DotLine : Qt::SolidLine);
            painter.setPen(pen);
            QPolygon points;
            for (const BoardPoint& point : line->points) points.append(QPoint(point.x, point.y));
            painter.drawPolyline(points);
        } else if (const auto* text = std::get_if<BoardText>(&item)) {
            painter.setPen(color(text->color));
            const QRect room(text->at.x, text->at.y, picture.width + picture.height, picture.height);
            painter.drawText(room, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, qs(text->text));
        }
    }
    painter.restore();
}

TfrmTablo::TfrmTablo(core::Workstation& workstation, const ScoreBoardInput& input, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      board_(input, workstation.texts()) {
    setObjectName("frmTablo");
    const core::Texts& texts = workstation.texts();
    setWindowTitle(qs(texts(txt::BoardCaption)));
    const double unit = std::max(1.0, fontMetrics().height() / kDesignFontHeight);
    const auto scaled = [unit](int pixels) { return static_cast<int>(std::lround(pixels * unit)); };

    lblData_ = boldLabel(this, "lblData");
    lblData_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    lblData_->setLineWidth(2);
    lblData_->setAlignment(Qt::AlignCenter);
    lblData_->setMinimumHeight(scaled(kRowLabelHeight));
    lblData_->setText(qs(board_.rowCaption()));

    pctData_ = new TPaintPanel(this);
    pctData_->setObjectName("pctData");
    // Wider where the titles or the missing texts of this font would run into their neighbours.
    QFont boardFont = pctData_->font();
    boardFont.setBold(true);
    const QFontMetrics measure(boardFont);
    const auto widest = [&measure](const std::vector<std::string>& texts) {
        int width = 0;
        for (const std::string& text : texts) width = std::max(width, measure.horizontalAdvance(qs(text)));
        return width;
    };
    pctData_->setFixedSize(
        ScoreBoard::fittingWidth(scaled(kBoardWidth), widest(board_.titles()), widest(board_.missingTexts())),
        scaled(kBoardHeight));
    QPalette black = pctData_->palette();
    black.setColor(QPalette::Window, Qt::black);
    pctData_->setPalette(black);
    pctData_->setAccessibleName(windowTitle());
    connect(pctData_, &TPaintPanel::OnPaint, this, &TfrmTablo::pctDataPaint);

    auto* values = new QGridLayout;
    const auto valueRow = [this, values, &texts](int row, int caption, const char* captionName, const char* name,
                                                 const std::string& value) {
        auto* label = new QLabel(qs(texts(caption)), this);
        label->setObjectName(captionName);
        QLabel* shown = boldLabel(this, name);
        shown->setText(qs(value));
        values->addWidget(label, row, 0);
        values->addWidget(shown, row, 1);
        return shown;
    };
    lblPnev_ = valueRow(0, txt::BoardBreath, "lblPnevC", "lblPnev", board_.breathText());
    lblCond_ = valueRow(1, txt::BoardResistance, "lblR", "lblCond", board_.resistanceText());
    lblPuls_ = valueRow(2, txt::BoardPulse, "lblPul", "lblPuls", board_.pulseText());
    values->setColumnStretch(1, 1);
    values->setVerticalSpacing(0);

    Command1_ = new QPushButton(qs(texts(txt::ButtonOk)), this);
    Command1_->setObjectName("Command1");
    Command1_->setDefault(true);
    Command1_->setMinimumSize(scaled(kButtonWidth), scaled(kButtonHeight));
    connect(Command1_, &QPushButton::clicked, this, &TfrmTablo::Command1Click);

    auto* button = new QHBoxLayout;
    button->addStretch();
    button->addWidget(Command1_);
    button->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(scaled(8), scaled(8), scaled(8), scaled(8));
    layout->addWidget(lblData_);
    layout->addSpacing(scaled(8));
    layout->addWidget(pctData_);
    layout->addLayout(values);
    layout->addLayout(button);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    pctData_->setAccessibleDescription(boardDescription(picture()));
    Command1_->setFocus();
}

QWidget* TfrmTablo::boardPanel() const {
    return pctData_;
}

BoardPicture TfrmTablo::picture() const {
    return board_.picture(pctData_->width(), pctData_->height());
}

void TfrmTablo::Command1Click() {
    accept();
}

void TfrmTablo::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The board opens in the screen's top-left corner, clear of the chart it explains.
    if (const QScreen* shown = screen()) move(shown->geometry().topLeft());
}

void TfrmTablo::pctDataPaint(QPainter* painter) {
    paintBoard(*painter, picture());
}

void showScoreBoard(QWidget* parent, core::Workstation& workstation, const ScoreBoardInput& input) {
    TfrmTablo window(workstation, input, parent);
    window.exec();
}

}  // namespace lumo::recording::ui
