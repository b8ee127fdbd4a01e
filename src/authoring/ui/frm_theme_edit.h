#pragma once

#include "authoring/ui/frm_bank_new.h"

namespace lumo::authoring::ui {

// "Topic editor": the selected topic's name and file name, to change.
class TfrmThemeEdit : public TopicFieldsDialog {
    Q_OBJECT

public:
    TfrmThemeEdit(const core::Texts& texts, const QString& name, const QString& fileName, QWidget* parent = nullptr);
};

}  // namespace lumo::authoring::ui
