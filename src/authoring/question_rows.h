#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "authoring/question_row.h"
#include "core/colors.h"
#include "core/question_set.h"

namespace lumo::core {
class Settings;
class Texts;
}  // namespace lumo::core

namespace lumo::authoring {

inline constexpr int kEditorRows = core::kMaxQuestions;  // the grid always has 20 rows
inline constexpr std::size_t kMaxTextChars = 2 * core::kQuestionTextPart;

// The sign letters the editors know: any letter of either language names a
// type, and signs are rewritten with the letters of the current language.
struct SignAlphabet {
    core::QuestionTypes types;
    std::vector<std::string> letters;  // current language's letter of type 1 ... n, at index 0 ... n-1

    // NQType types with their letters under the language key prefix.
    static SignAlphabet fromSettings(const core::Settings& settings);

    bool isTypeLetter(std::string_view character) const;
    std::string letter(int type) const;  // "" outside 1 ... n
    std::string neutralLetter() const { return letter(4); }
};


// The rows of a question editor and their rules: what leaving a field does,
// the live renumbering of signs, the text rule, where the arrow keys lead,
// inserting and deleting rows, and the check before saving. The template
// editor and the exam editor share it; the exam editor differs by its mode.
class QuestionRows {
public:
    enum class Column { Number, Sign, Answer, Text };
    struct Field {
        int row = 0;  // 0 ... 19
        Column column = Column::Sign;
        bool operator==(const Field&) const = default;
    };
    enum class Key { Left, Right, Up, Down };

    struct Mode {
        bool downWrapsAtLastRow = false;  // exam editor: Down on the last row goes to row 1, never appends
        bool structure = true;            // rows may be inserted and deleted
    };

    // How a row is drawn.
    struct Paint {
        core::Rgb background;
        core::Rgb foreground;
        bool enabled = false;
    };

    // What leaving a field asks of the view: a warning box, and whether the
    // focus goes back to the field.
    struct Warning {
        std::string text;  // empty: no warning
        bool refocus = false;
    };

    // The first fault found by the check before saving.
    struct Fault {
        std::string message;
        Field field;
    };

    QuestionRows(SignAlphabet alphabet, const core::Texts& texts);
    QuestionRows(SignAlphabet alphabet, const core::Texts& texts, Mode mode);

    // Rows 1 ... rows.size() from the given rows (their numbers are the row
    // positions); EListError for more than 20.
    void load(const std::vector<QuestionRow>& rows);
    // Refills the rows from "number.sign.answer.text" lines; a line without
    // three full stops becomes the text of its row.
    void loadLines(const std::vector<std::string>& lines);
    std::vector<QuestionRow> rowsInUse() const;
    std::vector<std::string> lines() const;  // the rows in use joined with "."

    const Mode& mode() const { return mode_; }
    const SignAlphabet& alphabet() const { return alphabet_; }
    int count() const { return count_; }
    bool inUse(int row) const { return row >= 0 && row < count_; }
    const QuestionRow& row(int row) const;
    std::string text(Field field) const;
    Paint paint(int row) const;

    // The field that last received the focus; insert and delete act on its row.
    Field current() const { return current_; }
    void enter(Field field);

    // The examiner changed a field's text (every keystroke).
    void change(Field field, std::string_view text);
    // The examiner left a field.
    Warning leave(Field field);

    // The field an arrow key leads to from `from`, nullopt when the key stays
    // in the field. Down on the last row in use may append a row.
    std::optional<Field> move(Key key, Field from, bool caretAtStart, bool caretAtEnd);

    bool canInsert() const { return mode_.structure && count_ < kEditorRows; }
    bool canDelete() const { return mode_.structure && count_ > kMinQuestions; }
    // A row before the current one; false when not allowed.
    bool insert();
    // Deletes the current row; false when not allowed. The current field
    // moves to the previous row's sign when the last row went.
    bool remove();

    // Checks and normalises the rows in use in row order. The rows before the
    // first fault are rewritten normalised; without a fault every row is, and
    // the lines to save are returned.
    std::optional<Fault> check();

    // Checks one row (index 0 ... 19) and, when it passes, normalises it in
    // place: sign right-aligned in three characters, one answer character, the
    // text trimmed and ending with "?".
    static std::optional<Fault> checkRow(QuestionRow& row, int index, const SignAlphabet& alphabet,
                                         const core::Texts& texts);

private:
    void setSign(int row, std::string sign);
    void setText(int row, std::string_view text);
    void renumber();

    SignAlphabet alphabet_;
    const core::Texts& texts_;
    Mode mode_;
    std::vector<QuestionRow> rows_;
    int count_ = 0;
    Field current_;
};

}  // namespace lumo::authoring
