#pragma once

#include <QDialog>

#include "core/startup.h"

class QProgressBar;

namespace lumo::core::ui {

// The gauge shown while the start-up and shut-down routines run: no system
// buttons, centred on the screen, a red bar on yellow without text. Every move
// lets the message loop run so the window stays painted.
class TfrmProgress : public QDialog, public ProgressView {
    Q_OBJECT

public:
    explicit TfrmProgress(QWidget* parent = nullptr);

    void showProgress(const std::string& caption, int maximum) override;
    void setProgress(int position) override;
    void hideProgress() override;

    int position() const;
    int maximum() const;

protected:
    // Nothing but the routine may close the window.
    void reject() override {}
    void closeEvent(QCloseEvent* event) override;

private:
    QProgressBar* gauge_;
};

}  // namespace lumo::core::ui
