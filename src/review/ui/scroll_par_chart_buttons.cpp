#include "review/ui/scroll_par_chart_buttons.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace lumo::review::ui {

TParChartButtons::TParChartButtons(const QString& caption, QWidget* parent)
    : QWidget(parent), caption_(new QLabel(caption, this)), group_(new QButtonGroup(this)) {
    setObjectName("pnlCharts");
    // Down, up and unavailable must tell apart at a glance.
    setStyleSheet(QStringLiteral("QToolButton { background: white; border: 1px solid black; }"
                                 "QToolButton:checked { background: navy; border: 2px solid white; }"
                                 "QToolButton:disabled { background: #a0a0a0; border: 1px solid #707070; }"));
    caption_->setObjectName("lblCharts");
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    row->addWidget(caption_);
    group_->setExclusive(true);
    const int side = caption_->fontMetrics().height();
    for (int d = 1; d <= 9; ++d) {
        const QString name = QString::number(d) + QLatin1Char('.');
        auto* label = new QLabel(name, this);
        label->setObjectName(QStringLiteral("lblChart%1").arg(d));
        auto* button = new QToolButton(this);
        button->setObjectName(QStringLiteral("sbChart%1").arg(d));
        button->setCheckable(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedSize(side, side);
        button->setAccessibleName(name);
        label->setBuddy(button);
        group_->addButton(button, d);
        buttons_[static_cast<std::size_t>(d)] = button;
        row->addWidget(label);
        row->addWidget(button);
        row->addSpacing(4);
    }
    connect(group_, &QButtonGroup::idClicked, this, &TParChartButtons::chartClicked);
}

void TParChartButtons::setAvailable(int digit, bool available) {
    if (digit >= 1 && digit <= 9) button(digit)->setEnabled(available);
}

void TParChartButtons::setDown(int digit) {
    if (digit >= 1 && digit <= 9) button(digit)->setChecked(true);
}

int TParChartButtons::down() const {
    const int id = group_->checkedId();
    return id >= 1 && id <= 9 ? id : 0;
}

bool TParChartButtons::clickDigit(int digit) {
    if (digit < 1 || digit > 9 || !button(digit)->isEnabled()) return false;
    button(digit)->click();
    return true;
}

int chartOfDigitKey(int key, Qt::KeyboardModifiers modifiers) {
    if ((modifiers & ~Qt::KeypadModifier) != Qt::NoModifier) return 0;
    return key >= Qt::Key_1 && key <= Qt::Key_9 ? key - Qt::Key_0 : 0;
}

}  // namespace lumo::review::ui
