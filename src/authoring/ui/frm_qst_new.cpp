#include "authoring/ui/frm_qst_new.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "authoring/question_editor.h"
#include "authoring/ui/question_grid.h"
#include "core/texts/authoring.h"
#include "core/texts/core.h"
#include "core/workstation.h"
#include "platform/dialog_conventions.h"
#include "platform/qt_text.h"

namespace lumo::authoring::ui {

using platform::qs;

TfrmQstNew::TfrmQstNew(QuestionEditor& editor, core::Workstation& workstation, LoadFromBaseFunction loadFromBase,
                       PrintFunction print, QWidget* parent)
    : QDialog(parent),
      editor_(editor),
      ws_(workstation),
      loadFromBase_(std::move(loadFromBase)),
      print_(std::move(print)) {
    setObjectName("frmQstNew");
    const core::Texts& texts = ws_.texts();
    setWindowTitle(qs(editor_.caption()));
    conventions_ = new platform::DialogConventions(*this, texts);

    ledFileName_ = new QLineEdit(qs(editor_.fileName()), this);
    ledFileName_->setObjectName("ledFileName");
    conventions_->setHint(ledFileName_, texts(txt::QstFileNameHint));
    conventions_->addField(ledFileName_);
    connect(ledFileName_, &QLineEdit::textEdited, this,
            [this](const QString& text) { editor_.setFileName(text.toStdString()); });

    sgQuestions_ = new QuestionGrid(editor_.rows(), texts, *conventions_, this);
    connect(sgQuestions_, &QuestionGrid::countChanged, this, &TfrmQstNew::refreshButtons);

    const auto button = [this, &texts](int caption, int hint, const char* name) {
        auto* created = new QPushButton(qs(texts(caption)), this);
        created->setObjectName(name);
        conventions_->setHint(created, texts(hint));
        created->setAutoDefault(false);
        return created;
    };
    // Created in the order Tab visits them.
    cmdInsert_ = button(txt::QstInsert, txt::QstInsertHint, "cmdInsert");
    cmdDelete_ = button(txt::QstDelete, txt::QstDeleteHint, "cmdDelete");
    cmdLoadFromBase_ = button(txt::QstLoadFromBase, txt::QstLoadFromBaseHint, "cmdLoadFromBase");
    cmdPrint_ = button(txt::QstPrint, txt::QstPrintHint, "cmdPrint");
    cmdSave_ = button(txt::QstSave, txt::QstSaveHint, "cmdSave");
    cmdSave_->setDefault(true);
    cmdCancel_ = button(txt::QstCancel, txt::QstCancelHint, "cmdCancel");

    auto* top = new QHBoxLayout;
    top->addWidget(conventions_->makeLabel(texts(txt::QstFileName), ledFileName_));
    top->addWidget(ledFileName_, 1);
    top->addWidget(conventions_->keyboardIndicator());
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {cmdInsert_, cmdDelete_, cmdLoadFromBase_, cmdPrint_}) buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(cmdSave_);
    buttons->addWidget(cmdCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(sgQuestions_, 1);
    layout->addLayout(buttons);
    layout->addWidget(conventions_->hintPanel());

    setPrompts(editorMessageBoxes(*this, ws_.texts()));

    connect(cmdSave_, &QPushButton::clicked, this, &TfrmQstNew::cmdSaveClick);
    connect(cmdCancel_, &QPushButton::clicked, this, &TfrmQstNew::reject);
    connect(cmdInsert_, &QPushButton::clicked, sgQuestions_, &QuestionGrid::insertQuestion);
    connect(cmdDelete_, &QPushButton::clicked, sgQuestions_, &QuestionGrid::deleteQuestion);
    connect(cmdLoadFromBase_, &QPushButton::clicked, this, &TfrmQstNew::cmdLoadFromBaseClick);
    connect(cmdPrint_, &QPushButton::clicked, this, &TfrmQstNew::cmdPrintClick);

    refreshButtons();
}

void TfrmQstNew::setPrompts(EditorPrompts prompts) {
    prompts_ = sgQuestions_->takePrompts(std::move(prompts));
}

void TfrmQstNew::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shown_) return;
    shown_ = true;
    sgQuestions_->focusField({0, QuestionRows::Column::Sign});
}

void TfrmQstNew::refreshButtons() {
    cmdInsert_->setEnabled(editor_.rows().canInsert());
    cmdDelete_->setEnabled(editor_.rows().canDelete());
    cmdLoadFromBase_->setEnabled(static_cast<bool>(loadFromBase_));
    cmdPrint_->setEnabled(static_cast<bool>(print_));
}

void TfrmQstNew::keyPressEvent(QKeyEvent* event) {
    // Alt+Ins and Alt+Del also work where no row field has the focus.
    if (!sgQuestions_->editKey(*event)) QDialog::keyPressEvent(event);
}

void TfrmQstNew::cmdSaveClick() {
    using Kind = QuestionEditor::SaveResult::Kind;
    editor_.setFileName(ledFileName_->text().toStdString());
    const QuestionEditor::SaveResult result =
        editor_.save([this](const std::string& question) { return prompts_.confirm(qs(question)); });
    sgQuestions_->refresh();
    switch (result.kind) {
        case Kind::Saved: accept(); return;
        case Kind::Declined: return;
        case Kind::Fault:
            prompts_.warn(qs(result.message));
            sgQuestions_->focusField(result.field);
            return;
        case Kind::FileError:
            prompts_.error(qs(result.message));
            ledFileName_->setFocus(Qt::OtherFocusReason);
            return;
    }
}

void TfrmQstNew::cmdLoadFromBaseClick() {
    if (!loadFromBase_) return;
    std::optional<std::vector<std::string>> lines;
    try {
        lines = loadFromBase_(editor_.rows().lines());
    } catch (const std::exception& error) {
        prompts_.error(qs(ws_.texts()(txt::QstNoResourcesBase) + "\n" + error.what()));
        return;
    }
    if (!lines) return;
    editor_.rows().loadLines(*lines);
    sgQuestions_->refresh();
    sgQuestions_->focusField(editor_.rows().current());
}

void TfrmQstNew::cmdPrintClick() {
    if (!print_) return;
    try {
        print_(this, editor_.printHeading(), editor_.printLines());
    } catch (const std::exception& error) {
        prompts_.error(qs(error.what()));
    }
}

void TfrmQstNew::reject() {
    if (prompts_.confirm(qs(ws_.texts()(txt::QstExitConfirm)))) QDialog::reject();
}

}  // namespace lumo::authoring::ui
