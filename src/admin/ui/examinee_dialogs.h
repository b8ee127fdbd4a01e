#pragma once

#include <QList>
#include <QString>
#include <exception>
#include <functional>

class QWidget;

namespace lumo::core {
class Texts;
}

namespace lumo::admin::ui {

// The message boxes of the examinee dialogs (title = the dialog's caption);
// tests replace them.
struct DialogBoxes {
    std::function<bool(const QString& text)> confirm;  // Yes/No
    std::function<void(const QString& text)> inform;
    std::function<void(const QString& text)> warn;
    std::function<void(const QString& text)> error;

    static DialogBoxes messageBoxes(QWidget& parent, const core::Texts& texts);
};

// Gives every label and button among `widgets` that has no access key the
// first letter of its caption not taken yet, so Alt reaches each of them
// whatever the language of the captions.
void giveAccessKeys(const QList<QWidget*>& widgets);

// An error raised while a dialog runs its event loop cannot cross the loop:
// it is kept, the dialog closes, and exec() raises it for the command's frame.
class PendingError {
public:
    // Runs `body`; an error is kept and `close` runs. True when no error came.
    bool guard(const std::function<void()>& body, const std::function<void()>& close);
    void rethrow();

private:
    std::exception_ptr error_;
};

}  // namespace lumo::admin::ui
