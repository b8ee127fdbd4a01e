#include "authoring/ui/exam_name_box.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/settings.h"
#include "core/texts/authoring.h"
#include "core/texts/core.h"
#include "core/ui/qt_text.h"
#include "platform/dialog_conventions.h"

namespace lumo::authoring::ui {

using core::ui::qs;

ExamNameBox::ExamNameBox(const core::Texts& texts, const QString& title, const QString& prompt,
                         const QString& proposal, QWidget* parent)
    : QDialog(parent) {
    setObjectName("frmNameBox");
    setWindowTitle(title);
    conventions_ = new platform::DialogConventions(*this, texts);
    ledName_ = new QLineEdit(proposal, this);
    ledName_->setObjectName("ledName");
    ledName_->selectAll();
    ledName_->setMinimumWidth(ledName_->fontMetrics().horizontalAdvance(QLatin1Char('W')) * 30);
    conventions_->setHint(ledName_, texts(txt::ExamNameBoxHint));
    conventions_->addField(ledName_);
    auto* ok = new QPushButton(qs(texts(txt::ButtonOk)), this);
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    auto* cancel = new QPushButton(qs(texts(txt::ButtonCancel)), this);
    cancel->setObjectName("cmdCancel");
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* field = new QHBoxLayout;
    field->addWidget(ledName_, 1);
    field->addWidget(conventions_->keyboardIndicator());
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(conventions_->makeLabel(prompt.toStdString(), ledName_));
    layout->addLayout(field);
    layout->addLayout(buttons);
    layout->addWidget(conventions_->hintPanel());
    ledName_->setFocus();
}

QString ExamNameBox::name() const {
    return ledName_->text();
}

}  // namespace lumo::authoring::ui
