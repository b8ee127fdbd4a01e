#include "authoring/ui/frm_exam_edit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "authoring/exam_editor.h"
#include "authoring/ui/question_grid.h"
#include "core/errors.h"
#include "core/question_set.h"
#include "core/texts/authoring.h"
#include "core/texts/core.h"
#include "core/workstation.h"
#include "platform/dialog_conventions.h"
#include "platform/qt_text.h"

namespace lumo::authoring::ui {

using platform::qs;

TfrmExamEdit::TfrmExamEdit(ExamEditor& editor, core::Workstation& workstation, PrintFunction print, QWidget* parent)
    : QDialog(parent), editor_(editor), ws_(workstation), print_(std::move(print)) {
    setObjectName("frmExamEdit");
    const core::Texts& texts = ws_.texts();
    setWindowTitle(qs(texts(txt::ExamEditCaption)));
    conventions_ = new platform::DialogConventions(*this, texts);

    cbMethod_ = new QComboBox(this);
    cbMethod_->setObjectName("cbMethod");
    for (const std::string& name : editor_.methodNames()) cbMethod_->addItem(qs(name));
    cbMethod_->setCurrentIndex(editor_.method() - 1);
    conventions_->setHint(cbMethod_, texts(txt::ExamEditMethodHint));
    conventions_->addField(cbMethod_);
    lblFormat_ = new QLabel(qs(editor_.formatLabel()), this);
    lblFormat_->setObjectName("lblFormat");
    connect(cbMethod_, &QComboBox::currentIndexChanged, this, [this](int index) {
        editor_.setMethod(index + 1);
        lblFormat_->setText(qs(editor_.formatLabel()));
    });
    pnlExaminee_ = new QLabel(qs(editor_.examineePanel()), this);
    pnlExaminee_->setObjectName("pnlExaminee");
    pnlExaminee_->setFrameShape(QFrame::StyledPanel);
    pnlExaminer_ = new QLabel(qs(editor_.examinerPanel()), this);
    pnlExaminer_->setObjectName("pnlExaminer");
    pnlExaminer_->setFrameShape(QFrame::StyledPanel);
    ledMark_ = new QLineEdit(qs(editor_.mark()), this);
    ledMark_->setObjectName("ledMark");
    ledMark_->setMaxLength(static_cast<int>(core::kQuestionTextPart));
    conventions_->setHint(ledMark_, texts(txt::ExamEditMarkHint));
    conventions_->addField(ledMark_);

    sgQuestions_ = new QuestionGrid(editor_.rows(), texts, *conventions_, this);
    connect(sgQuestions_, &QuestionGrid::countChanged, this, &TfrmExamEdit::refreshButtons);

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
    cmdSave_ = button(txt::ButtonSave, txt::ExamEditSaveHint, "cmdSave");
    cmdSave_->setDefault(true);
    cmdPrint_ = button(txt::ButtonPrint, txt::ExamEditPrintHint, "cmdPrint");
    cmdCancel_ = button(txt::ButtonCancel, txt::ExamEditCancelHint, "cmdCancel");

    auto* head = new QGridLayout;
    head->addWidget(conventions_->makeLabel(texts(txt::ExamEditMethod), cbMethod_), 0, 0);
    head->addWidget(cbMethod_, 0, 1);
    head->addWidget(new QLabel(qs(texts(txt::ExamEditFormat)), this), 0, 2);
    head->addWidget(lblFormat_, 0, 3);
    head->addWidget(pnlExaminee_, 1, 0, 1, 2);
    head->addWidget(pnlExaminer_, 1, 2, 1, 2);
    head->addWidget(conventions_->makeLabel(texts(txt::ExamEditMark), ledMark_), 2, 0);
    head->addWidget(ledMark_, 2, 1, 1, 2);
    head->addWidget(conventions_->keyboardIndicator(), 2, 3, Qt::AlignRight);
    head->setColumnStretch(3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdInsert_);
    buttons->addWidget(cmdDelete_);
    buttons->addStretch();
    buttons->addWidget(cmdSave_);
    buttons->addWidget(cmdPrint_);
    buttons->addWidget(cmdCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(sgQuestions_, 1);
    layout->addLayout(buttons);
    layout->addWidget(conventions_->hintPanel());

    setPrompts(editorMessageBoxes(*this, ws_.texts()));

    connect(cmdSave_, &QPushButton::clicked, this, &TfrmExamEdit::cmdSaveClick);
    connect(cmdPrint_, &QPushButton::clicked, this, &TfrmExamEdit::cmdPrintClick);
    connect(cmdCancel_, &QPushButton::clicked, this, &TfrmExamEdit::reject);
    connect(cmdInsert_, &QPushButton::clicked, sgQuestions_, &QuestionGrid::insertQuestion);
    connect(cmdDelete_, &QPushButton::clicked, sgQuestions_, &QuestionGrid::deleteQuestion);
    refreshButtons();
}

void TfrmExamEdit::setPrompts(EditorPrompts prompts) {
    prompts_ = sgQuestions_->takePrompts(std::move(prompts));
}

void TfrmExamEdit::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shown_) return;
    shown_ = true;
    sgQuestions_->focusField({0, QuestionRows::Column::Sign});
}

void TfrmExamEdit::refreshButtons() {
    cmdInsert_->setEnabled(editor_.rows().canInsert());
    cmdDelete_->setEnabled(editor_.rows().canDelete());
    cmdPrint_->setEnabled(static_cast<bool>(print_));
}

void TfrmExamEdit::keyPressEvent(QKeyEvent* event) {
    // Alt+Ins and Alt+Del also work where no row field has the focus.
    if (!sgQuestions_->editKey(*event)) QDialog::keyPressEvent(event);
}

void TfrmExamEdit::cmdSaveClick() {
    editor_.setMark(ledMark_->text().toStdString());
    std::optional<QuestionRows::Fault> fault;
    try {
        fault = editor_.save();
    } catch (const LumoError& error) {
        sgQuestions_->refresh();
        prompts_.error(qs(error.what()));
        return;
    }
    sgQuestions_->refresh();
    if (fault) {
        prompts_.warn(qs(fault->message));
        sgQuestions_->focusField(fault->field);
        return;
    }
    accept();
}

void TfrmExamEdit::cmdPrintClick() {
    if (!print_) return;
    editor_.setMark(ledMark_->text().toStdString());
    try {
        print_(this, editor_.printHeading(), editor_.printLines());
    } catch (const std::exception& error) {
        prompts_.error(qs(error.what()));
    }
}

void TfrmExamEdit::reject() {
    if (prompts_.confirm(qs(ws_.texts()(txt::QstExitConfirm)))) QDialog::reject();
}

bool editExam(QWidget* parent, core::Workstation& workstation, const std::filesystem::path& examFile,
              bool structureMode, ExamEditorHooks hooks) {
    ExamEditor editor(workstation, examFile, structureMode);
    TfrmExamEdit window(editor, workstation, std::move(hooks.print), parent);
    return window.exec() == QDialog::Accepted;
}

}  // namespace lumo::authoring::ui
