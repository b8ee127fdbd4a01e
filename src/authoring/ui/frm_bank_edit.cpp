#include "authoring/ui/frm_bank_edit.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>
#include <exception>

#include "authoring/ui/frm_bank_new.h"
#include "authoring/ui/frm_theme_edit.h"
#include "core/settings.h"
#include "core/texts/authoring.h"
#include "core/texts/core.h"
#include "platform/dialog_conventions.h"
#include "platform/message_box.h"
#include "platform/qt_text.h"

namespace lumo::authoring::ui {

using platform::qs;

namespace {

std::vector<std::string> splitLines(const QString& text) {
    std::vector<std::string> lines;
    if (text.isEmpty()) return lines;
    for (const QString& line : text.split(QLatin1Char('\n'))) lines.push_back(line.toStdString());
    return lines;
}

TfrmBankEdit::Dialogs defaultDialogs(const core::Texts& texts, QWidget* parent) {
    TfrmBankEdit::Dialogs dialogs;
    dialogs.newTopic = [&texts, parent](const QString& generated) -> TfrmBankEdit::TopicFields {
        TfrmBankNew dialog(texts, generated, parent);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return std::make_pair(dialog.name(), dialog.fileName());
    };
    dialogs.editTopic = [&texts, parent](const QString& name, const QString& file) -> TfrmBankEdit::TopicFields {
        TfrmThemeEdit dialog(texts, name, file, parent);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return std::make_pair(dialog.name(), dialog.fileName());
    };
    return dialogs;
}

}  // namespace

TfrmBankEdit::TfrmBankEdit(std::filesystem::path folder, const core::Texts& texts, LocalTimeSource time,
                           QWidget* parent)
    : QDialog(parent), texts_(texts), manager_(std::move(folder), texts, std::move(time)) {
    setObjectName("frmBankEdit");
    setWindowTitle(qs(texts(txt::BankCaption)));
    conventions_ = new platform::DialogConventions(*this, texts);

    lstTopics_ = new QListWidget(this);
    lstTopics_->setObjectName("lstTopics");
    conventions_->setHint(lstTopics_, texts(txt::BankTopicListHint));
    conventions_->addField(lstTopics_);

    gbTopic_ = new QGroupBox(this);
    gbTopic_->setObjectName("gbTopic");
    memQuestions_ = new QPlainTextEdit(gbTopic_);
    memQuestions_->setObjectName("memQuestions");
    memQuestions_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memQuestions_->setTabChangesFocus(true);
    conventions_->setHint(memQuestions_, texts(txt::BankQuestionsHint));
    conventions_->addField(memQuestions_);
    auto* panel = new QVBoxLayout(gbTopic_);
    panel->addWidget(memQuestions_);

    lstClipboard_ = new QListWidget(this);
    lstClipboard_->setObjectName("lstClipboard");
    lstClipboard_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    conventions_->setHint(lstClipboard_, texts(txt::BankClipboardHint));
    conventions_->addField(lstClipboard_);

    const auto button = [this](int caption, int hint, const char* name) {
        auto* created = new QPushButton(qs(texts_(caption)), this);
        created->setObjectName(name);
        // Enter belongs to the text area; no button is the default.
        created->setAutoDefault(false);
        conventions_->setHint(created, texts_(hint));
        return created;
    };
    cmdAdd_ = button(txt::BankAddTopic, txt::BankAddTopicHint, "cmdAdd");
    cmdModify_ = button(txt::BankModifyTopic, txt::BankModifyTopicHint, "cmdModify");
    cmdDelete_ = button(txt::BankDeleteTopic, txt::BankDeleteTopicHint, "cmdDelete");
    cmdCut_ = button(txt::BankCut, txt::BankCutHint, "cmdCut");
    cmdCopy_ = button(txt::BankCopy, txt::BankCopyHint, "cmdCopy");
    cmdPaste_ = button(txt::BankPaste, txt::BankPasteHint, "cmdPaste");
    cmdExit_ = button(txt::ButtonExit, txt::BankExitHint, "cmdExit");

    auto* buttons = new QHBoxLayout;
    for (QPushButton* topicButton : {cmdAdd_, cmdModify_, cmdDelete_}) buttons->addWidget(topicButton);
    buttons->addSpacing(cmdAdd_->sizeHint().height());
    for (QPushButton* editButton : {cmdCut_, cmdCopy_, cmdPaste_}) buttons->addWidget(editButton);
    buttons->addStretch();
    buttons->addWidget(conventions_->keyboardIndicator());
    buttons->addWidget(cmdExit_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(conventions_->makeLabel(texts(txt::BankTopicList), lstTopics_));
    layout->addWidget(lstTopics_, 2);
    layout->addWidget(gbTopic_, 4);
    layout->addWidget(conventions_->makeLabel(texts(txt::BankClipboard), lstClipboard_));
    layout->addWidget(lstClipboard_, 2);
    layout->addLayout(buttons);
    layout->addWidget(conventions_->hintPanel());
    const int width = fontMetrics().horizontalAdvance(QString(80, QLatin1Char('n')));
    resize(width, width * 3 / 4);

    const auto box = [this](QMessageBox::Icon icon, const QString& text) {
        platform::showMessage(this, icon, windowTitle(), text, texts_);
    };
    setPrompts({[box](const QString& text) { box(QMessageBox::Warning, text); },
                [box](const QString& text) { box(QMessageBox::Critical, text); },
                [this](const QString& text) { return platform::askYesNo(this, windowTitle(), text, texts_); }});
    dialogs_ = defaultDialogs(texts, this);

    connect(lstTopics_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (filling_) return;
        takeText();
        manager_.select(row);
        showTopic();
    });
    connect(memQuestions_, &QPlainTextEdit::textChanged, this, [this] {
        if (!filling_) takeText();
    });
    connect(memQuestions_, &QPlainTextEdit::selectionChanged, this, &TfrmBankEdit::refreshButtons);
    connect(memQuestions_, &QPlainTextEdit::cursorPositionChanged, this, &TfrmBankEdit::refreshButtons);
    connect(lstClipboard_, &QListWidget::itemSelectionChanged, this, &TfrmBankEdit::refreshButtons);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget*) {
        // The text area left: its topic goes to disk, the caret stays where it was.
        if (old == memQuestions_ && !closed_) {
            takeText();
            manager_.save();
        }
        refreshButtons();
    });
    connect(cmdAdd_, &QPushButton::clicked, this, &TfrmBankEdit::cmdAddClick);
    connect(cmdModify_, &QPushButton::clicked, this, &TfrmBankEdit::cmdModifyClick);
    connect(cmdDelete_, &QPushButton::clicked, this, &TfrmBankEdit::cmdDeleteClick);
    connect(cmdCut_, &QPushButton::clicked, this, &TfrmBankEdit::cmdCutClick);
    connect(cmdCopy_, &QPushButton::clicked, this, &TfrmBankEdit::cmdCopyClick);
    connect(cmdPaste_, &QPushButton::clicked, this, &TfrmBankEdit::cmdPasteClick);
    connect(cmdExit_, &QPushButton::clicked, this, &TfrmBankEdit::cmdExitClick);

    manager_.open();
    fillTopics();
    lstTopics_->setFocus();
}

// The application reports focus changes while the children are being
// destroyed, when this window is no longer whole: it stops listening first.
TfrmBankEdit::~TfrmBankEdit() {
    disconnect(qApp, nullptr, this, nullptr);
}

void TfrmBankEdit::setPrompts(Prompts prompts) {
    prompts_ = prompts;
    BankPrompts forManager;
    forManager.warn = [warn = prompts.warn](const std::string& text) { warn(qs(text)); };
    forManager.error = [error = prompts.error](const std::string& text) { error(qs(text)); };
    forManager.confirm = [confirm = prompts.confirm](const std::string& text) { return confirm(qs(text)); };
    manager_.setPrompts(std::move(forManager));
}

void TfrmBankEdit::fillTopics() {
    filling_ = true;
    lstTopics_->clear();
    for (int row = 0; row < static_cast<int>(manager_.topics().size()); ++row) {
        lstTopics_->addItem(qs(manager_.caption(row)));
    }
    lstTopics_->setCurrentRow(manager_.selected());
    filling_ = false;
    showTopic();
}

void TfrmBankEdit::showTopic() {
    filling_ = true;
    if (lstTopics_->currentRow() != manager_.selected()) lstTopics_->setCurrentRow(manager_.selected());
    if (manager_.selected() >= 0) lstTopics_->item(manager_.selected())->setText(qs(manager_.caption(manager_.selected())));
    filling_ = false;
    const QString title = qs(manager_.title());
    gbTopic_->setTitle(title);
    memQuestions_->setAccessibleName(title.isEmpty() ? qs(texts_(txt::BankQuestionsLabel)) : title);
    memQuestions_->setReadOnly(!manager_.editable());
    const std::string error = manager_.selectedError();
    // An unreadable file says why wherever the examiner looks for help.
    conventions_->setHint(memQuestions_, error.empty() ? texts_(txt::BankQuestionsHint) : error + "|" + error);
    conventions_->setHint(lstTopics_, error.empty() ? texts_(txt::BankTopicListHint) : error + "|" + error);
    if (!error.empty()) conventions_->hintPanel()->setText(qs(error));
    putText(0);
}

void TfrmBankEdit::fillClipboard() {
    const QSignalBlocker blocker(lstClipboard_);
    lstClipboard_->clear();
    for (const std::string& entry : manager_.clipboard()) lstClipboard_->addItem(qs(entry));
    for (const int row : manager_.clipboardSelection()) {
        if (QListWidgetItem* item = lstClipboard_->item(row)) item->setSelected(true);
    }
    if (!manager_.clipboardSelection().empty()) {
        lstClipboard_->setCurrentRow(manager_.clipboardSelection().front(), QItemSelectionModel::NoUpdate);
    }
    refreshButtons();
}

void TfrmBankEdit::takeText() {
    if (manager_.editable()) manager_.setLines(splitLines(memQuestions_->toPlainText()));
}

void TfrmBankEdit::putText(int caretLine) {
    QStringList lines;
    for (const std::string& line : manager_.lines()) lines.append(qs(line));
    filling_ = true;
    memQuestions_->setPlainText(lines.join(QLatin1Char('\n')));
    const QTextBlock block = memQuestions_->document()->findBlockByNumber(caretLine);
    QTextCursor cursor(block.isValid() ? block : memQuestions_->document()->lastBlock());
    if (!block.isValid()) cursor.movePosition(QTextCursor::EndOfBlock);
    memQuestions_->setTextCursor(cursor);
    filling_ = false;
    refreshButtons();
}

std::pair<int, int> TfrmBankEdit::selectedLines() const {
    const QTextCursor cursor = memQuestions_->textCursor();
    QTextDocument* document = memQuestions_->document();
    const QTextBlock first = document->findBlock(cursor.selectionStart());
    QTextBlock last = document->findBlock(cursor.selectionEnd());
    // A selection that ends at the very start of a line takes none of it.
    if (cursor.hasSelection() && last.blockNumber() > first.blockNumber() && cursor.selectionEnd() == last.position()) {
        last = last.previous();
    }
    return {first.blockNumber(), last.blockNumber()};
}

std::vector<int> TfrmBankEdit::clipboardRows() const {
    std::vector<int> rows;
    for (int row = 0; row < lstClipboard_->count(); ++row) {
        if (lstClipboard_->item(row)->isSelected()) rows.push_back(row);
    }
    return rows;
}

void TfrmBankEdit::refreshButtons() {
    cmdModify_->setEnabled(manager_.canModify());
    cmdDelete_->setEnabled(manager_.canDelete());
    const bool textSelected = memQuestions_->textCursor().hasSelection();
    cmdCut_->setEnabled(manager_.canCutOrCopy(textSelected));
    cmdCopy_->setEnabled(manager_.canCutOrCopy(textSelected));
    cmdPaste_->setEnabled(manager_.canPaste(clipboardRows()));
}

void TfrmBankEdit::cmdAddClick() {
    takeText();
    const QString generated = qs(manager_.prepareAdd());
    TopicFields fields;
    try {
        fields = dialogs_.newTopic(generated);
    } catch (const std::exception&) {
        prompts_.error(qs(texts_(txt::BankNoResourcesNewTopic)));
        return;
    }
    if (!fields) return;
    if (!manager_.addTopic(fields->first.toStdString(), fields->second.toStdString())) return;
    fillTopics();
    memQuestions_->setFocus();
}

void TfrmBankEdit::cmdModifyClick() {
    const TopicEntry* topic = manager_.selectedTopic();
    if (topic == nullptr || !manager_.canModify()) return;
    takeText();
    const TopicFields fields = dialogs_.editTopic(qs(topic->name), qs(topic->fileName));
    if (!fields) return;
    if (manager_.modifyTopic(fields->first.toStdString(), fields->second.toStdString())) showTopic();
}

void TfrmBankEdit::cmdDeleteClick() {
    takeText();
    if (manager_.deleteTopic()) fillTopics();
}

void TfrmBankEdit::cmdCutClick() {
    const auto [first, last] = selectedLines();
    takeText();
    manager_.cutLines(first, last);
    putText(first);
    fillClipboard();
}

void TfrmBankEdit::cmdCopyClick() {
    const auto [first, last] = selectedLines();
    takeText();
    manager_.copyLines(first, last);
    fillClipboard();
}

void TfrmBankEdit::cmdPasteClick() {
    takeText();
    const int caret = manager_.paste(clipboardRows(), memQuestions_->textCursor().blockNumber());
    putText(caret);
    fillClipboard();
}

void TfrmBankEdit::cmdExitClick() { accept(); }

void TfrmBankEdit::reject() {
    // Esc is Exit: the changes are kept.
    accept();
}

void TfrmBankEdit::done(int result) {
    if (!closed_) {
        takeText();
        manager_.close();
        closed_ = true;
    }
    QDialog::done(result);
}

}  // namespace lumo::authoring::ui
