#pragma once

#include "admin/ui/examinee_form_dialog.h"

namespace lumo::admin::ui {

// The new-examinee dialog: a free code, the name, examiner, crime, issue and
// note; OK saves the record and makes the new examinee current.
class TfrmSubjNew : public ExamineeFormDialog {
    Q_OBJECT

public:
    explicit TfrmSubjNew(core::Workstation& workstation, QWidget* parent = nullptr);
};

}  // namespace lumo::admin::ui
