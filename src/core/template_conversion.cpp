#include "core/template_conversion.h"

#include <vector>

#include "core/clock.h"
#include "core/cp1251.h"
#include "core/errors.h"
#include "core/examinee.h"
#include "core/question_set.h"
#include "core/text_file.h"

namespace lumo::core {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMaxQuestionText = 2 * kQuestionTextPart;

bool isBlank(std::string_view line) {
    return line.find_first_not_of(' ') == std::string_view::npos;
}

}  // namespace

std::string templateFileName(std::string_view name, int method) {
    return std::string(name) + ".QS" + std::to_string(method);
}

int templateMethod(const fs::path& templateFile) {
    const std::string name = templateFile.filename().string();
    if (name.empty()) return 0;
    const char last = name.back();
    return last >= '1' && last <= '9' ? last - '0' : 0;
}

fs::path companionFile(const fs::path& file, std::string_view ending) {
    std::string name = file.filename().string();
    name.resize(name.size() >= 3 ? name.size() - 3 : 0);
    return file.parent_path() / (name + std::string(ending));
}

std::optional<TemplateLine> splitTemplateLine(std::string_view line) {
    std::string_view parts[3];
    for (std::string_view& part : parts) {
        const std::size_t stop = line.find('.');
        if (stop == std::string_view::npos) return std::nullopt;
        part = line.substr(0, stop);
        line.remove_prefix(stop + 1);
    }
    return TemplateLine{std::string(parts[0]), std::string(parts[1]), std::string(parts[2]), std::string(line)};
}

TemplateLine splitTemplateLine(std::string_view line, std::size_t lineNumber, const std::string& fileName) {
    std::optional<TemplateLine> split = splitTemplateLine(line);
    if (!split) {
        throw EInOutError("Line " + std::to_string(lineNumber) + " of template \"" + fileName +
                          "\" is not a question (number.sign.answer.text)");
    }
    return std::move(*split);
}

std::string joinTemplateLine(const TemplateLine& line) {
    return line.number + "." + line.sign + "." + line.answer + "." + line.text;
}

void buildExamFromTemplate(const fs::path& templateFile, const fs::path& examFile, std::string_view examMark,
                           const TSubj& examinee, const Date& today, const QuestionTypes& types) {
    const int method = templateMethod(templateFile);
    if (method == 0) {
        throw EInOutError("\"" + templateFile.string() + "\" is no template: its name does not end in a method digit");
    }
    const std::string fileName = templateFile.string();
    const std::vector<std::string> templateLines = readTextLines(templateFile);

    std::vector<TemplateLine> rows;
    for (std::size_t m = 0; m < templateLines.size(); ++m) {
        if (isBlank(templateLines[m])) continue;
        TemplateLine row = splitTemplateLine(templateLines[m], m + 1, fileName);
        // The exam keeps two parts of 60 characters; more would be cut off by every reader.
        if (charCount(row.text) > kMaxQuestionText) {
            throw EInOutError("The question in line " + std::to_string(m + 1) + " of template \"" + fileName +
                              "\" has more than " + std::to_string(kMaxQuestionText) + " characters");
        }
        rows.push_back(std::move(row));
    }
    if (rows.size() > static_cast<std::size_t>(kMaxQuestions)) {
        throw EInOutError("Template \"" + fileName + "\" holds " + std::to_string(rows.size()) +
                          " questions, at most " + std::to_string(kMaxQuestions) + " are possible");
    }

    std::vector<std::string> lines = {examinee.name,
                                      examinee.operatorName,
                                      std::to_string(method),
                                      "0",
                                      std::to_string(rows.size()),
                                      leftChars(examMark, kQuestionTextPart),
                                      formatDate(today)};
    const std::size_t countersAt = lines.size();
    std::vector<int> counts(static_cast<std::size_t>(types.count()) + 1, 0);
    lines.resize(countersAt + static_cast<std::size_t>(types.count()));
    for (std::size_t m = 0; m < rows.size(); ++m) {
        const TemplateLine& row = rows[m];
        lines.insert(lines.end(), {row.number, row.sign, row.answer, leftChars(row.text, kQuestionTextPart),
                                   charsFrom(row.text, kQuestionTextPart)});
        const std::string order = std::to_string(m + 1);
        lines.insert(lines.end(), {order, order, order, order, " "});
        ++counts[static_cast<std::size_t>(types.signToType(row.sign))];
    }
    for (int n = 1; n <= types.count(); ++n) {
        lines[countersAt + static_cast<std::size_t>(n) - 1] = std::to_string(counts[static_cast<std::size_t>(n)]);
    }
    writeTextLines(examFile, lines);
}

void exportExamAsTemplate(const fs::path& examFile, const fs::path& templateFile) {
    const TQstTest exam(examFile, kExamTypeCounters);
    std::vector<std::string> lines;
    lines.reserve(exam.questions.size());
    for (const TQsHandle& question : exam.questions) {
        lines.push_back(joinTemplateLine({question.number, question.sign, question.answer, question.text()}));
    }
    writeTextLines(templateFile, lines);
}

}  // namespace lumo::core
