#include "authoring/template_store.h"

#include <algorithm>
#include <system_error>

#include "authoring/question_rows.h"
#include "core/cp1251.h"
#include "core/errors.h"
#include "core/paths.h"
#include "core/settings.h"
#include "core/template_conversion.h"
#include "core/text_file.h"
#include "core/text_format.h"
#include "core/texts/authoring.h"
#include "core/texts/core.h"

namespace lumo::authoring {

namespace fs = std::filesystem;

namespace {

// Most Linux file systems hold 255 bytes per name.
constexpr std::size_t kMaxFileNameBytes = 255;

bool isBlank(std::string_view line) {
    return line.find_first_not_of(' ') == std::string_view::npos;
}

// Bytes below the blank other than the tab never occur in a text line.
bool holdsControlCharacters(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte < 0x20 && byte != '\t') || byte == 0x7f;
    });
}

}  // namespace

fs::path templateFolder(const fs::path& home) {
    return core::resolvePath(home, "QST");
}

std::vector<std::string> listTemplates(const fs::path& folder) {
    std::vector<std::string> names;
    for (const std::string& name : core::findEntries(folder, "*.qs?")) {
        const char method = name.back();
        std::error_code error;
        if (method < '1' || method > '6' || !fs::is_regular_file(folder / name, error)) continue;
        names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<QuestionRow> readTemplate(const fs::path& file, const core::Texts& texts) {
    const std::string name = file.filename().string();
    std::vector<std::string> lines;
    try {
        lines = core::readTextLines(file);
    } catch (const LumoError& error) {
        throw EInOutError(core::formatText(texts(txt::TplCannotRead), {name}) + "\n" + error.what());
    }
    std::vector<QuestionRow> rows;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const auto number = static_cast<long long>(i + 1);
        if (holdsControlCharacters(line)) {
            throw EInOutError(core::formatText(texts(txt::TplLineNotText), {number, name}));
        }
        if (isBlank(line)) continue;
        std::optional<QuestionRow> row = core::splitTemplateLine(line);
        if (!row) throw EInOutError(core::formatText(texts(txt::TplLineNotQuestion), {number, name}));
        if (core::charCount(row->text) > kMaxTextChars) {
            throw EInOutError(core::formatText(texts(txt::TplLineTooLong), {number, name}));
        }
        rows.push_back(std::move(*row));
        if (rows.size() > static_cast<std::size_t>(kEditorRows)) {
            throw EInOutError(core::formatText(texts(txt::TplTooManyQuestions), {name}));
        }
    }
    return rows;
}

std::string templateNameProblem(std::string_view name, int method, const core::Texts& texts) {
    if (name.empty()) return texts(txt::QstNameEmpty);
    if (name.find('/') != std::string_view::npos || name.find('\\') != std::string_view::npos ||
        name.find("..") != std::string_view::npos || holdsControlCharacters(name)) {
        return texts(txt::QstNameInvalid);
    }
    if (core::templateFileName(name, method).size() > kMaxFileNameBytes) return texts(txt::QstNameTooLong);
    return {};
}

std::string methodName(const core::Settings& settings, int method) {
    return settings.list().text(settings.prefixed("MName" + std::to_string(method)));
}

std::string methodCaption(const core::Settings& settings, const core::Texts& texts, int method) {
    return core::formatText(texts(txt::MethodNameCaption), {methodName(settings, method)});
}

}  // namespace lumo::authoring
