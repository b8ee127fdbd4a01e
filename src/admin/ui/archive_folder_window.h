#pragma once

#include <QDialog>
#include <filesystem>
#include <functional>
#include <vector>

#include "admin/archive_folders.h"

class QComboBox;
class QListWidget;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace lumo::core {
class Workstation;
}
namespace lumo::platform {
class DialogConventions;
}

namespace lumo::admin::ui {

// The drive and folder chooser of the archive command: a drive list, the
// folder tree of the chosen drive and the files of the chosen folder. OK
// gives the drive letter and the folder.
class TfrmArchDir : public QDialog {
    Q_OBJECT

public:
    // Yes/No question (text); the default is a message box.
    using ConfirmFunction = std::function<bool(const QString& text)>;

    // The drives of this machine.
    TfrmArchDir(core::Workstation& workstation, const core::TSubj& subject, QWidget* parent = nullptr);
    TfrmArchDir(core::Workstation& workstation, const core::TSubj& subject, std::vector<ArchiveDrive> drives,
                QWidget* parent = nullptr);

    void setConfirmFunction(ConfirmFunction confirm) { confirm_ = std::move(confirm); }

    char driveLetter() const { return chooser_.driveLetter(); }
    std::filesystem::path target() const { return chooser_.target(); }
    ArchiveFolderChooser& chooser() { return chooser_; }

    // Widgets, for tests.
    QComboBox* driveList() const { return cbDrive_; }
    QTreeWidget* folderTree() const { return tvFolders_; }
    QListWidget* fileList() const { return lstFiles_; }
    QString hintPanelText() const;

    // Chooses a folder as a click in the tree would (it must lie on the drive).
    void chooseFolder(const std::filesystem::path& folder);

public slots:
    void cmdOKClick();

private:
    void cbDriveChange(int index);
    void tvFoldersChange(QTreeWidgetItem* item);
    void tvFoldersExpand(QTreeWidgetItem* item);
    void fillTree();
    void fillFiles();
    QTreeWidgetItem* folderItem(const std::filesystem::path& folder, QTreeWidgetItem* parent);
    void addChildren(QTreeWidgetItem* item);

    core::Workstation& ws_;
    ArchiveFolderChooser chooser_;
    ConfirmFunction confirm_;
    QComboBox* cbDrive_;
    QTreeWidget* tvFolders_;
    QListWidget* lstFiles_;
    QPushButton* cmdOK_;
    QPushButton* cmdCancel_;
    platform::DialogConventions* conventions_;
};

}  // namespace lumo::admin::ui
