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
    auto* yes = new QPushButton(qs(texts.yes), this);
    yes->setToolTip(qs(core::shortHint(texts.yesHint)));
    yes->setDefault(true);
    auto* no = new QPushButton(qs(texts.no), this);
    buttons->addWidget(yes);
    buttons->addWidget(no);
    layout->addLayout(buttons);
    connect(yes, &QPushButton::clicked, this, &QDialog::accept);
    connect(no, &QPushButton::clicked, this, &QDialog::reject);
    setMinimumWidth(360);
}

TfrmContTest::TfrmContTest(const ChoiceTexts& texts, QWidget* parent) : QDialog(parent) {
    setWindowTitle(qs(texts.caption));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* question = new QLabel(qs(texts.question), this);
    question->setAlignment(Qt::AlignCenter);
    question->setWordWrap(true);
    layout->addWidget(question);
    auto* buttons = new QHBoxLayout;
    auto* continueButton = new QPushButton(qs(texts.yes), this);
    continueButton->setDefault(true);
    auto* terminateButton = new QPushButton(qs(texts.no), this);
    buttons->addWidget(continueButton);
    buttons->addWidget(terminateButton);
    layout->addLayout(buttons);
    connect(continueButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(terminateButton, &QPushButton::clicked, this, &QDialog::reject);
    setMinimumWidth(360);
}

}  // namespace lumo::recording::ui
