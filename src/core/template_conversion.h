#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace lumo::core {

class QuestionTypes;
struct Date;
struct TSubj;

// "name.QS3": the template file name of method 3.
std::string templateFileName(std::string_view name, int method);
// The method digit a template's file name ends in (1 ... 9), 0 when it ends in none.
int templateMethod(const std::filesystem::path& templateFile);

// The file beside `file` whose name differs in its last three characters:
// companionFile(".../exam_03.qs_", "ch2") names ".../exam_03.ch2", and
// companionFile(".../exam_03.ch2", "sc2") the chart's screen settings.
std::filesystem::path companionFile(const std::filesystem::path& file, std::string_view ending);

// One template line split at its first three full stops; the text keeps any
// further full stops.
struct TemplateLine {
    std::string number;
    std::string sign;
    std::string answer;
    std::string text;
    bool operator==(const TemplateLine&) const = default;
};
// Split at the first three full stops (the text may hold more); nothing when
// the line has fewer.
std::optional<TemplateLine> splitTemplateLine(std::string_view line);
// The same for a line of a file: EInOutError naming the line when it has
// fewer than three full stops.
TemplateLine splitTemplateLine(std::string_view line, std::size_t lineNumber, const std::string& fileName);
// The four fields joined with "." (" 1. R1.-.Is it you ?").
std::string joinTemplateLine(const TemplateLine& line);

// Writes the exam file for the examinee from the template: the template's
// method digit, the mark, today's date, every question with all four orders
// equal to its template row and the type counters of NQType types (atomic
// write). Blank template lines carry no question and are passed over; a line
// that is no question, a text of more than 120 characters or more than 20
// questions are refused with EInOutError and nothing is written.
void buildExamFromTemplate(const std::filesystem::path& templateFile, const std::filesystem::path& examFile,
                           std::string_view examMark, const TSubj& examinee, const Date& today,
                           const QuestionTypes& types);

// Writes the template of the exam: one line per question, number, sign,
// answer and the whole text joined by full stops (atomic write).
void exportExamAsTemplate(const std::filesystem::path& examFile, const std::filesystem::path& templateFile);

}  // namespace lumo::core
