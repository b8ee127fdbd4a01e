#include "authoring/ui/question_list_printing.h"

#include <QApplication>
#include <QFont>
#include <QWidget>

#include "authoring/question_list_print.h"
#include "core/workstation.h"

namespace lumo::authoring::ui {

namespace {

// The question rows are set in the application's font; the print takes its family and size.
core::TextStyle rowStyle(const QWidget* parent) {
    const QFont font = parent != nullptr ? parent->font() : QApplication::font();
    const double size = font.pointSizeF() > 0 ? font.pointSizeF() : 10;
    return {font.family().toStdString(), size, false};
}

}  // namespace

void printQuestionList(QWidget* parent, core::Workstation& workstation, const std::string& heading,
                       const std::vector<std::string>& lines) {
    printQuestionList(parent, workstation, heading, lines, platform::systemPrintSteps(workstation));
}

bool printQuestionList(QWidget* parent, const core::Workstation& workstation, const std::string& heading,
                       const std::vector<std::string>& lines, const platform::PrintSteps& steps) {
    const QuestionListPrint print{heading, lines, rowStyle(parent)};
    return platform::printDocument(
        parent, workstation,
        [&print](const core::PageFormat& format, const core::TextMeasure& measure) {
            return layoutQuestionList(print, format, measure);
        },
        steps);
}

}  // namespace lumo::authoring::ui
