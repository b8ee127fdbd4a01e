#include "recording/ui/test_dialogs.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/string_table.h"
#include "core/ui/qt_text.h"

namespace lumo::recording::ui {

using core::ui::qs;

TfrmSave::TfrmSave(const ChoiceTexts& texts, QWidget* parent) : QDialog(parent) {
    setWindowTitle(qs(texts.caption));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    if (!texts.question.empty()) {
        auto* question = new QLabel(qs(texts.question), this);
        question->setAlignment(Qt::AlignCenter);
        question->setWordWrap(true);
        layout->addWidget(question);
    }
    auto* buttons = new QHBoxLayout;
    yes_ = new QPushButton(qs(texts.yes), this);
    yes_->setToolTip(qs(core::shortHint(texts.yesHint)));
    yes_->setDefault(true);
    no_ = new QPushButton(qs(texts.no), this);
    buttons->addWidget(yes_);
    buttons->addWidget(no_);
    layout->addLayout(buttons);
    connect(yes_, &QPushButton::clicked, this, &QDialog::accept);
    connect(no_, &QPushButton::clicked, this, &QDialog::reject);
    setMinimumWidth(360);
}

TfrmContTest::TfrmContTest(const ChoiceTexts& texts, QWidget* parent) : QDialog(parent) {
    setWindowTitle(qs(texts.caption));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    question_ = new QLabel(qs(texts.question), this);
    question_->setAlignment(Qt::AlignCenter);
    question_->setWordWrap(true);
    layout->addWidget(question_);
    auto* buttons = new QHBoxLayout;
    continue_ = new QPushButton(qs(texts.yes), this);
    continue_->setDefault(true);
    terminate_ = new QPushButton(qs(texts.no), this);
    buttons->addWidget(continue_);
    buttons->addWidget(terminate_);
    layout->addLayout(buttons);
    connect(continue_, &QPushButton::clicked, this, &QDialog::accept);
    connect(terminate_, &QPushButton::clicked, this, &QDialog::reject);
    setMinimumWidth(360);
}

QString TfrmContTest::question() const {
    return question_->text();
}

}  // namespace lumo::recording::ui
