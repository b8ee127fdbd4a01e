#include "admin/ui/frm_subj_edit.h"

namespace lumo::admin::ui {

TfrmSubjEdit::TfrmSubjEdit(core::Workstation& workstation, QWidget* parent)
    : ExamineeFormDialog(workstation, ExamineeForm::Mode::Edit, parent) {}

}  // namespace lumo::admin::ui
