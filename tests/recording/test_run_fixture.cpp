#include "recording/test_run_fixture.h"

#include <stdexcept>

#include "core/examinee.h"
#include "formats/chart.h"

namespace lumo::test {

namespace fs = std::filesystem;

TestRunBench::TestRunBench(int questions, std::vector<std::string> extraSettings, int chart, int sequence) {
    std::vector<std::string> lines = {"DeviceTimeout=18", "DataTimeout=18", "Test_Speed=2", "Eng_Art5=Move",
                                      "Eng_Art6=Cough", "Eng_Art7=Talk", "Eng_Art8=Noise"};
    for (int i = 0; i < 8; ++i) {
        const std::string n = std::to_string(i);
        if (i < 7) lines.push_back("SpyDelay" + n + "=5000");
        lines.push_back("Test_iMin" + n + "=" + std::to_string(i * 120));
        lines.push_back("Test_iMax" + n + "=" + std::to_string(i * 120 + 100));
        lines.push_back("DefScrGain" + n + "=5");
        lines.push_back("ChVisible" + n + "=1");
    }
    lines.insert(lines.end(), extraSettings.begin(), extraSettings.end());
    writeMinimalIni(home_.path(), lines);
    const fs::path folder = home_ / "DAT" / "#0000001";
    fs::create_directories(folder);
    core::TSubj subject;
    subject.fileCode = "#0000001";
    subject.name = "Ivan Petrov";
    subject.operatorName = "Operator 1";
    subject.date = "07-03-2001";
    core::writeSubjectFile(folder / "subject.dat", subject);
    examFile_ = folder / "exam_01.qs_";
    writeExamFile(examFile_, "4", questions);
    workstation_ = std::make_unique<core::Workstation>(home_.path(), std::make_unique<core::ManualClock>());
    workstation_->initialise();
    link_ = std::make_unique<device::SimulatedLink>();
    timers_ = std::make_unique<recording::VirtualTestTimers>(*link_);
    view_ = std::make_unique<recording::HeadlessTestView>(workstation_->settings());
    run_ = std::make_unique<recording::TestRun>(*workstation_, *link_, *timers_, priority_, *view_,
                                                recording::TestRunSetup{examFile_, sequence, chart});
}

void TestRunBench::useLink(std::unique_ptr<device::SimulatedLink> link) {
    run_.reset();
    timers_.reset();
    link_ = std::move(link);
    timers_ = std::make_unique<recording::VirtualTestTimers>(*link_);
    run_ = std::make_unique<recording::TestRun>(*workstation_, *link_, *timers_, priority_, *view_,
                                                recording::TestRunSetup{examFile_, 1, 1});
}

fs::path TestRunBench::chartFile() const {
    return examFile_.parent_path() / "exam_01.ch1";
}
fs::path TestRunBench::screenFile() const {
    return examFile_.parent_path() / "exam_01.sc1";
}
fs::path TestRunBench::tableFile() const {
    return examFile_.parent_path() / "exam_01.qt1";
}

void TestRunBench::settle() {
    run_->open();
    if (!timers_->runUntil([&] { return run_->sampleCounter() >= recording::TestRun::kSettlingCounts; }, 120000)) {
        throw std::runtime_error("the unit never settled");
    }
}

void TestRunBench::startToReady() {
    settle();
    press(recording::TestKey::Space);
    if (!timers_->runUntil([&] { return run_->phase() == recording::TestPhase::Ready; }, 20000)) {
        throw std::runtime_error("the opening never ended");
    }
}

void TestRunBench::present(int position, bool yes) {
    // Half a second after Ready, so the onset has a record of its own.
    wait(500);
    run_->selectQuestion(position);
    press(recording::TestKey::Space);
    wait(1000);
    press(recording::TestKey::Space);
    wait(1000);
    press(yes ? recording::TestKey::Right : recording::TestKey::Left);
    timers_->runUntil([&] { return view_->closeAsked || run_->phase() == recording::TestPhase::Ready; }, 60000);
}

bool TestRunBench::waitForClose(std::int64_t limit) {
    return timers_->runUntil([&] { return view_->closeAsked; }, limit);
}

std::vector<std::uint16_t> TestRunBench::recordMarks() const {
    const std::string bytes = readFile(chartFile());
    std::vector<std::uint16_t> marks;
    const std::size_t header = 4 + 24 + 32;
    for (std::size_t at = header + 55; at + 2 <= bytes.size(); at += 57) {
        marks.push_back(static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes[at]) |
                                                   (static_cast<std::uint8_t>(bytes[at + 1]) << 8)));
    }
    return marks;
}

}  // namespace lumo::test
