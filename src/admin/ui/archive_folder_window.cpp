#include "admin/ui/archive_folder_window.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

#include "core/string_table.h"
#include "core/texts/admin.h"
#include "core/texts/core.h"
#include "core/ui/qt_text.h"
#include "core/workstation.h"
#include "platform/dialog_conventions.h"
#include "platform/message_box.h"

namespace lumo::admin::ui {

using core::ui::qs;

namespace fs = std::filesystem;

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kLoadedRole = Qt::UserRole + 1;

}  // namespace

TfrmArchDir::TfrmArchDir(core::Workstation& workstation, const core::TSubj& subject, QWidget* parent)
    : TfrmArchDir(workstation, subject, listArchiveDrives(systemMountSources(), workstation.texts()), parent) {}

TfrmArchDir::TfrmArchDir(core::Workstation& workstation, const core::TSubj& subject, std::vector<ArchiveDrive> drives,
                         QWidget* parent)
    : QDialog(parent), ws_(workstation), chooser_(std::move(drives), subject) {
    setObjectName("frmArchDir");
    const core::Texts& texts = ws_.texts();
    setWindowTitle(qs(texts(txt::ArchDirCaption)));

    conventions_ = new platform::DialogConventions(*this, texts);
    const auto hinted = [&](QWidget* widget, int hintId) { conventions_->setHint(widget, texts(hintId)); };

    cbDrive_ = new QComboBox(this);
    cbDrive_->setObjectName("cbDrive");
    for (const ArchiveDrive& drive : chooser_.drives()) cbDrive_->addItem(qs(drive.caption));
    hinted(cbDrive_, txt::ArchDirDriveHint);

    tvFolders_ = new QTreeWidget(this);
    tvFolders_->setObjectName("tvFolders");
    tvFolders_->setHeaderHidden(true);
    tvFolders_->setColumnCount(1);
    hinted(tvFolders_, txt::ArchDirTreeHint);

    lstFiles_ = new QListWidget(this);
    lstFiles_->setObjectName("lstFiles");
    lstFiles_->setSelectionMode(QAbstractItemView::NoSelection);
    conventions_->addField(tvFolders_);
    conventions_->addField(lstFiles_);

    cmdOK_ = new QPushButton(qs(texts(txt::ButtonOk)), this);
    cmdOK_->setObjectName("cmdOK");
    cmdOK_->setDefault(true);
    hinted(cmdOK_, txt::ArchDirOkHint);
    cmdCancel_ = new QPushButton(qs(texts(txt::ButtonCancel)), this);
    cmdCancel_->setObjectName("cmdCancel");
    hinted(cmdCancel_, txt::ArchDirCancelHint);

    // Each list is named by the label above it, for screen readers too.
    const auto labelFor = [this](std::string_view caption, QWidget* field) {
        return conventions_->makeLabel(caption, field);
    };
    auto* grid = new QGridLayout;
    grid->addWidget(labelFor(core::shortHint(texts(txt::ArchDirDriveHint)), cbDrive_), 0, 0);
    grid->addWidget(cbDrive_, 1, 0);
    grid->addWidget(labelFor(core::shortHint(texts(txt::ArchDirTreeHint)), tvFolders_), 2, 0);
    grid->addWidget(tvFolders_, 3, 0);
    grid->addWidget(labelFor(texts(txt::ArchDirFiles), lstFiles_), 2, 1);
    grid->addWidget(lstFiles_, 3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->addWidget(conventions_->hintPanel());

    confirm_ = [this](const QString& text) {
        return platform::askYesNo(this, windowTitle(), text, ws_.texts());
    };

    connect(cbDrive_, &QComboBox::currentIndexChanged, this, [this](int index) { cbDriveChange(index); });
    connect(tvFolders_, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item, QTreeWidgetItem*) { tvFoldersChange(item); });
    connect(tvFolders_, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) { tvFoldersExpand(item); });
    connect(cmdOK_, &QPushButton::clicked, this, &TfrmArchDir::cmdOKClick);
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);

    cbDrive_->blockSignals(true);
    cbDrive_->setCurrentIndex(chooser_.driveIndex());
    cbDrive_->blockSignals(false);
    fillTree();
}

void TfrmArchDir::cbDriveChange(int index) {
    chooser_.selectDrive(index);
    fillTree();
}

void TfrmArchDir::fillTree() {
    tvFolders_->blockSignals(true);
    tvFolders_->clear();
    tvFolders_->blockSignals(false);
    if (chooser_.driveIndex() >= 0) {
        const fs::path root = chooser_.drives()[static_cast<std::size_t>(chooser_.driveIndex())].root;
        QTreeWidgetItem* item = folderItem(root, nullptr);
        item->setText(0, qs(root.string()));
        tvFolders_->addTopLevelItem(item);
        item->setExpanded(true);
        tvFolders_->setCurrentItem(item);
    }
    fillFiles();
}

QTreeWidgetItem* TfrmArchDir::folderItem(const fs::path& folder, QTreeWidgetItem* parent) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem;
    item->setText(0, qs(folder.filename().string()));
    item->setData(0, kPathRole, qs(folder.string()));
    item->setData(0, kLoadedRole, false);
    // The arrow shows before the sub-folders are read.
    item->setChildIndicatorPolicy(subfolders(folder).empty() ? QTreeWidgetItem::DontShowIndicator
                                                             : QTreeWidgetItem::ShowIndicator);
    return item;
}

void TfrmArchDir::addChildren(QTreeWidgetItem* item) {
    if (item->data(0, kLoadedRole).toBool()) return;
    item->setData(0, kLoadedRole, true);
    const fs::path folder = item->data(0, kPathRole).toString().toStdString();
    for (const std::string& name : subfolders(folder)) folderItem(folder / name, item);
}

void TfrmArchDir::tvFoldersExpand(QTreeWidgetItem* item) {
    addChildren(item);
}

void TfrmArchDir::tvFoldersChange(QTreeWidgetItem* item) {
    if (item == nullptr) return;
    chooser_.selectFolder(item->data(0, kPathRole).toString().toStdString());
    fillFiles();
}

void TfrmArchDir::chooseFolder(const fs::path& folder) {
    QTreeWidgetItem* item = tvFolders_->topLevelItem(0);
    if (item == nullptr) return;
    const fs::path root = item->data(0, kPathRole).toString().toStdString();
    const fs::path relative = folder.lexically_relative(root);
    if (relative.empty() || *relative.begin() == "..") return;
    for (const fs::path& part : relative) {
        if (part == ".") continue;
        addChildren(item);
        QTreeWidgetItem* next = nullptr;
        for (int i = 0; i < item->childCount() && next == nullptr; ++i) {
            if (item->child(i)->text(0) == qs(part.string())) next = item->child(i);
        }
        if (next == nullptr) return;
        item->setExpanded(true);
        item = next;
    }
    tvFolders_->setCurrentItem(item);
}

void TfrmArchDir::fillFiles() {
    lstFiles_->clear();
    for (const std::string& name : chooser_.files()) lstFiles_->addItem(qs(name));
}

void TfrmArchDir::cmdOKClick() {
    if (chooser_.overwriteQuestionNeeded() && !(confirm_ && confirm_(qs(ws_.texts()(txt::ArchDirOverwrite))))) {
        return;  // the chooser stays open
    }
    accept();
}

QString TfrmArchDir::hintPanelText() const {
    return conventions_->hintPanelText();
}

}  // namespace lumo::admin::ui
