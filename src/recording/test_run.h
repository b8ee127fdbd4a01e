#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/colors.h"
#include "core/process_priority.h"
#include "device/calibration_store.h"
#include "formats/chart_block.h"
#include "formats/screen_settings.h"
#include "recording/skin_filter.h"
#include "recording/test_run_timers.h"

namespace lumo::core {
class Settings;
class TQstTest;
class Workstation;
}  // namespace lumo::core

namespace lumo::device {
class SerialLink;
class TLumoDevice_7_2;
class TunedChannel;
}  // namespace lumo::device

namespace lumo::recording {

class ChartWriter;

// Phases of a test, numbered as the chart's history knows them.
enum class TestPhase : std::uint8_t {
    Settling = 0,    // link up, channels settle, nothing recorded
    Opening = 5,     // recording; 15 s before the first question
    Ready = 6,       // a question may be asked
    Question = 7,    // question asked, its time runs
    AnswerWait = 8,  // question ended, answer awaited
    Reaction = 9,    // answer given, reaction recorded
    Closing = 10,    // 15 s after the last question, still recording
};

// The keys the test window passes on (Alt+F4 arrives as Escape). The artefact
// buttons arrive as F5 ... F8, "!" as Space, "+" as Right, "-" as Left, "X" as Escape.
enum class TestKey { Space, Right, Left, F1, F2, F3, F5, F6, F7, F8, F9, Escape };

// How a test window ended.
enum class TestOutcome {
    Running,
    Saved,       // chart, screen settings and results table written
    Discarded,   // chart deleted (aborted, denied, too few questions, no data)
    Cancelled,   // the unit or the opening failed: closed with Cancel
    SaveFailed,  // saving raised; what was written stays on disk
};

using core::NoPriority;
using core::ProcessPriority;

// Labels drawn on the chart at the current column.
enum class EventKind { Boundary = 0, Question = 1, Answer = 2, Ready = 3, Artefact = 4 };

struct EventLabel {
    EventKind kind = EventKind::Boundary;
    std::string text;          // "X", "XX", "(+sign)", "(+)", an artefact caption; "" for a plain line
    std::string top;           // presentation number on an asked question, else ""
    bool typeColoured = false; // text and top in `colour` (the question's type colour); else white
    core::Rgb colour{255, 255, 255};
};

// What one packet period brought: everything the display draws from.
struct PeriodSample {
    std::array<float, 7> values{};                // ChannelValue of the unit's channels 0 ... 6
    std::array<formats::TChartBlock, 8> blocks{};  // current blocks of channels 0 ... 6, derived channel 7
    float level = 0;                              // the skin-resistance filter level (channel 7's source)
    std::int32_t counter = 0;                     // sample counter, 1/32 s, after this period's +4
    std::uint32_t unitCounter = 0;                // the unit's packet counter
    TestPhase phase = TestPhase::Settling;
    bool recording = false;                       // a record was written for this period
    std::int32_t time = 0;                        // counter - start index while recording
    std::uint16_t mark = 0;                       // the record's mark word (0 when none)
};

// The progress bar.
struct ProgressState {
    bool running = false;
    bool red = true;       // red while opening and closing, green otherwise
    int position = 0;
    int maximum = 0;
};

// One entry of the question list, in list order (the sequence's order).
struct QuestionEntry {
    int question = 0;        // index in the question set, 1 ... 20
    std::string sign;
    std::string answer;      // expected answer, "+" or "-"
    core::Rgb colour{};      // the sign's type colour
    int type = 0;
    int presentations = 0;   // 0 ... 3; shown blank while 0
    std::string line1, line2;
};

struct QuestionListState {
    std::vector<QuestionEntry> entries;
    int selected = 0;        // list position
    bool enabled = true;
    bool framed = false;     // the white frame around the selection (phase Ready)
};

// One question presentation as the results table keeps it.
struct Presentation {
    int question = 0;               // index in the question set
    std::string answer = " ";       // "+", "-" or " "
    std::uint32_t onset = 0;        // 1/32 s from the start
    std::array<float, 10> readings{};  // skin resistance (kOhm) 1 ... 10 s after the onset
};

// Texts of the two small dialogs, in the current language.
struct ChoiceTexts {
    std::string caption;
    std::string question;
    std::string yes;
    std::string yesHint;
    std::string no;
};

// What the display had at the start, for the screen-settings file.
struct ScreenStart {
    std::array<std::int32_t, formats::kScreenChannels> bandHeights{};
    std::array<formats::ScreenEvent, formats::kScreenChannels> events{};  // channels 0 ... 7, time 0
};

// What the display keeps for the next test (written back to the settings).
struct DisplayKeep {
    int speedEntry = 0;                            // 0 ... 3
    std::array<int, formats::kScreenChannels> top{};        // Test_iMin i, per mille, drag applied
    std::array<int, formats::kScreenChannels> bottom{};     // Test_iMax i
    std::array<int, formats::kScreenChannels> gain{};       // DefScrGain i, 0 ... 9
};

// The test window: it draws and asks what the run tells it. Every call comes
// on the thread that drives the run.
class TestRunView {
public:
    virtual ~TestRunView() = default;

    virtual void setCaption(const std::string& text) = 0;
    virtual void phaseChanged(TestPhase phase) = 0;
    virtual void showMessage(const std::string& text) = 0;       // the message panel
    virtual void showWaitLabel(const std::string& text) = 0;     // "" empties it
    virtual void showResistance(const std::string& text) = 0;    // "R = 250 kOm"
    virtual void showTimeRemaining(const std::string& text) = 0;
    virtual void showProgress(const ProgressState& progress) = 0;
    virtual void showQuestionList(const QuestionListState& list) = 0;
    virtual void showAnswerButtons(bool shown) = 0;              // "!" and "X"
    virtual void enableSpeedList(bool enabled) = 0;
    virtual void focusQuestionList() = 0;

    // Draws one packet period and gives the screen-settings events of the
    // re-centrings it made on its own (AutoFit; none unless recording).
    virtual std::vector<formats::ScreenEvent> drawPeriod(const PeriodSample& sample) = 0;
    virtual void drawEvent(const EventLabel& label) = 0;
    // Re-centres every channel (F3, the centring button, the end of settling)
    // and gives the screen-settings events it made (none unless recording).
    virtual std::vector<formats::ScreenEvent> centreAllChannels() = 0;
    virtual ScreenStart screenStart() = 0;
    virtual DisplayKeep displayKeep() = 0;

    // Dialogs; each returns when the examiner has answered.
    virtual bool confirm(const std::string& text) = 0;                  // Yes/No
    virtual bool askContinue(const ChoiceTexts& texts) = 0;            // true: Continue
    virtual bool askKeepChart(const ChoiceTexts& texts) = 0;           // true: keep
    virtual void showError(const std::string& text) = 0;
    virtual void showInformation(const std::string& text) = 0;
    // The window should close now (after the current event); `cancelled` for the Cancel result.
    virtual void closeRequested(bool cancelled) = 0;
};

// What the main window sets before the test window opens.
struct TestRunSetup {
    std::filesystem::path examFile;  // ".../DAT/#0000001/exam_01.qs_"
    int sequence = 1;                // question order 1 ... 4
    int chart = 1;                   // chart number 1 ... 9
};

// One test: connects to the unit, keeps the channels tuned, presents the
// questions, records the chart and keeps or discards it.
class TestRun {
public:
    static constexpr int kSettlingCounts = 480;       // 15 s of 1/32 s
    static constexpr int kProgressInterval = 55;      // ms
    static constexpr int kClockInterval = 1000;       // ms
    static constexpr int kTestSeconds = 600;
    static constexpr int kMaxPresentations = 60;
    static constexpr int kMaxPerQuestion = 3;
    static constexpr int kMinDistinct = 4;

    TestRun(core::Workstation& workstation, device::SerialLink& link, TestTimers& timers, ProcessPriority& priority,
            TestRunView& view, TestRunSetup setup);
    // Runs the closing steps when the window did not.
    ~TestRun();
    TestRun(const TestRun&) = delete;
    TestRun& operator=(const TestRun&) = delete;

    // The opening steps (the window being shown). Failures are reported to
    // the view, which is asked to close.
    void open();
    // The closing steps (the window closing): idempotent.
    void close();

    // A key; true when the run took it.
    bool keyPressed(TestKey key);
    // A click on (or keyboard move to) a list entry; ignored while the list is disabled.
    void selectQuestion(int position);
    // The speed list changed to entry 0 ... 3.
    void speedChanged(int entry);
    // Screen-settings events the window made (drags, gains, centrings).
    void addScreenEvents(const std::vector<formats::ScreenEvent>& events);

    // State, for the window and tests.
    TestPhase phase() const { return phase_; }
    TestOutcome outcome() const { return outcome_; }
    bool paused() const { return paused_; }
    bool closed() const { return closed_; }
    std::int32_t sampleCounter() const { return counter_; }
    std::int32_t startIndex() const { return startIndex_; }
    int remainingSeconds() const { return remaining_; }
    int distinctQuestions() const { return distinct_; }
    const std::vector<Presentation>& presentations() const { return presentations_; }
    const QuestionListState& questionList() const { return list_; }
    int speedEntry() const { return speed_; }
    const device::ResistanceCalibration& calibration() const { return calibration_; }
    const std::filesystem::path& chartFile() const { return chartFile_; }
    std::filesystem::path screenFile() const;
    const std::filesystem::path& tableFile() const { return tableFile_; }
    // The artefact captions Art5 ... Art8 (buttons and labels).
    const std::array<std::string, 4>& artefactCaptions() const { return artefacts_; }
    // The driver, while the window is open (the unit picture, tests).
    device::TLumoDevice_7_2* driver() const { return driver_.get(); }

private:
    void readSettings();
    bool openUnit();
    void buildQuestionList();
    void createTuners();
    void restartTuning();

    void infoRead();
    void identRead();
    void sample();
    void linkError();
    void timerExpired(TestTimer timer);
    void progressTick();
    void clockTick();

    void startTest();
    void askQuestion();
    void endQuestion();
    void answer(bool yes);
    void artefact(int index);
    void abort();
    void togglePause();

    void setPhase(TestPhase phase);
    void startProgress(int seconds, bool red);
    void stopProgress();
    void showList();
    void selectNext();
    void questionTimeOver();
    void offerContinue();
    void keepOrDiscard(bool timeLimit);
    void enterClosing(bool timeLimit);
    void finishClosing();
    void saveChart();
    void deleteChart();
    void requestClose(bool cancelled);
    void writeRecord();
    void takeReading();
    void writeProtocolLog();
    void writeBackSettings();
    std::string text(int id) const;

    core::Workstation& workstation_;
    device::SerialLink& link_;
    TestTimers& timers_;
    ProcessPriority& priority_;
    TestRunView& view_;
    TestRunSetup setup_;

    std::unique_ptr<device::TLumoDevice_7_2> driver_;
    std::vector<std::unique_ptr<device::TunedChannel>> channels_;
    std::unique_ptr<core::TQstTest> questions_;
    std::unique_ptr<ChartWriter> writer_;

    TestPhase phase_ = TestPhase::Settling;
    TestOutcome outcome_ = TestOutcome::Running;
    std::int32_t counter_ = 0;
    std::int32_t startIndex_ = 0;
    std::int32_t lastOnset_ = -1;
    std::vector<Presentation> presentations_;
    QuestionListState list_;
    int distinct_ = 0;
    std::uint32_t mark_ = 0;  // summed events of the period; stored saturated at 65535
    bool afterStart_ = false;  // the record after the start's carries the speed code
    std::string date_, startTime_, endTime_;
    std::int64_t startMs_ = 0, endMs_ = 0;
    device::ResistanceCalibration calibration_;
    bool staleFlag_ = false;
    SkinFilter filter_;
    formats::TChartBlock derived_{};
    bool answerBeforeEnd_ = false;

    // Flags.
    bool paused_ = false;
    bool stopping_ = false;
    bool linkWasUp_ = false;
    bool linkFailed_ = false;
    bool unitOpen_ = false;
    bool openFailed_ = false;
    bool exhaustedAsked_ = false;
    bool timeLimitAsked_ = false;
    bool inDialog_ = false;
    bool opened_ = false;
    bool closed_ = false;
    bool closeRequested_ = false;
    bool linkErrorHooked_ = false;

    // Progress bar: started at, runs for.
    std::int64_t progressStart_ = 0;
    int progressLength_ = 0;
    bool progressRunning_ = false;
    bool progressRed_ = true;
    int remaining_ = kTestSeconds;

    // Settings read at opening.
    int questionTime_ = 20;
    int speed_ = 0;
    std::array<std::string, 4> artefacts_;
    std::array<int, 7> spyDelay_{};
    int deviceTimeout_ = 0;
    int dataTimeout_ = 0;

    std::filesystem::path chartFile_;
    std::filesystem::path tableFile_;
};

// The artefact captions Art5 ... Art8 in the settings' language.
std::array<std::string, 4> readArtefactCaptions(const core::Settings& settings);

// "S", "2", "3", "4" for the speed entries 0 ... 3, and back (anything else is entry 0).
std::string speedSetting(int entry);
int speedEntryFromSetting(const std::string& value);

// The skin-resistance label: "R = ???" when the channel is saturated, else
// "R < 20", "R = n" or "R > 1000", each with the unit text.
std::string resistanceText(const formats::TChartBlock& block, float value,
                           const device::ResistanceCalibration& calibration, const std::string& unit);

}  // namespace lumo::recording
