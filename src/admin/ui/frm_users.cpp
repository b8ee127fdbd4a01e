#include "admin/ui/frm_users.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
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

namespace {

enum Column { kName, kDate, kNote, kColumnCount };

// The hint of a name or note field, with what the file can hold.
std::string withLimits(const core::Texts& texts, int hintId) {
    return texts(hintId) + ". " + texts(txt::UsersFieldLimits);
}

}  // namespace

TfrmUsers::TfrmUsers(core::Workstation& workstation, QWidget* parent)
    : QDialog(parent),
      ws_(workstation),
      editor_(workstation.records().operators(), workstation.records().operatorFile(), workstation.clock(),
              workstation.texts(), workstation.settings().list().integer("MaxUser")) {
    setObjectName("frmUsers");
    const core::Texts& texts = ws_.texts();
    setWindowTitle(qs(texts(txt::UsersCaption)));
    conventions_ = new platform::DialogConventions(*this, texts);

    sgUsers_ = new QTableWidget(0, kColumnCount, this);
    sgUsers_->setObjectName("sgUsers");
    sgUsers_->setHorizontalHeaderLabels(
        {qs(texts(txt::UsersNameColumn)), qs(texts(txt::UsersDateColumn)), qs(texts(txt::UsersNoteColumn))});
    sgUsers_->verticalHeader()->hide();
    sgUsers_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgUsers_->setSelectionBehavior(QAbstractItemView::SelectRows);
    sgUsers_->setSelectionMode(QAbstractItemView::SingleSelection);
    sgUsers_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sgUsers_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // Wide enough that the date column, a fifth of the width, shows a whole date.
    const int dateWidth = sgUsers_->fontMetrics().horizontalAdvance(QStringLiteral("00-00-0000")) +
                          4 * sgUsers_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, sgUsers_) + 8;
    sgUsers_->setMinimumWidth(5 * dateWidth + sgUsers_->style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
                              2 * sgUsers_->frameWidth());
    conventions_->setHint(sgUsers_, texts(txt::UsersListHint));
    conventions_->addField(sgUsers_);
    sgUsers_->installEventFilter(this);
    sgUsers_->viewport()->installEventFilter(this);

    ledName_ = new QLineEdit(this);
    ledName_->setObjectName("ledName");
    conventions_->setHint(ledName_, withLimits(texts, txt::UsersNameHint));
    conventions_->addField(ledName_);
    ledNote_ = new QLineEdit(this);
    ledNote_->setObjectName("ledNote");
    conventions_->setHint(ledNote_, withLimits(texts, txt::UsersNoteHint));
    conventions_->addField(ledNote_);

    const auto button = [this](int caption, int hint, const char* name) {
        auto* created = new QPushButton(qs(ws_.texts()(caption)), this);
        created->setObjectName(name);
        conventions_->setHint(created, ws_.texts()(hint));
        return created;
    };
    cmdAdd_ = button(txt::UsersAdd, txt::UsersAddHint, "cmdAdd");
    cmdDelete_ = button(txt::UsersDelete, txt::UsersDeleteHint, "cmdDelete");
    cmdOK_ = button(txt::ButtonOk, txt::UsersOkHint, "cmdOK");
    cmdOK_->setDefault(true);
    cmdCancel_ = button(txt::ButtonCancel, txt::UsersCancelHint, "cmdCancel");

    auto* fields = new QGridLayout;
    fields->addWidget(conventions_->makeLabel(texts(txt::UsersName), ledName_), 0, 0);
    fields->addWidget(ledName_, 0, 1);
    fields->addWidget(conventions_->keyboardIndicator(), 0, 2);
    fields->addWidget(conventions_->makeLabel(texts(txt::UsersNote), ledNote_), 1, 0);
    fields->addWidget(ledNote_, 1, 1);
    fields->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdAdd_);
    buttons->addWidget(cmdDelete_);
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(conventions_->makeLabel(texts(txt::UsersList), sgUsers_));
    layout->addWidget(sgUsers_, 1);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->addWidget(conventions_->hintPanel());

    const auto box = [this](QMessageBox::Icon icon, const QString& text, QMessageBox::StandardButtons buttons) {
        return platform::showMessage(this, icon, windowTitle(), text, ws_.texts(), buttons);
    };
    setPrompts({[box](const QString& text) { box(QMessageBox::Warning, text, QMessageBox::Ok); },
                [box](const QString& text) {
                    return box(QMessageBox::Question, text, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
                },
                [box](const QString& text) { box(QMessageBox::Critical, text, QMessageBox::Ok); }});

    connect(sgUsers_, &QTableWidget::currentCellChanged, this, [this](int row, int, int, int) {
        if (filling_ || row < 0) return;
        editor_.select(row);
        showSelected();
    });
    connect(ledName_, &QLineEdit::textEdited, this, &TfrmUsers::ledNameChange);
    connect(ledNote_, &QLineEdit::textEdited, this, &TfrmUsers::ledNoteChange);
    connect(qApp, &QApplication::focusChanged, this, &TfrmUsers::focusChanged);
    connect(cmdAdd_, &QPushButton::clicked, this, &TfrmUsers::cmdAddClick);
    connect(cmdDelete_, &QPushButton::clicked, this, &TfrmUsers::cmdDeleteClick);
    connect(cmdOK_, &QPushButton::clicked, this, &TfrmUsers::cmdOKClick);
    connect(cmdCancel_, &QPushButton::clicked, this, &TfrmUsers::reject);

    fillGrid();
    sgUsers_->setFocus();
}

// The application reports focus changes while the children are being
// destroyed, when this window is no longer whole: it stops listening first.
TfrmUsers::~TfrmUsers() {
    disconnect(qApp, nullptr, this, nullptr);
}

void TfrmUsers::setPrompts(Prompts prompts) {
    OperatorPrompts forEditor;
    forEditor.warn = [warn = prompts.warn](const std::string& text) { warn(qs(text)); };
    forEditor.confirm = [confirm = prompts.confirm](const std::string& text) { return confirm(qs(text)); };
    forEditor.error = [error = prompts.error](const std::string& text) { error(qs(text)); };
    editor_.setPrompts(std::move(forEditor));
}

void TfrmUsers::fillGrid() {
    filling_ = true;
    sgUsers_->setRowCount(editor_.count());
    for (int row = 0; row < editor_.count(); ++row) refreshRow(row);
    filling_ = false;
    showSelected();
    refreshButtons();
}

void TfrmUsers::refreshRow(int row) {
    const core::TUser& user = editor_.list().users()[static_cast<std::size_t>(row)];
    const auto cell = [this, row](int column, const std::string& text) {
        QTableWidgetItem* item = sgUsers_->item(row, column);
        if (item == nullptr) {
            item = new QTableWidgetItem;
            sgUsers_->setItem(row, column, item);
        }
        item->setText(qs(text));
    };
    cell(kName, user.name);
    cell(kDate, user.date);
    cell(kNote, user.note);
}

void TfrmUsers::showSelected() {
    const int row = editor_.selected();
    if (row >= 0 && sgUsers_->currentRow() != row) {
        filling_ = true;
        sgUsers_->setCurrentCell(row, kName);
        filling_ = false;
    }
    if (row >= 0) sgUsers_->scrollToItem(sgUsers_->item(row, kName));
    // Showing a record is no edit: setText does not count as typing.
    ledName_->setText(qs(editor_.name()));
    ledNote_->setText(qs(editor_.note()));
}

void TfrmUsers::refreshButtons() {
    cmdAdd_->setEnabled(editor_.canAdd());
    cmdDelete_->setEnabled(editor_.canDelete());
}

void TfrmUsers::ledNameChange(const QString& text) {
    if (!editor_.setName(text.toStdString())) {
        // Refused: the field falls back to the stored name.
        ledName_->setText(qs(editor_.name()));
        return;
    }
    if (editor_.selected() >= 0) refreshRow(editor_.selected());
}

void TfrmUsers::ledNoteChange(const QString& text) {
    if (!editor_.setNote(text.toStdString())) {
        ledNote_->setText(qs(editor_.note()));
        return;
    }
    if (editor_.selected() >= 0) refreshRow(editor_.selected());
}

void TfrmUsers::focusChanged(QWidget* old, QWidget* now) {
    // Leaving the name for another control of this dialog; not for Cancel,
    // which drops the edits anyway, nor for another window.
    if (old != ledName_ || now == nullptr || now == cmdCancel_ || !isAncestorOf(now)) return;
    if (!editor_.leaveName()) {
        QMetaObject::invokeMethod(this, [this] { ledName_->setFocus(Qt::OtherFocusReason); }, Qt::QueuedConnection);
    }
}

void TfrmUsers::cmdAddClick() {
    if (!editor_.add()) return;
    fillGrid();
    ledName_->setFocus();
}

void TfrmUsers::cmdDeleteClick() {
    if (!editor_.remove()) return;
    fillGrid();
}

void TfrmUsers::cmdOKClick() {
    if (editor_.save()) {
        accept();
        return;
    }
    // The offending row (or the unsaved list) stays in front of the examiner.
    showSelected();
    ledName_->setFocus();
}

void TfrmUsers::reject() {
    // The edits stay in the list when the file cannot be read; the error says so.
    editor_.cancel();
    QDialog::reject();
}

void TfrmUsers::done(int result) {
    editor_.deactivated(ws_.settings().list());
    QDialog::done(result);
}

void TfrmUsers::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) editor_.deactivated(ws_.settings().list());
    QDialog::changeEvent(event);
}

void TfrmUsers::sizeColumns() {
    // Two fifths for the name, one for the date, the rest for the note.
    const int width = sgUsers_->viewport()->width();
    sgUsers_->setColumnWidth(kName, width * 2 / 5);
    sgUsers_->setColumnWidth(kDate, width / 5);
    sgUsers_->setColumnWidth(kNote, width - width * 2 / 5 - width / 5);
}

bool TfrmUsers::eventFilter(QObject* watched, QEvent* event) {
    if (watched == sgUsers_->viewport() && event->type() == QEvent::Resize) sizeColumns();
    if (watched == sgUsers_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier) {
            if (cmdDelete_->isEnabled()) cmdDeleteClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace lumo::admin::ui
