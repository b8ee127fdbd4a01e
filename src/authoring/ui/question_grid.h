#pragma once

#include <QTableWidget>
#include <array>
#include <functional>

#include "authoring/question_rows.h"

class QLineEdit;

namespace lumo::core {
class Texts;
}
namespace lumo::platform {
class DialogConventions;
}

namespace lumo::authoring::ui {

// The message boxes a question editor shows (tests replace them).
struct EditorPrompts {
    std::function<void(const QString& text)> warn;
    std::function<bool(const QString& text)> confirm;  // Yes/No
    std::function<void(const QString& text)> error;
};

// The editors' boxes: titled with the dialog's caption, in its language.
EditorPrompts editorMessageBoxes(QWidget& dialog, const core::Texts& texts);

// The 20-row grid of the question editors: row number, type sign, answer and
// question text. Every editable cell holds a line edit, so the examiner types
// straight into the cells; the items under them keep the same texts for
// screen readers. Keys and focus changes go to the rows engine, and the grid
// draws what it says.
class QuestionGrid : public QTableWidget {
    Q_OBJECT

public:
    using Column = QuestionRows::Column;
    using Field = QuestionRows::Field;
    using WarnFunction = std::function<void(const QString& text)>;

    QuestionGrid(QuestionRows& rows, const core::Texts& texts, platform::DialogConventions& conventions,
                 QWidget* parent);
    ~QuestionGrid() override;

    // Warning boxes of the leave rules (replaced by tests).
    void setWarnFunction(WarnFunction warn) { warn_ = std::move(warn); }

    // Every cell, colour and enabled state from the engine.
    void refresh();
    // Gives the field the focus (its row must be in use).
    void focusField(Field field);
    QLineEdit* fieldEdit(int row, Column column) const;
    // The field whose edit has the focus, if any.
    std::optional<Field> focusedField() const;

    // While the dialog shows a message box of its own, focus changes are no
    // field entries or exits.
    void pauseFocusRules(bool paused) { busy_ = paused; }
    // The dialog's boxes, made to pause the focus rules while they are shown;
    // the warnings of the leave rules go to `prompts.warn` as they are.
    EditorPrompts takePrompts(EditorPrompts prompts);

    // Insert and delete at the current field (buttons, Alt+Ins, Alt+Del).
    void insertQuestion();
    void deleteQuestion();
    // Alt+Ins and Alt+Del wherever the focus is in the dialog; true when the key was one of them.
    bool editKey(const QKeyEvent& key);

    // Room for all 20 rows; at least a few when the screen is small.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The row count changed: the dialog updates its buttons.
    void countChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static void paintEdit(QLineEdit* edit, const QColor& background, const QColor& foreground);
    std::optional<Field> fieldOf(const QObject* object) const;
    void edited(Field field, const QString& text);
    void focusMoved(QWidget* old, QWidget* now);
    void entered(Field field);
    bool keyPressed(Field field, QLineEdit* edit, const QKeyEvent& key);
    void showRow(int row);
    int heightFor(int rows) const;

    QuestionRows& rows_;
    const core::Texts& texts_;
    WarnFunction warn_;
    std::array<std::array<QLineEdit*, 3>, kEditorRows> edits_{};  // sign, answer, text
    bool busy_ = false;  // set while the grid moves the focus or shows a warning itself
    int shownCount_ = -1;
};

}  // namespace lumo::authoring::ui
