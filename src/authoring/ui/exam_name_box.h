#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;

namespace lumo::core {
class Texts;
}
namespace lumo::platform {
class DialogConventions;
}

namespace lumo::authoring::ui {

// The input box that asks for a template name: the prompt, the name field
// (starting with the proposal, selected), OK and Cancel, and the keyboard
// indicator, since names are typed here.
class ExamNameBox : public QDialog {
    Q_OBJECT

public:
    ExamNameBox(const core::Texts& texts, const QString& title, const QString& prompt, const QString& proposal,
                QWidget* parent = nullptr);

    QString name() const;
    QLineEdit* nameField() const { return ledName_; }
    platform::DialogConventions& conventions() const { return *conventions_; }

private:
    QLineEdit* ledName_;
    platform::DialogConventions* conventions_;
};

}  // namespace lumo::authoring::ui
