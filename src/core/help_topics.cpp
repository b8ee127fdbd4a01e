#include "core/help_topics.h"

#include <algorithm>

namespace lumo::core {

namespace {

constexpr HelpTopic kTopics[] = {
    // Main window, start-up and the help window
    {"TfrmMain", "main_window.html"},
    // The splash closes on any key, F1 included; nothing may open while the
    // program starts or shuts down under the progress window.
    {"TfrmAbout", "about.html#about", true},
    {"TfrmProgress", "about.html#progress", true},
    {"HelpViewer", "using_help.html"},

    // Examinees, examiners, crimes, system parameters, archive
    {"TfrmSubjects", "examinee_chooser.html"},
    {"TfrmSubjNew", "new_examinee.html"},
    {"TfrmSubjEdit", "edit_examinee.html"},
    {"TfrmCrimeEdit", "crime_list.html"},
    {"TfrmUsers", "examiners_list.html"},
    {"TfrmSystemFile", "system_parameters.html"},
    {"TfrmArchDir", "archive_folder.html"},
    {"TfrmArchive", "archiver.html"},

    // Templates, question base, exams and orders
    {"TfrmMethod", "method_chooser.html"},
    {"TfrmQstNew", "question_editor.html"},
    {"TfrmQstEdit", "template_chooser.html"},
    {"TfrmAddBase", "base_filling.html"},
    {"TfrmBankEdit", "question_base.html"},
    {"TfrmBankNew", "topic_dialogs.html#new"},
    {"TfrmThemeEdit", "topic_dialogs.html#edit"},
    {"TfrmQstList", "exam_chooser.html"},
    {"TfrmExamEdit", "exam_editor.html"},
    {"TfrmTestOrder", "question_order.html"},
    {"ExamNameBox", "template_name.html"},

    // Unit, state estimate, test
    {"TfrmCalibrate", "calibrate_unit.html"},
    {"TfrmState", "state_estimate.html"},
    {"TfrmBaevsky", "state_summary.html", true},  // any key closes it
    // F1 is one of the test window's keys: it is ignored there, so that no
    // help page covers the chart while the examinee is being recorded.
    {"TfrmTest", "test_window.html", true},
    {"TfrmContTest", "test_end.html#continue"},
    {"TfrmSave", "test_end.html#save"},
    {"TfrmTablo", "stress_anatomy.html"},

    // Scoring and review
    {"TfrmChooseChart", "chart_chooser.html"},
    {"TfrmResult", "exam_results.html"},
    {"TfrmEdit", "chart_editor.html"},
    {"TfrmQtView", "hand_results.html"},
    {"TfrmScrlRes", "chart_review.html", false, true},
    {"TfrmScrlPar", "compare_charts.html", false, true},
};

}  // namespace

std::span<const HelpTopic> helpTopics() {
    return kTopics;
}

std::string_view bareClassName(std::string_view qualifiedName) {
    const auto colons = qualifiedName.rfind("::");
    return colons == std::string_view::npos ? qualifiedName : qualifiedName.substr(colons + 2);
}

const HelpTopic* helpTopicFor(std::string_view windowClass) {
    const std::string_view name = bareClassName(windowClass);
    const auto* found = std::find_if(std::begin(kTopics), std::end(kTopics),
                                     [name](const HelpTopic& topic) { return topic.windowClass == name; });
    return found == std::end(kTopics) ? nullptr : found;
}

std::string_view pageFile(std::string_view page) {
    return page.substr(0, page.find('#'));
}

}  // namespace lumo::core
