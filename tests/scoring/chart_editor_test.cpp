#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "core/question_set.h"
#include "core/file_size_limit.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "core/test_home.h"
#include "formats/results_table.h"
#include "scoring/chart_editor.h"
#include "scoring/chart_fixture.h"
#include "scoring/features.h"
#include "scoring/scoring_run.h"
#include "scoring/workspace.h"

namespace lumo::scoring {
namespace {

using test::testWorkspace;

class NullView : public ScoringView {
public:
    void showWarning(const std::string&) override {}
    void showError(const std::string&) override {}
};

// A scored exam of two charts (six rows each unless told) in a temporary
// home, and the editor on it, whose boxes and messages the tests record.
// Slots 1 and 6 swap display places: box 0 stands for the skin channel.
class ChartEditorTest : public ::testing::Test {
protected:
    void score(std::vector<test::ChartFiles> charts = {}) {
        if (charts.empty()) {
            for (int k = 1; k <= 2; ++k) charts.push_back(test::regularChart(recipe_.signs, 6, static_cast<std::uint32_t>(k)));
        }
        recipe_.charts = std::move(charts);
        recipe_.settings = {"ChSeq0=5", "ChSeq5=0", "Eng_Art7=Talk", "ChBackColor=BLACK"};
        test::writeExam(home_.path(), recipe_);
        settings_ = std::make_unique<core::Settings>(home_.path());
        settings_->load();
        texts_ = std::make_unique<core::Texts>(strings_, *settings_);
        files_ = examFiles(test::examineeFolder(home_.path(), recipe_), recipe_.exam,
                           static_cast<int>(recipe_.charts.size()));
        NullView view;
        ASSERT_TRUE(ScoreExam(testWorkspace(), *settings_, *texts_, files_, view).success);
    }
    bool open() {
        ChartEditorSteps steps;
        steps.error = [this](const std::string& text) { errors.push_back(text); };
        steps.inform = [this](const std::string& text) { messages.push_back(text); };
        steps.confirm = [this](const std::string& text) {
            messages.push_back(text);
            return answer;
        };
        steps.openScoreBoard = [this](int row, int chart) { boards.push_back(std::to_string(row) + "*" + std::to_string(chart)); };
        steps.openResults = [this] { return answer; };
        editor = std::make_unique<ChartEditor>(testWorkspace(), *settings_, *texts_, files_, steps);
        return editor->open();
    }
    formats::TQtFile table(int chart) const {
        static std::unique_ptr<core::TQstTest> questions;
        questions = std::make_unique<core::TQstTest>(files_.questionSet, core::kExamTypeCounters,
                                                     core::QuestionTypes(*settings_));
        formats::TQtFile file(*questions);
        file.LoadFromFile(files_.tables[static_cast<std::size_t>(chart - 1)]);
        return file;
    }
    std::int64_t onset(int row) const { return testWorkspace().row(editor->chart(), row).onset; }
    // The pixel column of a sample on an image one pixel per sample wide.
    std::optional<int> rowAtSample(std::int64_t sample) const {
        const ChartSpan span = editor->span();
        return editor->rowAt(static_cast<double>(sample - span.first), static_cast<double>(span.last - span.first));
    }

    test::TempHome home_;
    test::ExamRecipe recipe_;
    core::StringTable strings_;
    std::unique_ptr<core::Settings> settings_;
    std::unique_ptr<core::Texts> texts_;
    ExamFiles files_;
    std::unique_ptr<ChartEditor> editor;
    std::vector<std::string> errors;
    std::vector<std::string> messages;
    std::vector<std::string> boards;
    bool answer = false;
};

TEST_F(ChartEditorTest, OpensOnChartOneAndWalksTheRowsWithQ) {
    score();
    ASSERT_TRUE(open());
    EXPECT_EQ(editor->chartCount(), 2);
    EXPECT_EQ(editor->chart(), 1);
    EXPECT_EQ(editor->row(), 1);
    EXPECT_EQ(editor->scale(), EditorScale::All);
    EXPECT_EQ(editor->dateText(), "07-03-2001");
    EXPECT_EQ(editor->timeText(), "10:00:00");
    EXPECT_EQ(editor->durationText(), std::to_string(recipe_.charts[0].recipe.seconds));
    EXPECT_EQ(editor->questionText(), " < 1 > < - > < + > < Question 1?");
    for (int q = 2; q <= 6; ++q) {
        editor->nextRow();
        EXPECT_EQ(editor->row(), q);
    }
    editor->nextRow();
    EXPECT_EQ(editor->row(), 1);

    ASSERT_TRUE(editor->selectChart(2));
    EXPECT_EQ(editor->row(), 1);
    EXPECT_FALSE(editor->selectChart(3));
    EXPECT_EQ(editor->chart(), 2);
}

TEST_F(ChartEditorTest, AClickFindsTheRowWhoseSegmentHoldsTheSample) {
    score();
    ASSERT_TRUE(open());
    EXPECT_EQ(rowAtSample(onset(6) + 300), 6);  // after the last onset
    EXPECT_EQ(rowAtSample(onset(2) + 1), 2);    // one sample after an onset
    EXPECT_EQ(rowAtSample(onset(3) - 1), 2);
    EXPECT_EQ(rowAtSample(onset(3)), 3);         // on an onset: the row starting there
    EXPECT_EQ(rowAtSample(onset(1) - 1), std::nullopt);  // before the first question

    // The sample is rounded from the pixel column, halves to even.
    const ChartSpan span = editor->span();
    const double width = static_cast<double>(span.last - span.first) * 2;
    EXPECT_EQ(editor->rowAt(static_cast<double>(onset(4) - span.first) * 2 - 1, width), 4);  // x.5 -> even
    EXPECT_EQ(editor->rowAt(static_cast<double>(onset(4) - span.first) * 2 - 3, width), 3);

    editor->leftClick(static_cast<double>(onset(5) + 10 - span.first), static_cast<double>(span.last - span.first));
    EXPECT_EQ(editor->row(), 5);
    editor->rightClick(static_cast<double>(onset(2) + 10 - span.first), static_cast<double>(span.last - span.first));
    editor->rightClick(0, 100);  // before the first onset: nothing
    editor->openScoreBoard();
    EXPECT_EQ(boards, (std::vector<std::string>{"2*1", "5*1"}));
    EXPECT_EQ(editor->row(), 5);

    // In the one-question view the image spans the current row alone.
    editor->setScale(EditorScale::One);
    EXPECT_EQ(editor->span(), (ChartSpan{onset(5), onset(6)}));
    EXPECT_EQ(editor->rowAt(0, 1000), 5);
    EXPECT_EQ(editor->rowAt(1000, 1000), 6);
}

TEST_F(ChartEditorTest, ExcludingTheSkinChannelForRowThreeReachesTheTableOnlyOnSave) {
    score();
    ASSERT_TRUE(open());
    ASSERT_EQ(editor->boxSlot(0), 6);
    ASSERT_EQ(editor->boxSlot(5), 1);
    editor->setRow(3);
    EXPECT_FALSE(editor->boxChecked(0));
    const int n = testWorkspace().chart(1).sampleCount;
    const float* loaded = testWorkspace().samples(1, 6);
    const float* normalised = testWorkspace().normalised(1, 6);
    const auto constant = [&](std::int64_t from, std::int64_t to) {
        return std::all_of(normalised + from, normalised + to + 1, [&](float v) { return v == normalised[from]; });
    };
    ASSERT_FALSE(constant(onset(3), onset(4)));

    editor->setBox(0, true);
    EXPECT_TRUE(editor->boxChecked(0));
    EXPECT_EQ(testWorkspace().flag(1, 3, 6), 1);
    // Row 3's segment holds the slot's rounded mean before it is scaled: one
    // value throughout, standing among the other samples as the mean does.
    EXPECT_TRUE(constant(onset(3), onset(4)));
    double sum = 0;
    for (int p = 1; p <= n; ++p) sum += loaded[p];
    const double blank = std::nearbyint(static_cast<float>(sum / n));
    const float shown = normalised[onset(3)];
    for (std::int64_t p = onset(1); p <= onset(6) + 640; ++p) {
        if (p >= onset(3) && p <= onset(4)) continue;
        if (loaded[p] < blank) {
            ASSERT_LE(normalised[p], shown) << p;
        } else if (loaded[p] > blank) {
            ASSERT_GE(normalised[p], shown) << p;
        }
    }
    EXPECT_GT(shown, 0.0f);
    EXPECT_LT(shown, 4096.0f);
    const float* other = testWorkspace().normalised(1, 1);
    EXPECT_FALSE(std::all_of(other + onset(3), other + onset(4), [&](float v) { return v == other[onset(3)]; }));
    EXPECT_EQ(table(1).Flag(3, 6), 0);  // nothing on disk yet
    EXPECT_GT(testWorkspace().features()(1, 3, 4), -500.0f);

    editor->save();
    EXPECT_EQ(messages, (std::vector<std::string>{"Changes are saved successfully"}));
    const formats::TQtFile saved = table(1);
    EXPECT_EQ(saved.Flag(3, 6), 1);
    EXPECT_EQ(saved.Flag(2, 6), 0);
    EXPECT_EQ(saved.Flag(3, 1), 0);
    for (int f = 4; f <= 6; ++f) {
        EXPECT_EQ(testWorkspace().features()(1, 3, f), kCodeExcluded) << f;
        // The saved features are the ones the new flags give.
        EXPECT_EQ(saved.SavedFeature(3, f), kCodeExcluded) << f;
    }
    EXPECT_GT(testWorkspace().features()(1, 3, 1), -500.0f);
    EXPECT_EQ(table(2).Flag(3, 6), 0);
    EXPECT_TRUE(editor->boxChecked(0));
}

TEST_F(ChartEditorTest, ReanalysisGivesWhatANewScoringRunOfTheSavedTablesGives) {
    score();
    ASSERT_TRUE(open());
    // Three rows without the skin channel make its features of the other
    // rows unreliable (-1005); excluding another row afterwards must give
    // that row the exclusion code, not keep the earlier one.
    for (int row : {1, 2, 4}) {
        editor->setRow(row);
        editor->setBox(0, true);
    }
    editor->save();
    ASSERT_EQ(testWorkspace().features()(1, 6, 4), kCodeUnreliable);
    for (int row : {1, 2, 4}) {
        editor->setRow(row);
        editor->setBox(0, false);
    }
    editor->setRow(6);
    editor->setBox(0, true);
    editor->save();
    EXPECT_EQ(testWorkspace().features()(1, 6, 4), kCodeExcluded);
    EXPECT_GT(testWorkspace().features()(1, 1, 4), -500.0f);

    const auto analysis = [] {
        std::vector<float> cells;
        for (int c = 1; c <= 2; ++c) {
            for (int r = 1; r <= 6; ++r) {
                for (int f = 1; f <= kTotalSlot; ++f) {
                    cells.push_back(testWorkspace().features()(c, r, f));
                    cells.push_back(testWorkspace().stressMarks()(c, r, f));
                }
            }
        }
        return cells;
    };
    const std::vector<float> edited = analysis();
    NullView view;
    ASSERT_TRUE(ScoreExam(testWorkspace(), *settings_, *texts_, files_, view).success);
    EXPECT_EQ(edited, analysis());
}

TEST_F(ChartEditorTest, GainsViewCaptionsTheBoxesWithTheSlotsGains) {
    score();
    ASSERT_TRUE(open());
    EXPECT_EQ(editor->boxGroupCaption(), "Chan-s");
    EXPECT_EQ(editor->boxGroupHint(), "Check channel to delete cell");
    EXPECT_EQ(editor->boxCaption(0), "Channel5");
    EXPECT_EQ(editor->boxCaption(1), "Channel1");
    editor->showGains(true);
    EXPECT_EQ(editor->boxGroupCaption(), "Gains");
    EXPECT_EQ(editor->boxGroupHint(), "Screen gain of channel");
    for (int box = 0; box < kBandCount; ++box) {
        EXPECT_EQ(editor->boxCaption(box), gainText(testWorkspace().chart(1).gain[static_cast<std::size_t>(editor->boxSlot(box))]));
    }
    editor->showGains(false);
    EXPECT_EQ(editor->boxCaption(0), "Channel5");

    EXPECT_EQ(gainText(2.5f), " 2.5");
    EXPECT_EQ(gainText(99.9f), "99.9");
    EXPECT_EQ(gainText(12.34f), "12.3");
    EXPECT_EQ(gainText(0.96f), " 1.0");
}

TEST_F(ChartEditorTest, ChartsWithoutRowsAndExamsWithoutCharts) {
    std::vector<test::ChartFiles> charts = {test::regularChart(recipe_.signs, 4, 1), test::regularChart(recipe_.signs, 4, 2)};
    charts[1].rows.clear();
    score(charts);
    ASSERT_TRUE(open());
    editor->setRow(3);
    editor->setBox(2, true);
    // A chart without questions says so and leaves the editor where it was.
    EXPECT_FALSE(editor->selectChart(2));
    EXPECT_EQ(messages, (std::vector<std::string>{"Questions amount = 0"}));
    EXPECT_EQ(editor->chart(), 1);
    EXPECT_EQ(editor->row(), 3);
    EXPECT_TRUE(editor->boxChecked(2));
    EXPECT_FALSE(editor->closed());

    // On opening there is nothing to go back to: the editor closes.
    testWorkspace().chart(1).rowCount = 0;
    messages.clear();
    EXPECT_FALSE(open());
    EXPECT_TRUE(editor->closed());
    EXPECT_EQ(messages, (std::vector<std::string>{"Questions amount = 0"}));

    testWorkspace().chartCount = 0;
    EXPECT_FALSE(open());
    EXPECT_EQ(errors, (std::vector<std::string>{"Charts not found"}));
}

TEST_F(ChartEditorTest, ExitAsksAndTheResultsWindowsMainMenuCloses) {
    score();
    ASSERT_TRUE(open());
    answer = false;
    editor->exit();
    EXPECT_FALSE(editor->closed());
    editor->openResults();
    EXPECT_FALSE(editor->closed());
    EXPECT_EQ(messages, (std::vector<std::string>{"Exit without save ?"}));
    answer = true;
    editor->openResults();
    EXPECT_TRUE(editor->closed());
    ASSERT_TRUE(open());
    editor->exit();
    EXPECT_TRUE(editor->closed());
}

TEST_F(ChartEditorTest, ASaveThatCannotWriteLeavesTheTableAsItWas) {
    score();
    ASSERT_TRUE(open());
    const std::string before = test::readFile(files_.tables[0]);
    editor->setRow(2);
    editor->setBox(0, true);
    {
        const test::FileSizeLimit full(1024);
        EXPECT_ANY_THROW(editor->save());
    }
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(test::readFile(files_.tables[0]), before);
    editor->save();
    EXPECT_EQ(table(1).Flag(2, 6), 1);
}

// The picture of a chart set up by hand: 6000 samples, rows at 1000, 2000,
// 3000 and 4000, identity display order but slot 2 on top.
class ChartEditorPictureTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::prepareChart(workspace, 1, 6000, {1000, 2000, 3000, 4000});
        ChannelSettings& channels = workspace.channels();
        for (int slot = 1; slot <= kSignalSlots; ++slot) {
            channels.order[static_cast<std::size_t>(slot)] = slot;
            channels.colour[static_cast<std::size_t>(slot)] = core::Rgb{static_cast<std::uint8_t>(slot), 0, 0};
        }
        channels.order[1] = 2;
        channels.order[2] = 1;
        channels.background = core::Rgb{0, 0, 128};
        const char* signs[] = {" N1", " C1", " R1", " C2"};
        for (int r = 1; r <= 4; ++r) {
            workspace.row(1, r).sign = signs[r - 1];
            for (int f = 0; f <= kTotalSlot; ++f) workspace.stressMarks()(1, r, f) = 0;
        }
        style.questionColours[3] = core::Rgb{255, 0, 0};
        style.artefacts = {"Move", "Cough", "Talk", "Sigh"};
        style.relax = "Relax";
        style.stress = "Stress";
        style.missingTotal = "Af";
    }
    ChartEditorPicture picture(int row, EditorScale scale) const {
        return chartEditorPicture(workspace, 1, row, scale, style);
    }
    static std::vector<PictureText> textsAt(const ChartEditorPicture& picture, double y) {
        std::vector<PictureText> found;
        for (const PictureText& text : picture.texts) {
            if (text.y == y) found.push_back(text);
        }
        return found;
    }

    ScoringWorkspace& workspace = testWorkspace();
    PictureStyle style;
};

TEST_F(ChartEditorPictureTest, SpansOfTheThreeScales) {
    const ChartEditorPicture all = picture(2, EditorScale::All);
    EXPECT_EQ(all.span, (ChartSpan{64, 6000 - 64}));
    ASSERT_EQ(all.traces.size(), 8u);
    EXPECT_EQ(all.traces[0].points.size(), static_cast<std::size_t>((5936 - 64) / 2 + 1));  // every second sample
    EXPECT_EQ(all.traces[0].points[1].x, 66.0f);
    // Normalised 2048 in the middle of the slot's band; slot 2 on top.
    EXPECT_EQ(all.traces[1].points[0].y, 2048.0f);
    EXPECT_EQ(all.traces[0].points[0].y, 4096.0f + 2048.0f);
    EXPECT_EQ(all.traces[7].points[0].y, 7 * 4096.0f + 2048.0f);
    EXPECT_EQ(all.traces[3].colour, (core::Rgb{4, 0, 0}));
    EXPECT_EQ(all.background, (core::Rgb{0, 0, 128}));
    EXPECT_EQ(all.lines.size(), 4u);  // every onset in the span
    ASSERT_TRUE(all.frame);
    EXPECT_EQ(all.frame->left, 2000);
    EXPECT_EQ(all.frame->right, 3000);
    EXPECT_EQ(all.frame->colour, (core::Rgb{255, 255, 255}));

    const ChartEditorPicture one = picture(4, EditorScale::One);
    EXPECT_EQ(one.span, (ChartSpan{4000, 6000}));  // the last row runs to the end
    EXPECT_EQ(one.traces[0].points.size(), 2001u);
    EXPECT_EQ(one.lines.size(), 1u);
    EXPECT_EQ(picture(2, EditorScale::One).span, (ChartSpan{2000, 3000}));

    EXPECT_EQ(picture(1, EditorScale::Three).span, (ChartSpan{1000, 4000}));  // rows 1 ... 3
    EXPECT_EQ(picture(2, EditorScale::Three).span, (ChartSpan{1000, 4000}));
    EXPECT_EQ(picture(3, EditorScale::Three).span, (ChartSpan{2000, 6000}));  // rows 2 ... 4
    EXPECT_EQ(picture(4, EditorScale::Three).span, (ChartSpan{2000, 6000}));
    EXPECT_EQ(picture(4, EditorScale::Three).lines.size(), 3u);

    // One row: "3 >" shows that row alone.
    test::prepareChart(workspace, 1, 3000, {1000});
    const ChartEditorPicture single = picture(1, EditorScale::Three);
    EXPECT_EQ(single.span, (ChartSpan{1000, 3000}));
    EXPECT_EQ(single.lines.size(), 1u);
    EXPECT_EQ(textsAt(single, kSignalUnits + 96).size(), 1u);
}

TEST_F(ChartEditorPictureTest, StressBarsLabelsAndArtefactMarks) {
    workspace.stressMarks()(1, 1, kTotalSlot) = 2;
    workspace.stressMarks()(1, 2, kTotalSlot) = -3;
    workspace.stressMarks()(1, 4, kTotalSlot) = kCodeDropped;
    workspace.samples(1, kMarkSlot)[2500] = 7000;     // artefact mark 2
    workspace.samples(1, kMarkSlot)[2600] = 4000;     // an answer: no artefact
    workspace.samples(1, kMarkSlot)[2700] = 37000;    // a speed code: none either
    workspace.samples(1, kMarkSlot)[2800] = 9003;     // artefact mark 4 in second 3
    const ChartEditorPicture all = picture(1, EditorScale::All);

    ASSERT_EQ(all.bars.size(), 2u);  // row 3's total is 0, row 4's missing
    EXPECT_EQ(all.bars[0], (PictureRect{1010, 1060, kBarBase, kBarBase + 1200, core::Rgb{0, 255, 0}}));
    EXPECT_EQ(all.bars[1], (PictureRect{2010, 2060, kBarBase, kBarBase - 1800, core::Rgb{255, 0, 0}}));
    std::vector<std::string> labels;
    for (const PictureText& text : textsAt(all, kBarBase)) labels.push_back(text.text);
    EXPECT_EQ(labels, (std::vector<std::string>{"2.0", "-3.0", "0.0", "Af"}));

    const std::vector<PictureText> signs = textsAt(all, kSignalUnits + 96);
    ASSERT_EQ(signs.size(), 4u);
    EXPECT_EQ(signs[2].text, " R1");
    EXPECT_TRUE(signs[2].bold);
    EXPECT_EQ(signs[2].colour, (core::Rgb{255, 0, 0}));
    EXPECT_EQ(signs[2].x, 3000);
    const std::vector<PictureText> numbers = textsAt(all, kSignalUnits + 96 + kLabelUnits / 2.0);
    ASSERT_EQ(numbers.size(), 4u);
    EXPECT_EQ(numbers[3].text, "4");
    EXPECT_EQ(numbers[3].colour, (core::Rgb{128, 128, 128}));

    std::vector<PictureLine> hatched;
    std::copy_if(all.lines.begin(), all.lines.end(), std::back_inserter(hatched),
                 [](const PictureLine& line) { return line.style == LineStyle::Hatched; });
    ASSERT_EQ(hatched.size(), 2u);
    EXPECT_EQ(hatched[0].x, 2500);
    EXPECT_EQ(hatched[1].x, 2800);
    EXPECT_EQ(hatched[0].colour, (core::Rgb{255, 255, 255}));  // on the dark background
    std::vector<std::string> names;
    for (const PictureText& text : textsAt(all, 0)) names.push_back(text.text);
    EXPECT_EQ(names, (std::vector<std::string>{"Cough", "Sigh"}));

    const std::vector<PictureText> stress = textsAt(all, kBarTop);
    ASSERT_EQ(stress.size(), 1u);
    EXPECT_EQ(stress[0].text, "Stress");
    EXPECT_EQ(textsAt(all, kBarBottom).at(0).text, "Relax");

    // Longer bars stop at the strip's edge.
    workspace.stressMarks()(1, 1, kTotalSlot) = 12;
    EXPECT_EQ(picture(1, EditorScale::All).bars[0].bottom, kBarBottom);
    EXPECT_EQ(stressTotalText(1.5f, "Af"), "1.5");
}

}  // namespace
}  // namespace lumo::scoring
