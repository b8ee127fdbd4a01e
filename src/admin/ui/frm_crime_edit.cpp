#include "admin/ui/frm_crime_edit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "core/string_table.h"
#include "core/texts/admin.h"
#include "core/texts/core.h"
#include "core/ui/qt_text.h"
#include "core/workstation.h"
#include "platform/dialog_conventions.h"
#include "platform/message_box.h"

namespace lumo::admin::ui {

using core::ui::qs;

TfrmCrimeEdit::TfrmCrimeEdit(core::Workstation& workstation, QWidget* parent)
    : QDialog(parent), ws_(workstation), editor_(workstation.settings(), workstation.texts()) {
    setObjectName("frmCrimeEdit");
    const core::Texts& texts = ws_.texts();
    setWindowTitle(qs(texts(txt::CrimeCaption)));
    conventions_ = new platform::DialogConventions(*this, texts);

    memCrimes_ = new QPlainTextEdit(this);
    memCrimes_->setObjectName("memCrimes");
    // Long names scroll sideways instead of looking like two entries.
    memCrimes_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memCrimes_->setTabChangesFocus(true);
    memCrimes_->setPlainText(qs(editor_.text()));
    conventions_->setHint(memCrimes_, texts(txt::CrimeNamesHint));
    conventions_->addField(memCrimes_);

    cmdOK_ = new QPushButton(qs(texts(txt::ButtonOk)), this);
    cmdOK_->setObjectName("cmdOK");
    conventions_->setHint(cmdOK_, texts(txt::CrimeOkHint));
    cmdCancel_ = new QPushButton(qs(texts(txt::ButtonCancel)), this);
    cmdCancel_->setObjectName("cmdCancel");
    conventions_->setHint(cmdCancel_, texts(txt::CrimeCancelHint));
    // Enter makes a new line in the list; on the buttons it presses them.
    cmdOK_->setDefault(false);

    auto* top = new QHBoxLayout;
    top->addWidget(conventions_->makeLabel(texts(txt::CrimeNames), memCrimes_));
    top->addStretch();
    top->addWidget(conventions_->keyboardIndicator());
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(memCrimes_, 1);
    layout->addLayout(buttons);
    layout->addWidget(conventions_->hintPanel());

    setConfirmFunction([this](const QString& text) {
        return platform::askYesNo(this, windowTitle(), text, ws_.texts());
    });

    connect(cmdOK_, &QPushButton::clicked, this, &TfrmCrimeEdit::cmdOKClick);
    connect(cmdCancel_, &QPushButton::clicked, this, &TfrmCrimeEdit::reject);
    memCrimes_->setFocus();
}

void TfrmCrimeEdit::setConfirmFunction(ConfirmFunction confirm) {
    editor_.setConfirmFunction([confirm = std::move(confirm)](const std::string& text) { return confirm(qs(text)); });
}

void TfrmCrimeEdit::cmdOKClick() {
    if (editor_.save(memCrimes_->toPlainText().toStdString())) accept();
}

void TfrmCrimeEdit::reject() {
    if (editor_.cancel()) QDialog::reject();
}

void TfrmCrimeEdit::showEvent(QShowEvent* event) {
    if (!design_.isValid()) {
        // The laid-out size is the design; the screen decides the scale.
        design_ = sizeHint().expandedTo(minimumSizeHint());
        if (const QScreen* shown = screen()) {
            const QRect area = shown->availableGeometry();
            const DialogSize size = crimeEditorSize({design_.width(), design_.height()},
                                                    {area.width(), area.height()});
            resize(size.width, size.height);
            move(area.center() - rect().center());
        }
    }
    QDialog::showEvent(event);
}

}  // namespace lumo::admin::ui
