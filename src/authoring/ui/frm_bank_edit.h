#pragma once

#include <QDialog>
#include <QString>
#include <filesystem>
#include <functional>
#include <optional>
#include <utility>

#include "authoring/bank_manager.h"

class QGroupBox;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace lumo::core {
class Texts;
}
namespace lumo::platform {
class DialogConventions;
}

namespace lumo::authoring::ui {

// "Question Base Manager": the topics of the bank folder, the questions of the
// selected one in a text area (one question a line) and the clipboard list.
// Topics are written when left and at the close; Esc acts as Exit.
class TfrmBankEdit : public QDialog {
    Q_OBJECT

public:
    // A topic's name and file name as a dialog gives them back; none on Cancel.
    using TopicFields = std::optional<std::pair<QString, QString>>;
    // The two topic dialogs; the defaults run TfrmBankNew and TfrmThemeEdit.
    struct Dialogs {
        std::function<TopicFields(const QString& generatedFileName)> newTopic;
        std::function<TopicFields(const QString& name, const QString& fileName)> editTopic;
    };
    // Message boxes: a warning, an error and a Yes/No question.
    struct Prompts {
        std::function<void(const QString& text)> warn;
        std::function<void(const QString& text)> error;
        std::function<bool(const QString& text)> confirm;
    };

    // Reads the folder (created when missing); EInOutError when it cannot be listed.
    TfrmBankEdit(std::filesystem::path folder, const core::Texts& texts, LocalTimeSource time = systemLocalTime,
                 QWidget* parent = nullptr);
    ~TfrmBankEdit() override;

    void setPrompts(Prompts prompts);
    void setDialogs(Dialogs dialogs) { dialogs_ = std::move(dialogs); }

    // Widgets and rules, for tests.
    QListWidget* topicList() const { return lstTopics_; }
    QPlainTextEdit* questionArea() const { return memQuestions_; }
    QGroupBox* questionPanel() const { return gbTopic_; }
    QListWidget* clipboardList() const { return lstClipboard_; }
    QPushButton* addButton() const { return cmdAdd_; }
    QPushButton* modifyButton() const { return cmdModify_; }
    QPushButton* deleteButton() const { return cmdDelete_; }
    QPushButton* cutButton() const { return cmdCut_; }
    QPushButton* copyButton() const { return cmdCopy_; }
    QPushButton* pasteButton() const { return cmdPaste_; }
    QPushButton* exitButton() const { return cmdExit_; }
    platform::DialogConventions& conventions() const { return *conventions_; }
    const BankManager& manager() const { return manager_; }

public slots:
    void cmdAddClick();
    void cmdModifyClick();
    void cmdDeleteClick();
    void cmdCutClick();
    void cmdCopyClick();
    void cmdPasteClick();
    void cmdExitClick();
    void reject() override;
    void done(int result) override;

private:
    void fillTopics();
    void showTopic();
    void fillClipboard();
    void takeText();
    void putText(int caretLine);
    void refreshButtons();
    std::pair<int, int> selectedLines() const;
    std::vector<int> clipboardRows() const;

    const core::Texts& texts_;
    BankManager manager_;
    Dialogs dialogs_;
    Prompts prompts_;
    QListWidget* lstTopics_;
    QGroupBox* gbTopic_;
    QPlainTextEdit* memQuestions_;
    QListWidget* lstClipboard_;
    QPushButton* cmdAdd_;
    QPushButton* cmdModify_;
    QPushButton* cmdDelete_;
    QPushButton* cmdCut_;
    QPushButton* cmdCopy_;
    QPushButton* cmdPaste_;
    QPushButton* cmdExit_;
    platform::DialogConventions* conventions_;
    bool filling_ = false;
    bool closed_ = false;
};

}  // namespace lumo::authoring::ui
