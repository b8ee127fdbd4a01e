#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "authoring/question_row.h"

namespace lumo::core {
class Settings;
class Texts;
}  // namespace lumo::core

namespace lumo::authoring {

// The template folder "QST" of the data home, in the spelling found on disk.
std::filesystem::path templateFolder(const std::filesystem::path& home);

// The file names of the templates in `folder` whose extension ends in a
// method digit 1 ... 6, sorted by name.
std::vector<std::string> listTemplates(const std::filesystem::path& folder);

// The questions of a template file, one row per line; blank lines carry no
// question. A damaged file (a line without three full stops, characters that
// are no text, a question over 120 characters, more than 20 questions) raises
// EInOutError naming the file and the line.
std::vector<QuestionRow> readTemplate(const std::filesystem::path& file, const core::Texts& texts);

// Why a template name cannot become a file name ("" when it can): empty,
// separators, "..", control characters, or too long for the file system.
std::string templateNameProblem(std::string_view name, int method, const core::Texts& texts);

// The method's name: MName n under the language key prefix.
std::string methodName(const core::Settings& settings, int method);
// "Method : %s" with the method's name.
std::string methodCaption(const core::Settings& settings, const core::Texts& texts, int method);

}  // namespace lumo::authoring
