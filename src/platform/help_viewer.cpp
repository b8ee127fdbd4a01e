#include "platform/help_viewer.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QKeyEvent>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "core/help_topics.h"
#include "core/texts/core.h"
#include "platform/qt_text.h"

namespace lumo::platform {

namespace {

constexpr int kFileNameRole = Qt::UserRole;

QListWidgetItem* pageItem(const core::HelpIndex::Page& page) {
    auto* item = new QListWidgetItem(qs(page.title));
    item->setData(kFileNameRole, qs(page.fileName));
    return item;
}

}  // namespace

HelpViewer::HelpViewer(std::filesystem::path helpRoot, const core::Texts& texts, QWidget* parent)
    : QWidget(parent, Qt::Window), helpRoot_(std::move(helpRoot)), texts_(texts) {
    setObjectName("frmHelp");
    resize(960, 680);

    contents_ = new QListWidget;
    auto* searchPage = new QWidget;
    query_ = new QLineEdit;
    query_->setClearButtonEnabled(true);
    results_ = new QListWidget;
    auto* searchLayout = new QVBoxLayout(searchPage);
    searchLayout->setContentsMargins(0, 0, 0, 0);
    searchLayout->addWidget(query_);
    searchLayout->addWidget(results_);

    tabs_ = new QTabWidget;
    tabs_->addTab(contents_, QString());
    tabs_->addTab(searchPage, QString());

    browser_ = new QTextBrowser;
    browser_->setOpenExternalLinks(true);

    auto* splitter = new QSplitter;
    splitter->addWidget(tabs_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 3);
    splitter->setSizes({260, 700});
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
    connect(browser_, &QTextBrowser::sourceChanged, this, &HelpViewer::markInContents);

    followLanguage();
}

void HelpViewer::followLanguage() {
    const core::Language language = texts_.language();
    if (language_ == language) return;
    language_ = language;
    index_.load(core::helpFolderFor(helpRoot_, language));

    setWindowTitle(qs(texts_(txt::HelpWindowTitle)));
    tabs_->setTabText(0, qs(texts_(txt::MainHelpContents)));
    tabs_->setTabText(1, qs(texts_(txt::HelpSearchTab)));
    contents_->setAccessibleName(tabs_->tabText(0));
    query_->setAccessibleName(qs(texts_(txt::MainHelpSearch)));
    results_->setAccessibleName(tabs_->tabText(1));
    browser_->setAccessibleName(windowTitle());
    browser_->setSearchPaths({qs(index_.folder().string())});

    contents_->clear();
    for (const auto* page : index_.contents()) contents_->addItem(pageItem(*page));
    search(query_->text());
    browser_->clearHistory();
    browser_->clear();
}

void HelpViewer::openContents() {
    followLanguage();
    tabs_->setCurrentIndex(0);
    showPage(core::HelpIndex::kContentsPage);
    bringUp();
}

void HelpViewer::openSearch() {
    followLanguage();
    tabs_->setCurrentIndex(1);
    if (browser_->source().isEmpty()) showPage(core::HelpIndex::kContentsPage);
    bringUp();
    query_->setFocus();
    query_->selectAll();
}

void HelpViewer::openUsingHelp() {
    openPage(core::HelpIndex::kUsingHelpPage);
}

void HelpViewer::openPage(std::string_view page) {
    followLanguage();
    tabs_->setCurrentIndex(0);
    showPage(page);
    bringUp();
    browser_->setFocus();
}

void HelpViewer::search(const QString& query) {
    if (query_->text() != query) {
        query_->setText(query);  // comes back here through textChanged
        return;
    }
    results_->clear();
    for (const auto* page : index_.search(query.toStdString())) results_->addItem(pageItem(*page));
}

void HelpViewer::showPage(std::string_view page) {
    const std::string_view file = core::pageFile(page);
    // A page missing from this language's folder is shown from the English one.
    const core::HelpIndex::Page* known = index_.page(file);
    const std::filesystem::path folder = known != nullptr ? index_.folder() : helpRoot_;
    QUrl url = QUrl::fromLocalFile(qs((folder / std::string(known != nullptr ? known->fileName : file)).string()));
    if (file.size() < page.size()) url.setFragment(qs(page.substr(file.size() + 1)));
    browser_->setSource(url);
}

void HelpViewer::keyPressEvent(QKeyEvent* event) {
    // Like every dialog of the workstation, Esc puts the window away.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void HelpViewer::markInContents(const QUrl& shownPage) {
    const QString shown = shownPage.fileName();
    for (int row = 0; row < contents_->count(); ++row) {
        if (contents_->item(row)->data(kFileNameRole).toString().compare(shown, Qt::CaseInsensitive) == 0) {
            contents_->setCurrentRow(row);
            return;
        }
    }
}

void HelpViewer::bringUp() {
    // Over a modal dialog a plain window could be seen but not scrolled or
    // clicked; the help then waits modal above the dialog until it is closed.
    const QWidget* modal = QApplication::activeModalWidget();
    const Qt::WindowModality wanted =
        modal == this ? windowModality() : (modal != nullptr ? Qt::ApplicationModal : Qt::NonModal);
    if (windowModality() != wanted) {
        hide();
        setWindowModality(wanted);
    }
    show();
    raise();
    activateWindow();
}

}  // namespace lumo::platform
