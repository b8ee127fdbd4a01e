#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;
class QPushButton;

namespace lumo::core {
class Texts;
}
namespace lumo::platform {
class DialogConventions;
}

namespace lumo::authoring::ui {

// The fields of a topic: its name and its file name, as the new-topic dialog
// and the topic editor ask for them. The bank manager checks and completes
// what is typed when the dialog ends with OK.
class TopicFieldsDialog : public QDialog {
    Q_OBJECT

public:
    struct Captions {
        int title, nameLabel, nameHint, fileLabel, fileHint, okCaption, okHint, cancelHint;
    };
    TopicFieldsDialog(const core::Texts& texts, const Captions& captions, const QString& name,
                      const QString& fileName, QWidget* parent);

    QString name() const;
    QString fileName() const;
    QLineEdit* nameField() const { return ledName_; }
    QLineEdit* fileField() const { return ledFile_; }
    QPushButton* okButton() const { return cmdOK_; }
    QPushButton* cancelButton() const { return cmdCancel_; }
    platform::DialogConventions& conventions() const { return *conventions_; }

private:
    QLineEdit* ledName_;
    QLineEdit* ledFile_;
    QPushButton* cmdOK_;
    QPushButton* cmdCancel_;
    platform::DialogConventions* conventions_;
};

// "Adding new topic": the name preset to "New topic.", the file name to the
// generated one.
class TfrmBankNew : public TopicFieldsDialog {
    Q_OBJECT

public:
    TfrmBankNew(const core::Texts& texts, const QString& generatedFileName, QWidget* parent = nullptr);
};

}  // namespace lumo::authoring::ui
