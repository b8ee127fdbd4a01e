#pragma once

#include <QDialog>
#include <QString>
#include <filesystem>
#include <functional>

#include "admin/archiver.h"
#include "core/examinee.h"

class QLabel;
class QProgressBar;

namespace lumo::core {
class Workstation;
}

namespace lumo::admin::ui {

// The boxes the archiver window shows. The defaults are message boxes; tests
// answer them instead.
struct ArchivePrompts {
    std::function<bool(const QString& text)> confirm;   // Yes/No, true for Yes
    std::function<void(const QString& text)> inform;    // OK
    std::function<bool(const QString& text)> askRetry;  // Abort/Retry, true for Retry
    std::function<void(const QString& text)> error;     // OK, error icon
};

// The archiver window: a status line and a gauge. It starts the archiver by
// itself as soon as it is shown and closes when the archiver is done; while
// it runs, the examiner cannot close it.
class TfrmArchive : public QDialog, public ArchiverView {
    Q_OBJECT

public:
    TfrmArchive(core::Workstation& workstation, core::TSubj subject, char driveLetter,
                std::filesystem::path target, QWidget* parent = nullptr);

    void setPrompts(ArchivePrompts prompts) { prompts_ = std::move(prompts); }
    Archiver::Result result() const { return result_; }
    bool running() const { return running_; }

    // ArchiverView
    void showStatus(const std::string& text) override;
    void showGauge(int position, int maximum) override;
    bool confirm(const std::string& text) override;
    void inform(const std::string& text) override;
    bool askRetry(const std::string& text) override;
    void showError(const std::string& text) override;
    void yield() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void FormActivate();
    ArchivePrompts defaultPrompts();

    core::Workstation& ws_;
    core::TSubj subject_;
    char drive_;
    std::filesystem::path target_;
    ArchivePrompts prompts_;
    QLabel* status_;
    QProgressBar* gauge_;
    bool started_ = false;
    bool running_ = false;
    Archiver::Result result_ = Archiver::Result::Failed;
};

}  // namespace lumo::admin::ui
