#include "platform/dialog_conventions.h"

#include <QCursor>
#include <QDialog>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QStatusTipEvent>
#include <QTimer>

#include "core/settings.h"
#include "core/string_table.h"
#include "core/texts/core.h"
#include "platform/keyboard_layout.h"
#include "platform/qt_text.h"

namespace lumo::platform {

namespace {

constexpr int kIndicatorPeriodMs = 100;

int indicatorTextId(int layout) {
    switch (layout) {
        case 0: return txt::KeyboardLatin;
        case 1: return txt::KeyboardCyrillic;
        default: return txt::KeyboardUnknown;
    }
}

}  // namespace

QString withoutAccessKey(const QString& caption) {
    QString plain;
    plain.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&')) {
            if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&')) plain.append(caption[++i]);
            continue;
        }
        plain.append(caption[i]);
    }
    return plain.trimmed();
}

DialogConventions::DialogConventions(QDialog& dialog, const core::Texts& texts)
    : QObject(&dialog), dialog_(dialog), texts_(texts), probe_(probeKeyboardLayout) {
    hintPanel_ = new QLabel(&dialog);
    hintPanel_->setObjectName("pnlHint");
    hintPanel_->setFrameShape(QFrame::StyledPanel);
    hintPanel_->setWordWrap(true);
    hintPanel_->setMinimumHeight(hintPanel_->fontMetrics().lineSpacing() * 2 + 6);
    hintPanel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    dialog.installEventFilter(this);
    dialog.setWindowFlags(dialog.windowFlags() & ~Qt::WindowContextHelpButtonHint);
}

QString DialogConventions::hintPanelText() const {
    return hintPanel_->text();
}

void DialogConventions::setHint(QWidget* control, std::string_view hint) {
    control->setToolTip(qs(core::shortHint(hint)));
    control->setStatusTip(qs(core::longHint(hint)));
    control->installEventFilter(this);
}

void DialogConventions::addField(QWidget* field) {
    field->setProperty("lumoField", true);
    field->installEventFilter(this);
    paintField(field, field->hasFocus());
}

QLabel* DialogConventions::makeLabel(std::string_view caption, QWidget* field) {
    auto* label = new QLabel(qs(caption), &dialog_);
    nameField(label, field);
    return label;
}

void DialogConventions::nameField(QLabel* label, QWidget* field) {
    label->setBuddy(field);
    field->setAccessibleName(withoutAccessKey(label->text()));
}

QWidget* DialogConventions::keyboardIndicator() {
    if (indicator_ != nullptr) return indicator_;
    indicator_ = new QWidget(&dialog_);
    indicator_->setObjectName("pnlKeyboard");
    auto* caption = new QLabel(qs(texts_(txt::KeyboardFont)), indicator_);
    indicatorValue_ = new QLabel(indicator_);
    indicatorValue_->setObjectName("lblKeyboard");
    indicatorValue_->setFrameShape(QFrame::StyledPanel);
    indicatorValue_->setAlignment(Qt::AlignCenter);
    indicatorValue_->setMinimumWidth(indicatorValue_->fontMetrics().horizontalAdvance(QStringLiteral("W W W W")));
    auto* layout = new QHBoxLayout(indicator_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(caption);
    layout->addWidget(indicatorValue_);
    indicatorTimer_ = new QTimer(this);
    indicatorTimer_->setInterval(kIndicatorPeriodMs);
    connect(indicatorTimer_, &QTimer::timeout, this, &DialogConventions::refreshKeyboardIndicator);
    indicatorTimer_->start();
    refreshKeyboardIndicator();
    return indicator_;
}

QString DialogConventions::keyboardIndicatorText() const {
    return indicatorValue_ != nullptr ? indicatorValue_->text() : QString();
}

void DialogConventions::refreshKeyboardIndicator() {
    if (indicatorValue_ == nullptr) return;
    const QString text = qs(texts_(indicatorTextId(probe_ ? probe_() : 2)));
    if (indicatorValue_->text() != text) indicatorValue_->setText(text);
}

QColor DialogConventions::enteredColor() {
    return QColor(Qt::white);
}

QColor DialogConventions::leftColor() {
    return QColor(192, 192, 192);
}

void DialogConventions::paintField(QWidget* field, bool focused) {
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, focused ? enteredColor() : leftColor());
    field->setPalette(palette);
}

bool DialogConventions::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &dialog_) {
        // Hints of the controls under the pointer reach the dialog as status tips.
        if (event->type() == QEvent::StatusTip) {
            const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
            if (!tip.isEmpty()) hintPanel_->setText(tip);
            return true;
        }
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr) return false;
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        const bool focused = event->type() == QEvent::FocusIn;
        if (focused && !widget->statusTip().isEmpty()) hintPanel_->setText(widget->statusTip());
        if (widget->property("lumoField").toBool()) {
            paintField(widget, focused);
            // A field reached by the keyboard brings the pointer along.
            if (focused && widget->isVisible() && !widget->rect().contains(widget->mapFromGlobal(QCursor::pos()))) {
                QCursor::setPos(widget->mapToGlobal(widget->rect().center()));
            }
        }
    }
    return false;
}

}  // namespace lumo::platform
