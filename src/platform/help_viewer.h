#pragma once

#include <QWidget>
#include <filesystem>
#include <optional>
#include <string_view>

#include "core/help_index.h"
#include "core/settings.h"

class QLineEdit;
class QKeyEvent;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class QUrl;

namespace lumo::platform {

// The help window: the help pages of the workstation's current language with
// their contents, a word search and back/forward through the pages seen. One
// window serves the whole run; the main window's Help commands and F1 open it
// at a place. Over a modal dialog it opens modal itself, so that it can be
// read and scrolled while the dialog waits.
class HelpViewer : public QWidget {
    Q_OBJECT

public:
    // `helpRoot` is the data home's help folder (English pages, Russian ones
    // in its "ru" folder); the language is read from `texts` at every opening.
    HelpViewer(std::filesystem::path helpRoot, const core::Texts& texts, QWidget* parent = nullptr);

    void openContents();
    void openSearch();
    void openUsingHelp();
    // Opens a page by file name, with an optional "#anchor" ("about.html#progress").
    void openPage(std::string_view page);
    // Runs the search as if typed into the search field.
    void search(const QString& query);

    // The language of the pages shown now.
    core::Language language() const { return language_.value_or(core::Language::English); }
    QTextBrowser* browser() const { return browser_; }
    QListWidget* contentsList() const { return contents_; }
    QListWidget* results() const { return results_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Reloads pages, contents and captions when the language changed since the last opening.
    void followLanguage();
    void showPage(std::string_view page);
    void markInContents(const QUrl& shownPage);
    void bringUp();

    const std::filesystem::path helpRoot_;
    const core::Texts& texts_;
    std::optional<core::Language> language_;
    core::HelpIndex index_;
    QTabWidget* tabs_ = nullptr;
    QListWidget* contents_ = nullptr;
    QLineEdit* query_ = nullptr;
    QListWidget* results_ = nullptr;
    QTextBrowser* browser_ = nullptr;
};

}  // namespace lumo::platform
