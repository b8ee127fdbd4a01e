#include "authoring/ui/frm_theme_edit.h"

#include "core/texts/authoring.h"
#include "core/texts/core.h"

namespace lumo::authoring::ui {

TfrmThemeEdit::TfrmThemeEdit(const core::Texts& texts, const QString& name, const QString& fileName, QWidget* parent)
    : TopicFieldsDialog(texts,
                        {txt::TopicEditCaption, txt::TopicEditName, txt::TopicEditNameHint, txt::TopicEditFile,
                         txt::TopicEditFileHint, txt::ButtonSave, txt::TopicEditSaveHint, txt::TopicEditCancelHint},
                        name, fileName, parent) {
    setObjectName("frmThemeEdit");
}

}  // namespace lumo::authoring::ui
