#pragma once

#include <QWidget>
#include <filesystem>

#include "core/help_index.h"
#include "core/settings.h"

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;

namespace lumo::platform {

// The help window: the data home's help pages with their contents, a word
// search and back/forward through the pages seen. One window serves the whole
// run; the main window's Help commands open it at a place.
class HelpViewer : public QWidget {
    Q_OBJECT

public:
    HelpViewer(const std::filesystem::path& helpFolder, const core::Texts& texts, QWidget* parent = nullptr);

    void openContents();
    void openSearch();
    void openUsingHelp();
    // Runs the search as if typed into the search field.
    void search(const QString& query);

    QTextBrowser* browser() const { return browser_; }
    QListWidget* results() const { return results_; }

private:
    void showPage(const std::string& fileName);
    void bringUp();

    core::HelpIndex index_;
    QTabWidget* tabs_ = nullptr;
    QListWidget* contents_ = nullptr;
    QLineEdit* query_ = nullptr;
    QListWidget* results_ = nullptr;
    QTextBrowser* browser_ = nullptr;
};

}  // namespace lumo::platform
