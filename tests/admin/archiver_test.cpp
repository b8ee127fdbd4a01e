#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "admin/archive_samples.h"
#include "admin/archiver.h"
#include "admin/volumes.h"
#include "core/clock.h"
#include "core/examinee.h"
#include "core/test_home.h"
#include "core/workstation.h"

namespace lumo::admin {
namespace {

namespace fs = std::filesystem;

// Answers the archiver's boxes from the test and keeps a log of everything shown.
class ScriptedView : public ArchiverView {
public:
    void showStatus(const std::string& text) override {
        status = text;
        log.push_back("status:" + text);
    }
    void showGauge(int position, int maximum) override {
        EXPECT_LE(position, maximum);
        ++gaugeMoves;
    }
    bool confirm(const std::string& text) override {
        log.push_back("confirm:" + text);
        return confirmAnswer;
    }
    void inform(const std::string& text) override { log.push_back("inform:" + text); }
    bool askRetry(const std::string& text) override {
        log.push_back("retry:" + text);
        return retryAnswer ? retryAnswer() : false;
    }
    void showError(const std::string& text) override { log.push_back("error:" + text); }
    void yield() override {
        if (onYield) onYield();
    }

    std::vector<std::string> log;
    std::string status;
    int gaugeMoves = 0;
    bool confirmAnswer = true;
    std::function<bool()> retryAnswer;
    std::function<void()> onYield;
};

class ArchiverTest : public ::testing::Test {
protected:
    void SetUp() override { start({}); }

    void start(const std::vector<std::string>& iniLines) {
        test::writeMinimalIni(home.path(), iniLines);
        folder = home / "DAT" / "#0000001";
        fs::create_directories(folder);
        core::TSubj subject;
        subject.fileCode = "#0000001";
        subject.name = "Иванов";
        subject.date = "07-03-2001";
        core::writeSubjectFile(folder / "subject.dat", subject);
        ws = std::make_unique<core::Workstation>(home.path(), std::make_unique<core::ManualClock>());
        ws->initialise();
        ws->records().makeCurrent(ws->records().examinees().at(0));
    }

    // Exam, chart and results files, remembered byte for byte.
    void addExamineeFiles(int chartSeconds = 20) {
        test::writeExamFile(folder / "exam_01.qs_", "1", 5);
        test::writeFile(folder / "exam_01.ch1", test::chartSample(chartSeconds));
        test::writeFile(folder / "exam_01.qt1", test::resultsTableSample(5));
        test::writeFile(folder / "exam_01.sc1", std::string(32 + 17 * 8, '\x01'));
        snapshot = contents();
    }

    std::map<std::string, std::string> contents() const {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::directory_iterator(folder)) {
            files[entry.path().filename().string()] = test::readFile(entry.path());
        }
        return files;
    }
    std::vector<std::string> fileNames() const {
        std::vector<std::string> names;
        for (const auto& [name, bytes] : contents()) names.push_back(name);
        return names;
    }

    Archiver::Result run(char drive = 'C') {
        Archiver archiver(*ws, view, ws->records().current().record, drive, target);
        return archiver.run();
    }
    std::string flagOnDisk() const { return core::readSubjectFile(folder / "subject.dat", "#0000001").archive; }

    // Everything but subject.dat as it was; subject.dat differs only in its flag.
    void expectRestored() {
        auto now = contents();
        auto before = snapshot;
        now.erase("subject.dat");
        before.erase("subject.dat");
        EXPECT_TRUE(now == before);
        EXPECT_EQ(flagOnDisk(), " ");
    }

    test::TempHome home;
    fs::path folder;
    fs::path target = home / "archive";
    std::unique_ptr<core::Workstation> ws;
    ScriptedView view;
    std::map<std::string, std::string> snapshot;
};

TEST_F(ArchiverTest, CompressingLeavesOnlyTheRecordAndDecompressingBringsAllBack) {
    addExamineeFiles();
    fs::create_directories(target);
    ASSERT_EQ(run(), Archiver::Result::Compressed);
    EXPECT_EQ(fileNames(), std::vector<std::string>{"subject.dat"});
    EXPECT_EQ(flagOnDisk(), "#");
    EXPECT_EQ(ws->records().current().record.archive, "#");
    EXPECT_EQ(ws->records().examinees().at(0).archive, "#");
    EXPECT_TRUE(fs::exists(target / "#0000001.000"));
    EXPECT_EQ(view.log, (std::vector<std::string>{"status:Searching Examinee info...", "status:Creating solid archive...",
                                                  "status:Data compressing...", "status:Archive volumes creating...",
                                                  "status:Directory cleanup...", "inform:Archivation complete"}));
    EXPECT_GT(view.gaugeMoves, 5);

    view.log.clear();
    ASSERT_EQ(run(), Archiver::Result::Decompressed);
    expectRestored();
    EXPECT_EQ(ws->records().current().record.archive, " ");
    EXPECT_EQ(view.log, (std::vector<std::string>{"status:Archive volumes joining...", "status:Data decompressing...",
                                                  "status:Extracting files from archive...",
                                                  "inform:Dearchivation complete"}));
    // The volumes stay where they are.
    EXPECT_TRUE(fs::exists(target / "#0000001.000"));
}

TEST_F(ArchiverTest, FloppyDrivesPromptForEveryDisk) {
    start({"CompressMode=FAST"});
    test::writeFile(folder / "noise.bin", test::randomBytes(1300000));
    snapshot = contents();
    fs::create_directories(target);
    ASSERT_EQ(run('A'), Archiver::Result::Compressed);
    const std::vector<std::string> prompts = {"confirm:2 empty disks are needed\nAre you ready?",
                                              "inform:Insert disk # 1 to drive A:",
                                              "inform:Insert disk # 2 to drive A:"};
    EXPECT_EQ(std::vector<std::string>(view.log.begin() + 4, view.log.begin() + 7), prompts);

    view.log.clear();
    ASSERT_EQ(run('b'), Archiver::Result::Decompressed);
    EXPECT_EQ(view.log[1], "inform:Insert disk # 1 to drive B:");
    EXPECT_EQ(view.log[2], "inform:Insert disk # 2 to drive B:");
    expectRestored();

    // Not ready: nothing is written or deleted.
    fs::remove_all(target);
    fs::create_directories(target);
    view.log.clear();
    view.confirmAnswer = false;
    ASSERT_EQ(run('A'), Archiver::Result::Failed);
    EXPECT_EQ(view.log.back(), "error:Archivation failure");
    EXPECT_TRUE(fs::is_empty(target));
    expectRestored();
}

TEST_F(ArchiverTest, VolumeWriteFailureOffersRetryAndAbortKeepsEverything) {
    addExamineeFiles();
    // The target folder appears only when the examiner retries.
    view.retryAnswer = [&] {
        fs::create_directories(target);
        return true;
    };
    ASSERT_EQ(run(), Archiver::Result::Compressed);
    EXPECT_EQ(view.log[4], "retry:The following error is encountered accessing drive:\nError writing volume label\nRetry?");

    ASSERT_EQ(run(), Archiver::Result::Decompressed);
    fs::remove_all(target);
    view.log.clear();
    view.retryAnswer = {};
    ASSERT_EQ(run(), Archiver::Result::Failed);
    EXPECT_EQ(view.log.back(), "error:Archivation failure");
    expectRestored();
}

TEST_F(ArchiverTest, AVolumeThatReadsBackWrongDeletesNothing) {
    addExamineeFiles();
    fs::create_directories(target);
    // Something spoils the volume between writing and reading back.
    view.onYield = [&] {
        if (view.status == "Archive volumes creating..." && fs::exists(target / "#0000001.000")) {
            fs::resize_file(target / "#0000001.000", 10);
        }
    };
    ASSERT_EQ(run(), Archiver::Result::Failed);
    EXPECT_EQ(view.log[4], "retry:The following error is encountered accessing drive:\n"
                           "The archive read back differs from the Examinee info\nRetry?");
    EXPECT_EQ(view.log.back(), "error:Archivation failure");
    expectRestored();
    EXPECT_FALSE(fs::exists(target / "#0000001.000"));
}

TEST_F(ArchiverTest, AVolumeOfAnotherArchiveIsRefusedUntilRetried) {
    start({"CompressMode=FAST", "Language=RUS"});
    test::writeFile(folder / "noise.bin", test::randomBytes(1300000));
    snapshot = contents();
    fs::create_directories(target);
    ASSERT_EQ(run(), Archiver::Result::Compressed);
    const std::string second = test::readFile(target / "#0000001.001");
    test::writeFile(target / "#0000001.001", std::string("\x03\x00\x00\x00", 4) + second.substr(4));
    view.log.clear();
    int retries = 0;
    view.retryAnswer = [&] {
        ++retries;
        test::writeFile(target / "#0000001.001", second);
        return true;
    };
    ASSERT_EQ(run(), Archiver::Result::Decompressed);
    EXPECT_EQ(retries, 1);
    EXPECT_EQ(view.log[1], "retry:При обращении к диску произошла ошибка:\nМетка другого архива\nПовторить?");
    expectRestored();
}

TEST_F(ArchiverTest, DecompressionFailuresLeaveNoWorkingFiles) {
    addExamineeFiles();
    fs::create_directories(target);
    ASSERT_EQ(run(), Archiver::Result::Compressed);
    const std::string volume = test::readFile(target / "#0000001.000");

    // Missing volume, aborted.
    fs::rename(target / "#0000001.000", home / "saved");
    view.log.clear();
    ASSERT_EQ(run(), Archiver::Result::Failed);
    EXPECT_EQ(view.log[1], "retry:The following error is encountered accessing drive:\nMissing file #0000001.000\nRetry?");
    EXPECT_EQ(view.log.back(), "error:Dearchivation failure");
    EXPECT_EQ(fileNames(), std::vector<std::string>{"subject.dat"});
    EXPECT_EQ(flagOnDisk(), "#");

    // A damaged body.
    std::string damaged = volume;
    damaged[4 + 8 + 2] = 99;  // the first block's flag byte
    test::writeFile(target / "#0000001.000", damaged);
    view.log.clear();
    ASSERT_EQ(run(), Archiver::Result::Failed);
    EXPECT_EQ(view.log.back().rfind("error:Decompression failure\nLzrw1", 0), 0u) << view.log.back();
    EXPECT_EQ(fileNames(), std::vector<std::string>{"subject.dat"});
    EXPECT_EQ(flagOnDisk(), "#");
}

TEST_F(ArchiverTest, SolidFileErrorsStopBeforeAnythingIsWritten) {
    addExamineeFiles();
    test::writeFile(folder / "much_too_long.name", "x");
    fs::create_directories(target);
    ASSERT_EQ(run(), Archiver::Result::Failed);
    EXPECT_EQ(view.log.back(),
              "error:Solid archive creating error :\nFile name can not be stored in the archive : much_too_long.name");
    EXPECT_TRUE(fs::is_empty(target));
    EXPECT_EQ(contents().size(), snapshot.size() + 1);
    EXPECT_EQ(flagOnDisk(), " ");
}

}  // namespace
}  // namespace lumo::admin
