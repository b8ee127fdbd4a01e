#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings.h"
#include "core/string_table.h"
#include "core/test_home.h"
#include "review/scroll_par_picture.h"
#include "review/scroll_par_view.h"

namespace lumo::test {

// A chart file written record by record: the unit's constants make every
// value equal to its converter reading. Channel 0 is the fast one (points
// 4m ... 4m + 3 of record m), the slow channels' record m lands on point 4m.
struct ParChartRecipe {
    int records = 100;
    int channels = 8;
    std::function<int(int channel, int point)> adc = [](int, int) { return 0; };
    std::map<int, std::uint16_t> marks;  // record -> mark word (at point 4 x record)
};
std::string parChartBytes(const ParChartRecipe& recipe);

struct ParTableRow {
    int question = 1;
    std::string mark = "+";
    std::uint32_t onset = 0;
};

// Eight character pixels wide and sixteen tall, whatever the text.
class FixedMeasure : public review::ParTextMeasure {
public:
    int width(std::string_view text) const override { return 8 * static_cast<int>(text.size()); }
    int height() const override { return 16; }
};

// Exam 01 of examinee #0000001 in a temporary data home: the questions
// " R1" (answer "-"), " C1", " R2" and " N1", every channel shown in its own
// slot, "*" the sign of type 7 (grey), relevant questions red.
class ParExam {
public:
    explicit ParExam(const std::vector<std::string>& settings = {});

    std::filesystem::path folder() const;
    std::filesystem::path file(const std::string& extension) const;
    void writeChart(int digit, const ParChartRecipe& recipe) const;
    void writeTable(int digit, const std::vector<ParTableRow>& rows, std::uint32_t samples) const;
    // The screen-settings file with the eight events at the start.
    void writeScreen(int digit, const std::array<std::uint8_t, 8>& gains) const;

    // The view on chart `digit`, opened with panels of the given client size.
    std::unique_ptr<review::ParameterScroll> open(int digit, int width = 400, int height = 300,
                                                  int scrollBar = 16);
    const std::string& openingProblems() const { return problems_; }

    TempHome home;
    std::unique_ptr<core::Settings> settings;
    core::StringTable strings;
    std::unique_ptr<core::Texts> texts;
    FixedMeasure measure;

private:
    std::string problems_;
};

// Items of one kind in a strip, in order.
template <typename Item>
std::vector<Item> itemsOf(const review::ParStrip& strip) {
    std::vector<Item> found;
    for (const review::ParItem& item : strip.items) {
        if (const Item* one = std::get_if<Item>(&item)) found.push_back(*one);
    }
    return found;
}

// The trace of a channel in a strip, if it has one.
std::optional<review::ParTrace> traceOf(const review::ParStrip& strip, int channel);

// Grey vertical lines over the whole height, by x.
std::vector<int> markLines(const review::ParStrip& strip);
// x of every grid line.
std::vector<int> gridLines(const review::ParStrip& strip);

}  // namespace lumo::test
