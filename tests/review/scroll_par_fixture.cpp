#include "review/scroll_par_fixture.h"

#include <algorithm>

#include "core/paths.h"
#include "core/question_set.h"
#include "formats/chart.h"
#include "formats/results_table.h"
#include "formats/screen_settings.h"
#include "review/chart_files.h"

namespace lumo::test {

namespace fs = std::filesystem;

std::string parChartBytes(const ParChartRecipe& recipe) {
    const std::vector<float> gains(8, 1.0f);
    std::string bytes = formats::chartSignature() + formats::encodeChartHeader(recipe.channels, 1, 0, 0, 0, gains);
    for (int m = 0; m < recipe.records; ++m) {
        std::vector<formats::TChartBlock> fast;
        std::vector<formats::TChartBlock> slow;
        for (int s = 0; s < 4; ++s) fast.push_back({0, static_cast<std::int16_t>(recipe.adc(0, 4 * m + s)), 0});
        for (int c = 1; c < recipe.channels; ++c) slow.push_back({0, static_cast<std::int16_t>(recipe.adc(c, 4 * m)), 0});
        const auto mark = recipe.marks.find(m);
        formats::appendChartRecord(bytes, fast, slow, mark == recipe.marks.end() ? 0 : mark->second);
    }
    return bytes;
}

ParExam::ParExam(const std::vector<std::string>& extra) {
    std::vector<std::string> lines = {"Eng_QSign7=*", "Rus_QSign7=*", "QColor1=RED", "QColor3=LIME", "QColor4=WHITE",
                                      "QColor7=GRAY", "Eng_Art5=Move", "Eng_Art6=Cough", "Eng_Art7=Talk",
                                      "Eng_Art8=Sigh"};
    for (int c = 0; c < 8; ++c) lines.push_back("ChVisible" + std::to_string(c) + "=1");
    for (const std::string& line : extra) {
        const std::string key = line.substr(0, line.find('=') + 1);
        const auto same = std::find_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(key, 0) == 0; });
        if (same != lines.end()) {
            *same = line;
        } else {
            lines.push_back(line);
        }
    }
    writeMinimalIni(home.path(), lines);
    settings = std::make_unique<core::Settings>(home.path());
    settings->load();
    texts = std::make_unique<core::Texts>(strings, *settings);

    core::TQstTest set{core::QuestionTypes(*settings)};
    set.method = 1;
    set.examineeName = "Petrov";
    set.date = "07-03-2001";
    const char* signs[] = {" R1", " C1", " R2", " N1"};
    for (int i = 0; i < 4; ++i) {
        core::TQsHandle question;
        question.number = " " + std::to_string(i + 1);
        question.sign = signs[i];
        question.answer = i == 0 ? "-" : "+";
        question.textPart1 = "Question " + std::to_string(i + 1) + "?";
        set.questions.push_back(question);
    }
    fs::create_directories(folder());
    set.save(file("qs_"));
}

fs::path ParExam::folder() const {
    return home.path() / "DAT" / "#0000001";
}

fs::path ParExam::file(const std::string& extension) const {
    return folder() / ("exam_01." + extension);
}

void ParExam::writeChart(int digit, const ParChartRecipe& recipe) const {
    writeFile(file("ch" + std::to_string(digit)), parChartBytes(recipe));
}

void ParExam::writeTable(int digit, const std::vector<ParTableRow>& rows, std::uint32_t samples) const {
    const core::TQstTest set(file("qs_"), core::kExamTypeCounters, core::QuestionTypes(*settings));
    formats::TQtFile table(set);
    table.sampleCount = samples;
    table.SetRowCount(static_cast<int>(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const int row = static_cast<int>(r) + 1;
        table.SetQuestionNumber(row, rows[r].question);
        table.SetRowMark(row, rows[r].mark.substr(rows[r].mark.size() > 1 ? 1 : 0));
        table.SetExcluded(row, rows[r].mark.find('*') != std::string::npos);
        table.SetOnset(row, rows[r].onset);
    }
    table.SaveToFile(file("qt" + std::to_string(digit)));
}

void ParExam::writeScreen(int digit, const std::array<std::uint8_t, 8>& gains) const {
    formats::ScreenSettings screen;
    screen.bandHeights.fill(100);
    for (int c = 0; c < 8; ++c) screen.events.push_back({0, c, gains[static_cast<std::size_t>(c)], 500, 0});
    formats::writeScreenSettingsFile(file("sc" + std::to_string(digit)), screen);
}

std::unique_ptr<review::ParameterScroll> ParExam::open(int digit, int width, int height, int scrollBar) {
    review::ReviewTarget target{core::resolvePath(folder(), "EXAM_01.ch" + std::to_string(digit)), "#0000001",
                                 "Petrov"};
    auto view = std::make_unique<review::ParameterScroll>(*settings, *texts, target);
    view->setResolution(96);
    view->setPanelSize(width, height, scrollBar);
    problems_ = view->open();
    return view;
}

std::optional<review::ParTrace> traceOf(const review::ParStrip& strip, int channel) {
    for (const review::ParTrace& trace : itemsOf<review::ParTrace>(strip)) {
        if (trace.channel == channel) return trace;
    }
    return std::nullopt;
}

std::vector<int> markLines(const review::ParStrip& strip) {
    std::vector<int> xs;
    for (const review::ParLine& line : itemsOf<review::ParLine>(strip)) {
        if (line.colour == core::Rgb{128, 128, 128} && line.from.x == line.to.x && line.from.y == 0 &&
            line.to.y == strip.height - 1) {
            xs.push_back(line.from.x);
        }
    }
    return xs;
}

std::vector<int> gridLines(const review::ParStrip& strip) {
    std::vector<int> xs;
    for (const review::ParDots& dots : itemsOf<review::ParDots>(strip)) xs.push_back(dots.x);
    return xs;
}

}  // namespace lumo::test
