// The test run: opening, the unit's notifications, saving and closing. The
// phases, keys and timers are in test_run_phases.cpp.
#include "recording/test_run.h"

#include <algorithm>
#include <cmath>

#include "core/errors.h"
#include "core/examinee.h"
#include "core/numbers.h"
#include "core/paths.h"
#include "core/question_set.h"
#include "core/template_conversion.h"
#include "core/text_format.h"
#include "core/texts/recording.h"
#include "core/workstation.h"
#include "device/channel_tuning.h"
#include "device/lumo_device.h"
#include "device/serial_link.h"
#include "formats/mark_word.h"
#include "formats/results_table.h"
#include "recording/protocol_log.h"
#include "recording/test_run_files.h"

namespace lumo::recording {

namespace fs = std::filesystem;

std::array<std::string, 4> readArtefactCaptions(const core::Settings& settings) {
    std::array<std::string, 4> captions;
    for (std::size_t i = 0; i < captions.size(); ++i) {
        captions[i] = settings.list().text(settings.prefixed("Art" + std::to_string(i + 5)));
    }
    return captions;
}

std::string speedSetting(int entry) {
    static const char* const kSettings[] = {"S", "2", "3", "4"};
    return kSettings[std::clamp(entry, 0, 3)];
}

int speedEntryFromSetting(const std::string& value) {
    const std::string trimmed = core::trimmed(value);
    if (trimmed == "2") return 1;
    if (trimmed == "3") return 2;
    if (trimmed == "4") return 3;
    return 0;
}

std::string resistanceText(const formats::TChartBlock& block, float value,
                           const device::ResistanceCalibration& calibration, const std::string& unit) {
    if (block.adc == 0 || block.adc == 4095) return "R = ???";
    const double kiloOhm = (double(value) - calibration.zeroRes) * calibration.propRes;
    if (!std::isfinite(kiloOhm)) return "R = ???";
    if (kiloOhm > 1e9) return "R > 1000" + unit;
    if (kiloOhm < -1e9) return "R < 20" + unit;
    const std::int64_t n = core::rnd(kiloOhm);
    if (n <= 19) return "R < 20" + unit;
    if (n <= 1000) return "R = " + std::to_string(n) + unit;
    return "R > 1000" + unit;
}

TestRun::TestRun(core::Workstation& workstation, device::SerialLink& link, TestTimers& timers,
                 ProcessPriority& priority, TestRunView& view, TestRunSetup setup)
    : workstation_(workstation), link_(link), timers_(timers), priority_(priority), view_(view),
      setup_(std::move(setup)) {
    timers_.onExpired = [this](TestTimer timer) { timerExpired(timer); };
}

TestRun::~TestRun() {
    try {
        close();
    } catch (...) {
        // Closing reports its own failures; a destructor must not throw.
    }
    timers_.onExpired = nullptr;
}

fs::path TestRun::screenFile() const {
    return chartFile_.empty() ? fs::path() : core::companionFile(chartFile_, "sc" + std::to_string(setup_.chart));
}

std::string TestRun::text(int id) const {
    return workstation_.texts()(id);
}

// ---------------------------------------------------------------- opening

void TestRun::open() {
    if (opened_) return;
    opened_ = true;
    paused_ = stopping_ = linkWasUp_ = linkFailed_ = unitOpen_ = openFailed_ = false;
    exhaustedAsked_ = timeLimitAsked_ = false;
    priority_.raise();
    try {
        link_.startTrafficLog(core::resolvePath(workstation_.home(), "frmTest.LOG"));
    } catch (const std::exception&) {
        // The traffic log is a diagnostic aid; the test runs without it.
    }

    try {
        readSettings();
    } catch (const std::exception& error) {
        view_.showError(core::formatText(text(txt::TestInitError), {std::string(error.what())}));
        openFailed_ = true;
        requestClose(true);
        return;
    }
    if (!openUnit()) return;
    createTuners();

    // Step 7: question types and colours; the clock shows the whole test.
    try {
        view_.showTimeRemaining(std::to_string(kTestSeconds));
        (void)core::QuestionTypes(workstation_.settings());
    } catch (const std::exception& error) {
        view_.showError(core::formatText(text(txt::TestInitError), {std::string(error.what())}));
        requestClose(true);
        return;
    }
    // Step 8: the question set.
    try {
        if (setup_.sequence < 1 || setup_.sequence > core::kOrderCount) {
            throw EListError(core::formatText(text(txt::TestInvalidSequence), {static_cast<long long>(setup_.sequence)}));
        }
        questions_ = std::make_unique<core::TQstTest>(setup_.examFile, core::kExamTypeCounters,
                                                       core::QuestionTypes(workstation_.settings()));
        if (questions_->questionCount() == 0) throw EListError(text(txt::TestNoQuestions));
    } catch (const std::exception& error) {
        view_.showError(core::formatText(text(txt::TestQuestionsLoadError), {std::string(error.what())}));
        requestClose(true);
        return;
    }
    // Step 9: chart number, caption, question list.
    try {
        if (setup_.chart < 1 || setup_.chart > 9) {
            throw EListError(core::formatText(text(txt::TestInvalidChartNumber), {static_cast<long long>(setup_.chart)}));
        }
        const std::string code = setup_.examFile.parent_path().filename().string();
        std::string name;
        const auto& current = workstation_.records().current();
        if (current.record.fileCode == code) {
            name = current.record.name;
        } else {
            try {
                name = core::readSubjectFile(core::resolvePath(setup_.examFile.parent_path(), "subject.dat"), code).name;
            } catch (const std::exception&) {
                name.clear();  // the caption just goes without the name
            }
        }
        view_.setCaption(core::formatText(text(txt::TestCaption), {code, setup_.examFile.stem().string(),
                                                                    static_cast<long long>(setup_.chart), name}));
        buildQuestionList();
        view_.showMessage(text(txt::TestSpaceToStart));
    } catch (const std::exception& error) {
        view_.showError(core::formatText(text(txt::TestUnitStartError), {std::string(error.what())}));
        requestClose(true);
        return;
    }
    // Step 10: the chart files.
    try {
        const std::string number = std::to_string(setup_.chart);
        chartFile_ = core::companionFile(setup_.examFile, "ch" + number);
        tableFile_ = core::companionFile(setup_.examFile, "qt" + number);
        writer_ = std::make_unique<ChartWriter>(chartFile_, screenFile());
        counter_ = startIndex_ = 0;
        lastOnset_ = -1;
    } catch (const std::exception& error) {
        view_.showError(text(txt::TestNoResourcesSave) + "\n" + error.what());
        outcome_ = TestOutcome::SaveFailed;
        requestClose(true);
    }
}

void TestRun::readSettings() {
    const core::Settings& settings = workstation_.settings();
    const core::SettingsList& list = settings.list();
    deviceTimeout_ = list.integer("DeviceTimeout");
    dataTimeout_ = list.integer("DataTimeout");
    questionTime_ = list.integer("QuestionTime");
    for (int i = 0; i < 7; ++i) spyDelay_[static_cast<std::size_t>(i)] = list.integer("SpyDelay" + std::to_string(i));
    artefacts_ = readArtefactCaptions(settings);
    speed_ = speedEntryFromSetting(list.value("Test_Speed"));
}

bool TestRun::openUnit() {
    driver_ = std::make_unique<device::TLumoDevice_7_2>(device::kUnitGeometry);
    driver_->DeviceTimeout = static_cast<std::uint16_t>(std::clamp(deviceTimeout_, 0, 65535));
    driver_->DataTimeout = static_cast<std::uint16_t>(std::clamp(dataTimeout_, 0, 65535));
    driver_->AttachPort(&link_);
    driver_->OnInfoRead = [this](device::TLumoDevice_7_2&) { infoRead(); };
    driver_->OnIdentRead = [this](device::TLumoDevice_7_2&) { identRead(); };
    driver_->OnSample = [this](device::TLumoDevice_7_2&) { sample(); };
    driver_->OnLinkError = [this](device::TLumoDevice_7_2&) { linkError(); };
    linkErrorHooked_ = true;
    try {
        driver_->Open();
        unitOpen_ = true;
    } catch (const std::exception& error) {
        openFailed_ = true;
        view_.showError(text(txt::TestMaybePortWrong) + ":\n" + error.what());
        requestClose(true);
        return false;
    }
    return true;
}

void TestRun::createTuners() {
    for (int channel = 0; channel < 7; ++channel) {
        channels_.push_back(
            std::make_unique<device::TunedChannel>(*driver_, channel, spyDelay_[static_cast<std::size_t>(channel)]));
    }
}

void TestRun::restartTuning() {
    for (const auto& channel : channels_) channel->restart();
}

void TestRun::buildQuestionList() {
    list_ = {};
    for (const int question : questions_->questionsInOrder(setup_.sequence)) {
        const core::TQsHandle& handle = questions_->question(question);
        QuestionEntry entry;
        entry.question = question;
        entry.sign = handle.sign;
        entry.answer = handle.answer;
        entry.type = questions_->questionType(question);
        entry.colour = questions_->types().signToColour(handle.sign);
        entry.line1 = handle.textPart1;
        entry.line2 = handle.textPart2;
        list_.entries.push_back(std::move(entry));
    }
    list_.selected = 0;
    list_.enabled = true;
    showList();
}

// ------------------------------------------------------- unit notifications

void TestRun::infoRead() {
    link_.stopTrafficLog();
    try {
        if (writer_) writer_->writeHeader(driver_->unitConstants());
    } catch (const std::exception& error) {
        view_.showError(text(txt::TestNoResourcesSave) + "\n" + error.what());
        outcome_ = TestOutcome::SaveFailed;
        stopping_ = true;
        requestClose(false);
        return;
    }
    restartTuning();
}

void TestRun::identRead() {
    const std::string ident = driver_->IdentPrefix() + driver_->IdentSuffix();
    calibration_ = device::readCalibration(workstation_.home(), ident, workstation_.clock().today());
    staleFlag_ = calibration_.stale;
}

void TestRun::sample() {
    if (closed_ || stopping_ || closeRequested_ || !writer_) return;
    linkWasUp_ = true;
    const formats::UnitConstants unit = driver_->unitConstants();
    const float skin = driver_->ChannelValue(5);
    const float level = filter_.push(skin, unit.dacZero);
    derived_ = derivedBlock(driver_->Samples[5], level, unit);
    if (staleFlag_) {
        // No valid calibration: the defaults hold from the next period on.
        calibration_ = device::ResistanceCalibration{};
        staleFlag_ = false;
        return;
    }
    view_.showResistance(resistanceText(driver_->Samples[5], skin, calibration_, text(txt::TestResistanceUnit)));
    if (paused_) return;

    counter_ += 4;
    PeriodSample period;
    for (int channel = 0; channel < 7; ++channel) {
        period.values[static_cast<std::size_t>(channel)] = driver_->ChannelValue(channel);
        period.blocks[static_cast<std::size_t>(channel)] = driver_->Samples[static_cast<std::size_t>(channel)];
    }
    period.blocks[7] = derived_;
    period.level = level;
    period.counter = counter_;
    period.unitCounter = driver_->lastCounter();
    period.phase = phase_;

    if (phase_ == TestPhase::Settling) {
        (void)view_.drawPeriod(period);
        if (counter_ < kSettlingCounts) {
            view_.showProgress({true, true, counter_, kSettlingCounts});
            view_.showMessage(text(txt::TestSensorsTuning));
        } else if (counter_ == kSettlingCounts) {
            (void)view_.centreAllChannels();
            view_.showProgress({});
            view_.showMessage(text(txt::TestSpaceToStart));
        }
        return;
    }

    period.recording = true;
    period.time = counter_ - startIndex_;
    period.mark = static_cast<std::uint16_t>(std::min<std::uint32_t>(mark_, 65535));
    try {
        writeRecord();
    } catch (const std::exception& error) {
        // The disk refused a block: keep what was written and stop.
        stopping_ = true;
        timers_.stop(TestTimer::Progress);
        timers_.stop(TestTimer::Clock);
        outcome_ = TestOutcome::SaveFailed;
        view_.showError(text(txt::TestNoResourcesSave) + "\n" + error.what());
        requestClose(false);
        return;
    }
    addScreenEvents(view_.drawPeriod(period));
}

void TestRun::writeRecord() {
    const std::array<formats::TChartBlock, 4> fast = {driver_->SubSamples[0][0], driver_->SubSamples[1][0],
                                                     driver_->SubSamples[2][0], driver_->Samples[0]};
    std::array<formats::TChartBlock, 7> slow;
    for (std::size_t channel = 1; channel < 7; ++channel) slow[channel - 1] = driver_->Samples[channel];
    slow[6] = derived_;
    writer_->appendRecord(fast, slow, static_cast<std::uint16_t>(std::min<std::uint32_t>(mark_, 65535)));
    mark_ = afterStart_ ? formats::speedMark(speed_) : 0u;
    afterStart_ = false;
    takeReading();
}

void TestRun::takeReading() {
    if (lastOnset_ == -1) return;
    const std::int32_t since = counter_ - lastOnset_;
    if (since % 32 != 0) return;
    const int p = since / 32;
    if (p > 10) {
        lastOnset_ = -1;
    } else if (p >= 1 && !presentations_.empty()) {
        const double kiloOhm = (double(driver_->ChannelValue(5)) - calibration_.zeroRes) * calibration_.propRes;
        presentations_.back().readings[static_cast<std::size_t>(p - 1)] = static_cast<float>(kiloOhm);
    }
}

void TestRun::linkError() {
    if (!linkErrorHooked_) return;
    // Reported once: the driver keeps trying to reconnect by itself.
    linkErrorHooked_ = false;
    if (driver_) driver_->OnLinkError = nullptr;
    view_.showError(text(txt::TestNoLink));
    if (!linkWasUp_) {
        linkFailed_ = true;
        deleteChart();
        requestClose(false);
    }
}

// ------------------------------------------------------ saving and closing

void TestRun::saveChart() {
    writer_->finish();
    formats::TQtFile table(*questions_);
    table.chartFile = chartFile_.string();
    table.examinee = questions_->examineeName;
    table.operatorName = questions_->operatorName;
    table.method = questions_->method;
    table.date = date_;
    table.started = startTime_;
    table.finished = endTime_;
    table.sampleCount = static_cast<std::uint32_t>(counter_ - startIndex_);
    const int rows = static_cast<int>(std::min<std::size_t>(presentations_.size(), formats::kMaxTableRows));
    table.SetRowCount(rows);
    table.questionTime = questionTime_;
    table.duration = static_cast<std::int32_t>(core::rnd(double(endMs_ - startMs_) / 1000.0));
    for (int row = 1; row <= rows; ++row) {
        const Presentation& p = presentations_[static_cast<std::size_t>(row - 1)];
        table.SetQuestionNumber(row, p.question);
        table.SetRowMark(row, p.answer);
        table.SetOnset(row, p.onset);
        for (int entry = 1; entry <= formats::kReadingEntries; ++entry) {
            table.SetReading(row, entry, p.readings[static_cast<std::size_t>(entry - 1)]);
        }
    }
    table.SaveToFile(tableFile_);
    outcome_ = TestOutcome::Saved;
}

void TestRun::deleteChart() {
    timers_.stop(TestTimer::Progress);
    timers_.stop(TestTimer::Clock);
    progressRunning_ = false;
    if (writer_) writer_->remove();
    writer_.reset();
    if (outcome_ == TestOutcome::Running) outcome_ = TestOutcome::Discarded;
}

void TestRun::requestClose(bool cancelled) {
    timers_.stop(TestTimer::Progress);
    timers_.stop(TestTimer::Clock);
    if (cancelled && outcome_ == TestOutcome::Running) outcome_ = TestOutcome::Cancelled;
    if (closeRequested_) return;
    closeRequested_ = true;
    view_.closeRequested(cancelled);
}

void TestRun::close() {
    if (closed_) return;
    closed_ = true;
    if (!opened_) return;
    timers_.stop(TestTimer::Progress);
    timers_.stop(TestTimer::Clock);
    // A window closed while still recording: a chart the examiner chose to
    // keep is saved at once; an undecided one is discarded as on abort.
    if (writer_ && outcome_ == TestOutcome::Running) {
        if (phase_ == TestPhase::Closing && distinct_ >= kMinDistinct) {
            endTime_ = workstation_.clock().timeOfDay();
            endMs_ = timers_.milliseconds();
            try {
                saveChart();
            } catch (const std::exception& error) {
                outcome_ = TestOutcome::SaveFailed;
                view_.showError(text(txt::TestNoResourcesSave) + "\n" + error.what());
            }
        } else {
            deleteChart();
        }
    }
    channels_.clear();
    if (driver_) {
        try {
            if (unitOpen_) {
                if (linkFailed_) {
                    driver_->Disconnect();
                } else {
                    driver_->Close();
                }
            }
        } catch (const std::exception&) {
            // The port is going away anyway.
        }
        driver_.reset();
    }
    link_.stopTrafficLog();
    writeProtocolLog();
    priority_.restore();
    if (!openFailed_) writeBackSettings();
    writer_.reset();
    if (outcome_ == TestOutcome::Running) outcome_ = TestOutcome::Cancelled;
}

void TestRun::writeProtocolLog() {
    std::vector<std::string> lines;
    const std::string code = setup_.examFile.parent_path().filename().string();
    lines.push_back(core::formatText(text(txt::TestProtocolHeader),
                                     {code, setup_.examFile.stem().string(), static_cast<long long>(setup_.chart),
                                      date_.empty() ? core::formatDate(workstation_.clock().today()) : date_,
                                      startTime_.empty() ? workstation_.clock().timeOfDay() : startTime_}));
    lines.push_back(core::formatText(text(txt::TestProtocolQuestions),
                                     {static_cast<long long>(presentations_.size()), static_cast<long long>(distinct_)}));
    switch (outcome_) {
        case TestOutcome::Saved:
            lines.push_back(core::formatText(text(txt::TestProtocolSaved), {chartFile_.filename().string()}));
            break;
        case TestOutcome::Discarded:
            lines.push_back(text(txt::TestProtocolDiscarded));
            break;
        case TestOutcome::SaveFailed:
            lines.push_back(core::formatText(text(txt::TestProtocolSaveFailed), {chartFile_.filename().string()}));
            break;
        default:
            lines.push_back(text(txt::TestProtocolCancelled));
            break;
    }
    try {
        recording::writeProtocolLog(workstation_.home(), lines);
    } catch (const std::exception&) {
        // The log is informational; a read-only home must not stop the close.
    }
}

void TestRun::writeBackSettings() {
    const DisplayKeep keep = view_.displayKeep();
    core::SettingsList& list = workstation_.settings().list();
    list.setValue("Test_Speed", speedSetting(keep.speedEntry));
    for (int i = 0; i < formats::kScreenChannels; ++i) {
        const auto index = static_cast<std::size_t>(i);
        list.setValue("Test_iMin" + std::to_string(i), std::to_string(keep.top[index]));
        list.setValue("Test_iMax" + std::to_string(i), std::to_string(keep.bottom[index]));
        list.setValue("DefScrGain" + std::to_string(i), std::to_string(keep.gain[index]));
    }
}

}  // namespace lumo::recording
