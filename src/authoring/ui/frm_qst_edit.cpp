#include "authoring/ui/frm_qst_edit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "authoring/question_editor.h"
#include "authoring/template_chooser.h"
#include "core/errors.h"
#include "core/texts/authoring.h"
#include "core/texts/core.h"
#include "core/workstation.h"
#include "platform/dialog_conventions.h"
#include "platform/message_box.h"
#include "platform/qt_text.h"

namespace lumo::authoring::ui {

using platform::qs;

TfrmQstEdit::TfrmQstEdit(TemplateChooser& chooser, QuestionEditor& editor, core::Workstation& workstation,
                         PrintFunction print, QWidget* parent)
    : QDialog(parent), chooser_(chooser), editor_(editor), ws_(workstation), print_(std::move(print)) {
    setObjectName("frmQstEdit");
    const core::Texts& texts = ws_.texts();
    setWindowTitle(qs(texts(txt::TplCaption)));
    conventions_ = new platform::DialogConventions(*this, texts);

    lstTemplates_ = new QListWidget(this);
    lstTemplates_->setObjectName("lstTemplates");
    conventions_->setHint(lstTemplates_, texts(txt::TplListHint));
    conventions_->addField(lstTemplates_);
    lstTemplates_->installEventFilter(this);
    lstTemplates_->setMinimumWidth(lstTemplates_->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 24);

    lstPreview_ = new QListWidget(this);
    lstPreview_->setObjectName("lstPreview");
    lstPreview_->setSelectionMode(QAbstractItemView::NoSelection);
    QPalette black = lstPreview_->palette();
    black.setColor(QPalette::Base, Qt::black);
    lstPreview_->setPalette(black);
    lstPreview_->setMinimumWidth(lstPreview_->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 70);
    lblMethod_ = new QLabel(this);
    lblMethod_->setObjectName("lblMethod");

    const auto button = [this, &texts](int caption, int hint, const char* name) {
        auto* created = new QPushButton(qs(texts(caption)), this);
        created->setObjectName(name);
        conventions_->setHint(created, texts(hint));
        created->setAutoDefault(false);
        return created;
    };
    cmdOK_ = button(txt::ButtonOk, txt::TplOkHint, "cmdOK");
    cmdOK_->setDefault(true);
    cmdDelete_ = button(txt::ButtonDelete, txt::TplDeleteHint, "cmdDelete");
    cmdPrint_ = button(txt::ButtonPrint, txt::TplPrintHint, "cmdPrint");
    cmdExit_ = button(txt::ButtonExit, txt::TplExitHint, "cmdExit");

    auto* lists = new QGridLayout;
    lists->addWidget(conventions_->makeLabel(texts(txt::TplFileName), lstTemplates_), 0, 0);
    lists->addWidget(lstTemplates_, 1, 0);
    lists->addWidget(conventions_->makeLabel(texts(txt::TplPreview), lstPreview_), 0, 1);
    lists->addWidget(lstPreview_, 1, 1);
    lists->addWidget(lblMethod_, 2, 1);
    lists->setColumnStretch(1, 3);
    lists->setColumnStretch(0, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdDelete_);
    buttons->addWidget(cmdPrint_);
    buttons->addStretch();
    buttons->addWidget(cmdExit_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addLayout(buttons);
    layout->addWidget(conventions_->hintPanel());

    prompts_ = {[this](const QString& text) { return platform::askYesNo(this, windowTitle(), text, ws_.texts()); },
                [this](const QString& text) {
                    platform::showMessage(this, QMessageBox::Information, windowTitle(), text, ws_.texts());
                },
                [this](const QString& text) {
                    platform::showMessage(this, QMessageBox::Critical, windowTitle(), text, ws_.texts());
                }};

    connect(lstTemplates_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (filling_ || row < 0) return;
        chooser_.select(row);
        showSelected();
    });
    connect(lstTemplates_, &QListWidget::itemDoubleClicked, this, &TfrmQstEdit::cmdOKClick);
    connect(cmdOK_, &QPushButton::clicked, this, &TfrmQstEdit::cmdOKClick);
    connect(cmdDelete_, &QPushButton::clicked, this, &TfrmQstEdit::cmdDeleteClick);
    connect(cmdPrint_, &QPushButton::clicked, this, &TfrmQstEdit::cmdPrintClick);
    connect(cmdExit_, &QPushButton::clicked, this, &TfrmQstEdit::reject);

    fillList();
    lstTemplates_->setFocus();
}

void TfrmQstEdit::fillList() {
    filling_ = true;
    lstTemplates_->clear();
    for (const std::string& name : chooser_.names()) lstTemplates_->addItem(qs(name));
    lstTemplates_->setCurrentRow(chooser_.selected());
    filling_ = false;
    showSelected();
}

void TfrmQstEdit::showSelected() {
    lstPreview_->clear();
    for (const TemplateChooser::PreviewLine& line : chooser_.preview()) {
        auto* item = new QListWidgetItem(qs(line.text), lstPreview_);
        item->setForeground(QColor(line.colour.red, line.colour.green, line.colour.blue));
    }
    lblMethod_->setText(qs(chooser_.methodCaption()));
    const bool any = !chooser_.empty();
    cmdOK_->setEnabled(any);
    cmdDelete_->setEnabled(any);
    cmdPrint_->setEnabled(any && static_cast<bool>(print_));
}

void TfrmQstEdit::cmdOKClick() {
    if (chooser_.empty()) return;
    try {
        editor_.loadTemplate(chooser_.selectedFile());
    } catch (const LumoError& error) {
        prompts_.error(qs(error.what()));
        return;
    }
    accept();
}

void TfrmQstEdit::cmdDeleteClick() {
    if (chooser_.empty() || !prompts_.confirm(qs(ws_.texts()(txt::CmdDeleteTemplateConfirm)))) return;
    bool more = true;
    try {
        more = chooser_.deleteSelected();
    } catch (const LumoError& error) {
        prompts_.error(qs(error.what()));
        return;
    }
    fillList();
    if (!more) {
        prompts_.inform(qs(ws_.texts()(txt::TplNoMore)));
        QDialog::reject();
    }
}

void TfrmQstEdit::cmdPrintClick() {
    if (!print_ || chooser_.empty()) return;
    try {
        print_(this, chooser_.printHeading(), chooser_.printLines());
    } catch (const std::exception& error) {
        prompts_.error(qs(error.what()));
    }
}

bool TfrmQstEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lstTemplates_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            cmdDeleteClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace lumo::authoring::ui
