#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lumo::core {
class Settings;
class Texts;
}  // namespace lumo::core

namespace lumo::admin {

// The crime list editor's rules. The editable entries are Crime2 ...
// Crime<MaxCrime> of the current language (Crime1 is the chooser's fixed
// "all examinees" entry); they live in the settings list only, which reaches
// the file at its next save.
class CrimeListEditor {
public:
    // Yes/No question (text).
    using ConfirmFunction = std::function<bool(const std::string& text)>;

    // Reads the entries; a malformed MaxCrime raises EConvertError.
    CrimeListEditor(core::Settings& settings, const core::Texts& texts);

    void setConfirmFunction(ConfirmFunction confirm) { confirm_ = std::move(confirm); }

    // The entries as the multi-line field shows them, one a line.
    const std::vector<std::string>& names() const { return names_; }
    std::string text() const;

    // OK with the field's text: asks whether to save; Yes stores the lines and
    // gives true (the dialog closes), No gives false (it stays open).
    bool save(std::string_view text);
    // Cancel or Esc: asks whether to drop the changes; true closes the dialog.
    bool cancel();

    // Writes the lines as entries 2 ... n + 1 and MaxCrime as n + 1. Blanks are
    // stored as "_", an empty line as "Ъ"; a key not yet in the list becomes
    // its new first line. Entries above the new count stay, unused.
    static void store(core::Settings& settings, const std::vector<std::string>& names);
    // The lines of a multi-line text: any line break (LF, CR LF, CR, the
    // Unicode line and paragraph separators) ends a line; one break at the
    // very end does not start another line.
    static std::vector<std::string> splitLines(std::string_view text);

private:
    core::Settings& settings_;
    const core::Texts& texts_;
    ConfirmFunction confirm_;
    std::vector<std::string> names_;
};

// The crime list editor's size: its design size scaled, proportions kept, to
// 80 % of the screen height or to the full screen width, whichever is smaller.
struct DialogSize {
    int width = 0;
    int height = 0;
    bool operator==(const DialogSize&) const = default;
};
DialogSize crimeEditorSize(DialogSize design, DialogSize screen);

}  // namespace lumo::admin
