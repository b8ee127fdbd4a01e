#include "admin/ui/examinee_form_dialog.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/string_table.h"
#include "core/texts/admin.h"
#include "core/texts/core.h"
#include "core/ui/qt_text.h"
#include "core/workstation.h"
#include "platform/dialog_conventions.h"

namespace lumo::admin::ui {

using core::ui::qs;

namespace {

constexpr int kNameFieldChars = 40;  // visible width of the typed fields

QComboBox* makeList(QWidget* parent, const char* name, const std::vector<std::string>& items, int selected) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    for (const std::string& item : items) list->addItem(qs(item));
    list->setCurrentIndex(selected);
    return list;
}

QLineEdit* makeReadOnly(QWidget* parent, const char* name, const std::string& text) {
    auto* field = new QLineEdit(qs(text), parent);
    field->setObjectName(name);
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::NoFocus);
    return field;
}

}  // namespace

ExamineeFormDialog::ExamineeFormDialog(core::Workstation& workstation, ExamineeForm::Mode mode, QWidget* parent)
    : QDialog(parent), ws_(workstation), form_(workstation, mode) {
    const bool creating = mode == ExamineeForm::Mode::New;
    const core::Texts& texts = ws_.texts();
    setObjectName(creating ? "frmSubjNew" : "frmSubjEdit");
    setWindowTitle(qs(texts(creating ? txt::SubjNewCaption : txt::SubjEditCaption)));
    conventions_ = new platform::DialogConventions(*this, texts);
    boxes_ = DialogBoxes::messageBoxes(*this, texts);
    const auto hinted = [&](QWidget* widget, int hintId) { conventions_->setHint(widget, texts(hintId)); };

    QWidget* codeField = nullptr;
    if (creating) {
        cbCode_ = makeList(this, "cbCode", form_.codes(), form_.codeIndex());
        codeField = cbCode_;
    } else {
        codeField = makeReadOnly(this, "ledCode", form_.fileCode());
    }
    hinted(codeField, txt::SubjCodeHint);
    QLineEdit* dateField = makeReadOnly(this, "ledDate", form_.date());

    ledName_ = new QLineEdit(qs(form_.name()), this);
    ledName_->setObjectName("ledName");
    ledName_->setMaxLength(static_cast<int>(form_.nameLimit()));
    ledName_->setMinimumWidth(ledName_->fontMetrics().averageCharWidth() * kNameFieldChars);
    hinted(ledName_, txt::SubjNameHint);

    cbExaminer_ = makeList(this, "cbExaminer", form_.examiners(), form_.examinerIndex());
    hinted(cbExaminer_, txt::SubjExaminerHint);
    cbCrime_ = makeList(this, "cbCrime", form_.crimes(), form_.crimeIndex());
    hinted(cbCrime_, txt::SubjCrimeHint);

    cbIssue_ = makeList(this, "cbIssue", form_.issues(), -1);
    cbIssue_->setEditable(true);
    cbIssue_->setInsertPolicy(QComboBox::NoInsert);
    cbIssue_->lineEdit()->setMaxLength(static_cast<int>(form_.issueLimit()));
    cbIssue_->setEditText(qs(form_.issue()));
    hinted(cbIssue_, txt::SubjIssueHint);

    ledNote_ = new QLineEdit(qs(form_.note()), this);
    ledNote_->setObjectName("ledNote");
    ledNote_->setMaxLength(static_cast<int>(form_.noteLimit()));
    hinted(ledNote_, txt::SubjNoteHint);

    for (QWidget* field : {codeField, static_cast<QWidget*>(dateField), static_cast<QWidget*>(ledName_),
                           static_cast<QWidget*>(cbExaminer_), static_cast<QWidget*>(cbCrime_),
                           static_cast<QWidget*>(cbIssue_), static_cast<QWidget*>(ledNote_)}) {
        conventions_->addField(field);
    }

    cmdOK_ = new QPushButton(qs(texts(creating ? txt::ButtonOk : txt::SubjEditPost)), this);
    cmdOK_->setObjectName(creating ? "cmdOK" : "cmdPost");
    cmdOK_->setDefault(true);
    hinted(cmdOK_, creating ? txt::SubjNewOkHint : txt::SubjEditPostHint);
    cmdCancel_ = new QPushButton(qs(texts(txt::ButtonCancel)), this);
    cmdCancel_->setObjectName("cmdCancel");
    hinted(cmdCancel_, creating ? txt::SubjNewCancelHint : txt::SubjEditCancelHint);

    QList<QWidget*> captions;
    auto* grid = new QGridLayout;
    int row = 0;
    const auto addRow = [&](int captionId, QWidget* field) {
        QLabel* label = conventions_->makeLabel(texts(captionId), field);
        // An editable list's drop-down exists from the start and is named after the list.
        if (auto* list = qobject_cast<QComboBox*>(field)) list->view()->setAccessibleName(field->accessibleName());
        captions.append(label);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        ++row;
    };
    addRow(creating ? txt::SubjNewCode : txt::SubjEditCode, codeField);
    addRow(txt::SubjDate, dateField);
    addRow(txt::SubjName, ledName_);
    addRow(txt::SubjExaminer, cbExaminer_);
    addRow(txt::SubjCrime, cbCrime_);
    addRow(txt::SubjIssue, cbIssue_);
    addRow(txt::SubjNote, ledNote_);
    if (!creating) {
        chkArchived_ = new QCheckBox(qs(texts(txt::SubjEditArchived)), this);
        chkArchived_->setObjectName("chkArchived");
        chkArchived_->setChecked(form_.archived());
        hinted(chkArchived_, txt::SubjEditArchivedHint);
        grid->addWidget(chkArchived_, row++, 1);
        captions.append(chkArchived_);
    }
    grid->setColumnStretch(1, 1);
    captions.append(cmdOK_);
    captions.append(cmdCancel_);
    giveAccessKeys(captions);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(conventions_->keyboardIndicator());
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);
    layout->addWidget(conventions_->hintPanel());

    // Tab order follows the rows from top to bottom.
    QWidget* previous = ledName_;
    for (QWidget* next : {static_cast<QWidget*>(cbExaminer_), static_cast<QWidget*>(cbCrime_),
                          static_cast<QWidget*>(cbIssue_), static_cast<QWidget*>(ledNote_)}) {
        setTabOrder(previous, next);
        previous = next;
    }
    if (chkArchived_ != nullptr) {
        setTabOrder(previous, chkArchived_);
        previous = chkArchived_;
    }
    setTabOrder(previous, cmdOK_);
    setTabOrder(cmdOK_, cmdCancel_);
    if (cbCode_ != nullptr) setTabOrder(cbCode_, ledName_);
    ledName_->setFocus();

    if (cbCode_ != nullptr) connect(cbCode_, &QComboBox::currentIndexChanged, this, [this](int i) { form_.selectCode(i); });
    connect(cbExaminer_, &QComboBox::currentIndexChanged, this, [this](int i) { form_.selectExaminer(i); });
    connect(cbCrime_, &QComboBox::currentIndexChanged, this, [this](int i) { form_.selectCrime(i); });
    connect(ledName_, &QLineEdit::textChanged, this, [this](const QString& text) {
        form_.setName(text.toStdString());
        showCodePageWarning();
    });
    connect(cbIssue_, &QComboBox::editTextChanged, this, [this](const QString& text) {
        form_.setIssue(text.toStdString());
        showCodePageWarning();
    });
    connect(ledNote_, &QLineEdit::textChanged, this, [this](const QString& text) {
        form_.setNote(text.toStdString());
        showCodePageWarning();
    });
    if (chkArchived_ != nullptr) {
        connect(chkArchived_, &QCheckBox::toggled, this, [this](bool checked) { form_.setArchived(checked); });
    }
    connect(cmdOK_, &QPushButton::clicked, this, &ExamineeFormDialog::cmdOKClick);
    // The Cancel button ends the dialog at once; only Esc asks.
    connect(cmdCancel_, &QPushButton::clicked, this, [this] { QDialog::reject(); });
}

int ExamineeFormDialog::exec() {
    if (!form_.refusal().empty()) {
        boxes_.warn(qs(form_.refusal()));
        setResult(QDialog::Rejected);
        return QDialog::Rejected;
    }
    const int result = QDialog::exec();
    pending_.rethrow();
    return result;
}

void ExamineeFormDialog::cmdOKClick() {
    FormPrompts prompts{[this](const std::string& text) { return boxes_.confirm(qs(text)); },
                        [this](const std::string& text) { boxes_.error(qs(text)); }};
    bool saved = false;
    pending_.guard([&] { saved = form_.post(prompts); }, [this] { QDialog::reject(); });
    if (saved) accept();
}

void ExamineeFormDialog::reject() {
    FormPrompts prompts{[this](const std::string& text) { return boxes_.confirm(qs(text)); },
                        [this](const std::string& text) { boxes_.error(qs(text)); }};
    if (form_.cancel(prompts)) QDialog::reject();
}

void ExamineeFormDialog::showCodePageWarning() {
    const std::string warning = form_.codePageWarning();
    if (!warning.empty()) conventions_->hintPanel()->setText(qs(warning));
}

QString ExamineeFormDialog::hintPanelText() const {
    return conventions_->hintPanelText();
}

}  // namespace lumo::admin::ui
