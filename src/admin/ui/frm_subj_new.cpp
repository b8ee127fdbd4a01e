#include "admin/ui/frm_subj_new.h"

namespace lumo::admin::ui {

TfrmSubjNew::TfrmSubjNew(core::Workstation& workstation, QWidget* parent)
    : ExamineeFormDialog(workstation, ExamineeForm::Mode::New, parent) {}

}  // namespace lumo::admin::ui
