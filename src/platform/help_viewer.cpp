#include "platform/help_viewer.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "core/texts/core.h"

namespace lumo::platform {

namespace {

constexpr int kFileNameRole = Qt::UserRole;

QListWidgetItem* pageItem(const core::HelpIndex::Page& page) {
    auto* item = new QListWidgetItem(QString::fromStdString(page.title));
    item->setData(kFileNameRole, QString::fromStdString(page.fileName));
    return item;
}

}  // namespace

HelpViewer::HelpViewer(const std::filesystem::path& helpFolder, const core::Texts& texts, QWidget* parent)
    : QWidget(parent, Qt::Window) {
    index_.load(helpFolder);
    const auto text = [&texts](int id) { return QString::fromStdString(texts(id)); };
    setWindowTitle(text(txt::HelpWindowTitle));
    resize(900, 640);

    contents_ = new QListWidget;
    for (const auto& page : index_.pages()) contents_->addItem(pageItem(page));

    auto* searchPage = new QWidget;
    query_ = new QLineEdit;
    query_->setClearButtonEnabled(true);
    results_ = new QListWidget;
    auto* searchLayout = new QVBoxLayout(searchPage);
    searchLayout->setContentsMargins(0, 0, 0, 0);
    searchLayout->addWidget(query_);
    searchLayout->addWidget(results_);

    tabs_ = new QTabWidget;
    tabs_->addTab(contents_, text(txt::MainHelpContents));
    tabs_->addTab(searchPage, text(txt::HelpSearchTab));

    browser_ = new QTextBrowser;
    browser_->setSearchPaths({QString::fromStdString(helpFolder.string())});
    browser_->setOpenExternalLinks(true);

    auto* splitter = new QSplitter;
    splitter->addWidget(tabs_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 3);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(splitter);

    const auto open = [this](QListWidgetItem* item) {
        if (item != nullptr) showPage(item->data(kFileNameRole).toString().toStdString());
    };
    connect(contents_, &QListWidget::itemActivated, this, open);
    connect(contents_, &QListWidget::itemClicked, this, open);
    connect(results_, &QListWidget::itemActivated, this, open);
    connect(results_, &QListWidget::itemClicked, this, open);
    connect(query_, &QLineEdit::textChanged, this, &HelpViewer::search);
}

void HelpViewer::openContents() {
    tabs_->setCurrentIndex(0);
    showPage(std::string(core::HelpIndex::kContentsPage));
    bringUp();
}

void HelpViewer::openSearch() {
    tabs_->setCurrentIndex(1);
    bringUp();
    query_->setFocus();
    query_->selectAll();
}

void HelpViewer::openUsingHelp() {
    showPage(std::string(core::HelpIndex::kUsingHelpPage));
    bringUp();
}

void HelpViewer::search(const QString& query) {
    if (query_->text() != query) {
        query_->setText(query);  // comes back here through textChanged
        return;
    }
    results_->clear();
    for (const auto* page : index_.search(query.toStdString())) results_->addItem(pageItem(*page));
}

void HelpViewer::showPage(const std::string& fileName) {
    browser_->setSource(QUrl::fromLocalFile(QString::fromStdString((index_.folder() / fileName).string())));
}

void HelpViewer::bringUp() {
    show();
    raise();
    activateWindow();
}

}  // namespace lumo::platform
