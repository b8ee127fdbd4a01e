#include "authoring/ui/question_grid.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>

#include <algorithm>

#include "core/settings.h"
#include "core/string_table.h"
#include "core/text_format.h"
#include "core/texts/authoring.h"
#include "platform/dialog_conventions.h"
#include "platform/message_box.h"
#include "platform/qt_text.h"

namespace lumo::authoring::ui {

using platform::qs;

namespace {

constexpr std::array<QuestionRows::Column, 3> kEditColumns = {QuestionRows::Column::Sign, QuestionRows::Column::Answer,
                                                              QuestionRows::Column::Text};
constexpr std::array<const char*, 3> kEditNames = {"ledSign", "ledAnswer", "ledText"};

int columnIndex(QuestionRows::Column column) {
    return static_cast<int>(column);
}

QColor colour(const core::Rgb& rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

}  // namespace

QuestionGrid::QuestionGrid(QuestionRows& rows, const core::Texts& texts, platform::DialogConventions& conventions,
                           QWidget* parent)
    : QTableWidget(kEditorRows, 4, parent), rows_(rows), texts_(texts) {
    setObjectName("sgQuestions");
    const QStringList headers = {qs(texts(txt::QstHeaderNumber)), qs(texts(txt::QstHeaderType)),
                                 qs(texts(txt::QstHeaderAnswer)), qs(texts(txt::QstHeaderText))};
    setHorizontalHeaderLabels(headers);
    setAccessibleName(qs(core::shortHint(texts(txt::QstRowHint))));
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    // The grid's only tab stop is the current field, never the table itself.
    setFocusPolicy(Qt::NoFocus);
    setTabKeyNavigation(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    const std::string hint = texts(txt::QstRowHint);
    for (int row = 0; row < kEditorRows; ++row) {
        for (int column = 0; column < 4; ++column) {
            auto* item = new QTableWidgetItem;
            item->setFlags(Qt::ItemIsEnabled);
            if (column == 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            setItem(row, column, item);
        }
        for (std::size_t c = 0; c < kEditColumns.size(); ++c) {
            auto* edit = new QLineEdit(this);
            edit->setObjectName(QString::fromLatin1(kEditNames[c]) + QString::number(row + 1));
            edit->setFrame(false);
            edit->setFocusPolicy(Qt::ClickFocus);
            edit->setAccessibleName(qs(core::formatText(
                texts(txt::QstCellName),
                {headers[columnIndex(kEditColumns[c])].trimmed().toStdString(), static_cast<long long>(row + 1)})));
            conventions.setHint(edit, hint);
            edit->installEventFilter(this);
            const Field field{row, kEditColumns[c]};
            connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& text) { edited(field, text); });
            setCellWidget(row, columnIndex(kEditColumns[c]), edit);
            edits_[static_cast<std::size_t>(row)][c] = edit;
        }
    }

    // Narrow columns sized for their widest content or heading, the text takes the rest.
    const QFontMetrics metrics(font());
    const int padding = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this) +
                        metrics.horizontalAdvance(QLatin1Char('W'));
    const std::array<QString, 3> widest = {QStringLiteral("20"), QStringLiteral("W20"), QStringLiteral("+")};
    for (int column = 0; column < 3; ++column) {
        const int width = std::max(metrics.horizontalAdvance(widest[static_cast<std::size_t>(column)]),
                                   metrics.horizontalAdvance(headers[column]));
        horizontalHeader()->setSectionResizeMode(column, QHeaderView::Fixed);
        setColumnWidth(column, width + padding);
    }
    horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    verticalHeader()->setDefaultSectionSize(edits_[0][0]->sizeHint().height());
    setMinimumWidth(metrics.horizontalAdvance(QLatin1Char('x')) * 90);

    connect(qApp, &QApplication::focusChanged, this, &QuestionGrid::focusMoved);
    refresh();
}

int QuestionGrid::heightFor(int rows) const {
    return horizontalHeader()->sizeHint().height() + rows * verticalHeader()->defaultSectionSize() + 2 * frameWidth();
}

QSize QuestionGrid::sizeHint() const {
    return {minimumWidth(), heightFor(kEditorRows)};
}

QSize QuestionGrid::minimumSizeHint() const {
    return {minimumWidth(), heightFor(6)};
}

QLineEdit* QuestionGrid::fieldEdit(int row, Column column) const {
    if (row < 0 || row >= kEditorRows || column == Column::Number) return nullptr;
    return edits_[static_cast<std::size_t>(row)][static_cast<std::size_t>(columnIndex(column) - 1)];
}

std::optional<QuestionGrid::Field> QuestionGrid::fieldOf(const QObject* object) const {
    if (object == nullptr) return std::nullopt;
    for (int row = 0; row < kEditorRows; ++row) {
        for (std::size_t c = 0; c < kEditColumns.size(); ++c) {
            if (edits_[static_cast<std::size_t>(row)][c] == object) return Field{row, kEditColumns[c]};
        }
    }
    return std::nullopt;
}

std::optional<QuestionGrid::Field> QuestionGrid::focusedField() const {
    return fieldOf(QApplication::focusWidget());
}

void QuestionGrid::refresh() {
    const bool wasBusy = busy_;
    busy_ = true;  // disabling a focused field moves the focus: not the examiner's doing
    for (int row = 0; row < kEditorRows; ++row) showRow(row);
    busy_ = wasBusy;
    if (shownCount_ != rows_.count()) {
        shownCount_ = rows_.count();
        emit countChanged();
    }
}

void QuestionGrid::paintEdit(QLineEdit* edit, const QColor& background, const QColor& foreground) {
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::Text, foreground);
    edit->setPalette(palette);
    // Inside a window with a style sheet (the main window's) a palette alone
    // does not paint a frameless edit: its own sheet does, set only on a change.
    const QString sheet = QStringLiteral("QLineEdit { background: %1; color: %2; }").arg(background.name(), foreground.name());
    if (edit->styleSheet() != sheet) edit->setStyleSheet(sheet);
}

void QuestionGrid::showRow(int row) {
    const QuestionRows::Paint paint = rows_.paint(row);
    const QColor background = colour(paint.background);
    const QColor foreground = colour(paint.foreground);
    for (int column = 0; column < 4; ++column) {
        QTableWidgetItem* cell = item(row, column);
        cell->setText(qs(rows_.text({row, static_cast<Column>(column)})));
        cell->setBackground(background);
        cell->setForeground(foreground);
    }
    for (std::size_t c = 0; c < kEditColumns.size(); ++c) {
        QLineEdit* edit = edits_[static_cast<std::size_t>(row)][c];
        paintEdit(edit, background, foreground);
        edit->setEnabled(paint.enabled);
        const QString text = qs(rows_.text({row, kEditColumns[c]}));
        if (edit->text() == text) continue;
        const int caret = edit->cursorPosition();
        edit->setText(text);
        if (edit->hasFocus()) {
            // Typing in a text goes on in front of its closing "?".
            const int limit = kEditColumns[c] == Column::Text ? std::max(0, int(text.size()) - 1) : int(text.size());
            edit->setCursorPosition(std::min(caret, limit));
        }
    }
}

void QuestionGrid::focusField(Field field) {
    if (QLineEdit* edit = fieldEdit(field.row, field.column); edit != nullptr && edit->isEnabled()) {
        edit->setFocus(Qt::OtherFocusReason);
    }
}

void QuestionGrid::edited(Field field, const QString& text) {
    rows_.change(field, text.toStdString());
    refresh();
}

EditorPrompts editorMessageBoxes(QWidget& dialog, const core::Texts& texts) {
    return {[&dialog, &texts](const QString& text) {
                platform::showMessage(&dialog, QMessageBox::Warning, dialog.windowTitle(), text, texts);
            },
            [&dialog, &texts](const QString& text) {
                return platform::askYesNo(&dialog, dialog.windowTitle(), text, texts);
            },
            [&dialog, &texts](const QString& text) {
                platform::showMessage(&dialog, QMessageBox::Critical, dialog.windowTitle(), text, texts);
            }};
}

QuestionGrid::~QuestionGrid() {
    // Focus changes are reported while the cells are being destroyed.
    disconnect(qApp, nullptr, this, nullptr);
}

void QuestionGrid::focusMoved(QWidget* old, QWidget* now) {
    // Focus going nowhere is the window losing its activation (also while it
    // closes): no field is left then; the same field gets it back later.
    if (busy_ || now == nullptr) return;
    if (const std::optional<Field> left = fieldOf(old)) {
        const QuestionRows::Warning warning = rows_.leave(*left);
        refresh();
        if (!warning.text.empty() && warn_) {
            busy_ = true;
            warn_(qs(warning.text));
            busy_ = false;
        }
        if (warning.refocus) {
            focusField(*left);
            return;
        }
    }
    if (const std::optional<Field> entered = fieldOf(now)) this->entered(*entered);
}

void QuestionGrid::entered(Field field) {
    if (const QuestionRows::Field previous = rows_.current(); previous != field) {
        if (QLineEdit* edit = fieldEdit(previous.row, previous.column)) {
            edit->deselect();
            edit->setFocusPolicy(Qt::ClickFocus);
        }
    }
    rows_.enter(field);
    QLineEdit* edit = fieldEdit(field.row, field.column);
    edit->setFocusPolicy(Qt::StrongFocus);
    edit->deselect();
    edit->setCursorPosition(std::max(0, int(edit->text().size()) - 1));
    scrollTo(model()->index(field.row, columnIndex(field.column)));
}

void QuestionGrid::insertQuestion() {
    const bool focused = focusedField().has_value();
    if (!rows_.insert()) return;
    refresh();
    if (focused) focusField(rows_.current());
}

void QuestionGrid::deleteQuestion() {
    const bool focused = focusedField().has_value();
    if (!rows_.remove()) return;
    refresh();
    if (focused) focusField(rows_.current());
}

EditorPrompts QuestionGrid::takePrompts(EditorPrompts prompts) {
    setWarnFunction(prompts.warn);
    const auto paused = [this](std::function<void(const QString&)> show) {
        return [this, show](const QString& text) {
            pauseFocusRules(true);
            show(text);
            pauseFocusRules(false);
        };
    };
    EditorPrompts shown;
    shown.warn = paused(prompts.warn);
    shown.error = paused(prompts.error);
    shown.confirm = [this, confirm = prompts.confirm](const QString& text) {
        pauseFocusRules(true);
        const bool yes = confirm(text);
        pauseFocusRules(false);
        return yes;
    };
    return shown;
}

bool QuestionGrid::editKey(const QKeyEvent& key) {
    if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::AltModifier) return false;
    if (key.key() == Qt::Key_Insert) {
        insertQuestion();
        return true;
    }
    if (key.key() == Qt::Key_Delete) {
        deleteQuestion();
        return true;
    }
    return false;
}

bool QuestionGrid::keyPressed(Field field, QLineEdit* edit, const QKeyEvent& key) {
    if (editKey(key)) return true;
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    if (modifiers != Qt::NoModifier) return false;
    QuestionRows::Key move;
    switch (key.key()) {
        case Qt::Key_Left: move = QuestionRows::Key::Left; break;
        case Qt::Key_Right: move = QuestionRows::Key::Right; break;
        case Qt::Key_Up: move = QuestionRows::Key::Up; break;
        case Qt::Key_Down: move = QuestionRows::Key::Down; break;
        default: return false;
    }
    const int length = int(edit->text().size());
    const bool atStart = edit->cursorPosition() == 0;
    const bool atEnd = edit->cursorPosition() == length || (edit->hasSelectedText() && edit->selectionEnd() == length);
    const std::optional<Field> target = rows_.move(move, field, atStart, atEnd);
    if (!target) return false;
    refresh();  // Down may have appended a row
    focusField(*target);
    return true;
}

bool QuestionGrid::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        if (const std::optional<Field> field = fieldOf(watched)) {
            if (keyPressed(*field, static_cast<QLineEdit*>(watched), static_cast<const QKeyEvent&>(*event))) {
                return true;
            }
        }
    }
    return QTableWidget::eventFilter(watched, event);
}

}  // namespace lumo::authoring::ui
