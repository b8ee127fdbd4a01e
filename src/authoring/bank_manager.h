#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "authoring/bank_folder.h"
#include "core/clock.h"

namespace lumo::core {
class Texts;
}

namespace lumo::authoring {

// The local date and time of day, for the generated topic file names.
struct LocalTime {
    core::Date date;
    std::int64_t millisecondsOfDay = 0;  // since midnight
};
using LocalTimeSource = std::function<LocalTime()>;
// The system's local time.
LocalTime systemLocalTime();

// The file name offered for a new topic: the month as one hexadecimal digit,
// the milliseconds since midnight as seven, ".", and the last three of the
// four hexadecimal digits of year xor day (5 March 2003, 10:00 -> "32255100.7D6").
std::string generatedTopicFileName(const LocalTime& time);

// The message boxes the manager asks for; the window shows them, tests answer.
struct BankPrompts {
    std::function<void(const std::string& text)> warn;
    std::function<void(const std::string& text)> error;
    std::function<bool(const std::string& text)> confirm;  // Yes / No
};

// The question bank manager's rules: the topics of the bank folder, the
// questions of the selected topic as the text area holds them (one question a
// line) and the clipboard list. A topic is written back whole when it is left
// and when the manager closes; a file that is no topic is never written.
class BankManager {
public:
    BankManager(std::filesystem::path folder, const core::Texts& texts, LocalTimeSource time = systemLocalTime);

    void setPrompts(BankPrompts prompts) { prompts_ = std::move(prompts); }

    // Creates the folder when missing (a failure is ignored), reads its topics
    // and shows the first one. A folder that cannot be listed raises EInOutError.
    void open();

    const std::filesystem::path& folder() const { return folder_; }
    const std::vector<TopicEntry>& topics() const { return topics_; }
    // The selected topic, -1 for none.
    int selected() const { return selected_; }
    const TopicEntry* selectedTopic() const;
    // The list's text of topic `row`.
    std::string caption(int row) const;
    // The question panel's title; "" without a selected topic.
    std::string title() const;
    // The error of an unreadable selected topic, for the hint panel; "" otherwise.
    std::string selectedError() const;

    // Saves the topic shown before, then shows `row` (-1: none).
    void select(int row);
    // Writes the selected topic: the name as one line, then the lines. False
    // (after the error) when the file cannot be written. Nothing is written
    // for an unreadable topic or without a selection.
    bool save();
    // The examiner closes the manager: the shown topic is saved.
    void close() { save(); }

    // The text area's lines; the window hands every edit over.
    const std::vector<std::string>& lines() const { return lines_; }
    void setLines(std::vector<std::string> lines) { lines_ = std::move(lines); }
    bool editable() const;

    bool canModify() const;
    bool canDelete() const { return selected_ >= 0; }
    bool canCutOrCopy(bool textSelected) const { return textSelected && editable(); }
    bool canPaste(const std::vector<int>& clipboardSelection) const {
        return !clipboardSelection.empty() && editable();
    }

    // Add Topic, before the dialog: the shown topic is saved; the name the
    // dialog offers for the file.
    std::string prepareAdd();
    // The dialog's "Add": the name completed with "."; false (after the message)
    // when the file name is not allowed, exists already (any letter case) or
    // cannot be created. Else the topic is added, selected and shown.
    bool addTopic(std::string_view name, std::string_view fileName);
    // The topic editor's "Save": the name completed, the file renamed when its
    // name changed. False (after the error) when the new file name is refused
    // or the rename fails; nothing changes then.
    bool modifyTopic(std::string_view name, std::string_view fileName);
    // Asks, then deletes the selected topic's file; the entry at the same
    // position is shown next. False when nothing was deleted.
    bool deleteTopic();

    // Cut and Copy take the whole lines from `firstLine` to `lastLine` (from 0)
    // to the end of the clipboard; its first entry becomes the selection.
    void copyLines(int firstLine, int lastLine);
    void cutLines(int firstLine, int lastLine);
    // The selected clipboard entries, in clipboard order, go before line
    // `caretLine` (at the end when it is past the last line). The clipboard
    // keeps them. The line of the caret after the paste is given.
    int paste(const std::vector<int>& clipboardSelection, int caretLine);

    const std::vector<std::string>& clipboard() const { return clipboard_; }
    const std::vector<int>& clipboardSelection() const { return clipboardSelection_; }

private:
    void show(int row);
    bool fileExists(std::string_view fileName, int except) const;

    std::filesystem::path folder_;
    const core::Texts& texts_;
    LocalTimeSource time_;
    BankPrompts prompts_;
    std::vector<TopicEntry> topics_;
    int selected_ = -1;
    std::vector<std::string> lines_;
    std::vector<std::string> clipboard_;
    std::vector<int> clipboardSelection_;
};

}  // namespace lumo::authoring
