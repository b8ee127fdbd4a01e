#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <optional>

#include "authoring/method_chooser.h"
#include "authoring/question_row.h"

class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace lumo::core {
class Workstation;
}
namespace lumo::platform {
class DialogConventions;
}

namespace lumo::authoring::ui {

// The method chooser: the method list, the six count fields under their
// coloured captions and the total. "Edit" (Enter) generates the skeleton of
// the chosen method and ends with OK; "Cancel" (Esc) generates nothing.
class TfrmMethod : public QDialog {
    Q_OBJECT

public:
    // NMethod must be an integer and QColor1 ... QColor6 colour names (EConvertError otherwise).
    explicit TfrmMethod(core::Workstation& workstation, QWidget* parent = nullptr);

    // The error box "Methods index error"; the dialog then ends as cancelled.
    void setIndexError(std::function<void(const QString& text)> show) { indexError_ = std::move(show); }

    // The skeleton after OK.
    const std::optional<TemplateSkeleton>& skeleton() const { return skeleton_; }

    // Widgets, for tests.
    QListWidget* methodList() const { return lstMethod_; }
    QSpinBox* countField(QuestionType type) const { return fields_[static_cast<std::size_t>(type)]; }
    QLabel* captionPanel(QuestionType type) const { return captions_[static_cast<std::size_t>(type)]; }
    QLabel* formatPanel() const { return lblFormat_; }
    QLabel* totalPanel() const { return lblTotal_; }
    QPushButton* editButton() const { return cmdEdit_; }
    QPushButton* cancelButton() const { return cmdCancel_; }
    platform::DialogConventions& conventions() const { return *conventions_; }

public slots:
    void cmdEditClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void lstMethodClick(int row);
    void seChange(QuestionType type, int value);
    void showFields();
    void methodsIndexError();

    core::Workstation& ws_;
    MethodChooser chooser_;
    QListWidget* lstMethod_;
    QLabel* lblFormat_;
    QLabel* lblTotal_;
    std::array<QSpinBox*, kTypeCount> fields_{};
    std::array<QLabel*, kTypeCount> captions_{};
    std::array<QColor, kTypeCount> colors_{};
    QPushButton* cmdEdit_;
    QPushButton* cmdCancel_;
    platform::DialogConventions* conventions_;
    std::function<void(const QString&)> indexError_;
    std::optional<TemplateSkeleton> skeleton_;
    bool busy_ = false;
    bool errorShown_ = false;
};

// Runs the method chooser modally: the skeleton of the chosen method, or
// nothing on Cancel or after "Methods index error".
std::optional<TemplateSkeleton> chooseMethod(QWidget* parent, core::Workstation& workstation);

}  // namespace lumo::authoring::ui
