#pragma once

#include "admin/ui/examinee_form_dialog.h"

namespace lumo::admin::ui {

// The examinee editor: every field of the current examinee but its code and
// date, and the "Info archived" box; Post rewrites the record.
class TfrmSubjEdit : public ExamineeFormDialog {
    Q_OBJECT

public:
    explicit TfrmSubjEdit(core::Workstation& workstation, QWidget* parent = nullptr);
};

}  // namespace lumo::admin::ui
