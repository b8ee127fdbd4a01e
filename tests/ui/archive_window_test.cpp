#include <gtest/gtest.h>

#include <QComboBox>
#include <QListWidget>
#include <QMenu>
#include <QTreeWidget>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "admin/archive_samples.h"
#include "admin/ui/archive_command.h"
#include "admin/ui/archive_folder_window.h"
#include "admin/ui/archive_window.h"
#include "core/clock.h"
#include "core/test_home.h"
#include "core/examinee.h"
#include "core/ui/main_window.h"
#include "core/workstation.h"
#include "ui/accessible_names.h"

namespace lumo::admin::ui {
namespace {

namespace fs = std::filesystem;

// A data home with the installed settings and one examinee with an exam and a chart.
class ArchiveWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::installSettings(home.path());
        folder = home / "DAT" / "#0000001";
        core::TSubj subject;
        subject.fileCode = "#0000001";
        subject.name = "Ivanov";
        subject.date = "07-03-2001";
        fs::create_directories(folder);
        core::writeSubjectFile(folder / "subject.dat", subject);
        test::writeFile(folder / "exam_01.ch1", test::chartSample(30));
        test::writeFile(folder / "exam_01.qt1", test::resultsTableSample(6));
        test::writeFile(folder / "notes.txt", test::textSample(3000));
        target = home / "media";
        fs::create_directories(target);
        startWorkstation();
    }
    void startWorkstation(const std::string& language = "ENG") {
        ws = std::make_unique<core::Workstation>(home.path(), std::make_unique<core::ManualClock>());
        ws->initialise();
        ws->settings().list().setValue("Language", language);
        ws->records().makeCurrent(ws->records().examinees().at(0));
    }

    std::map<std::string, std::string> contents() const {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::directory_iterator(folder)) {
            files[entry.path().filename().string()] = test::readFile(entry.path());
        }
        return files;
    }

    ArchivePrompts recordingPrompts() {
        ArchivePrompts prompts;
        prompts.confirm = [this](const QString& text) {
            boxes.append("confirm:" + text);
            return true;
        };
        prompts.inform = [this](const QString& text) { boxes.append("inform:" + text); };
        prompts.askRetry = [this](const QString& text) {
            boxes.append("retry:" + text);
            return retry ? retry() : false;
        };
        prompts.error = [this](const QString& text) { boxes.append("error:" + text); };
        return prompts;
    }

    Archiver::Result runArchiver(char drive = 'C') {
        TfrmArchive window(*ws, ws->records().current().record, drive, target.string() + "/");
        EXPECT_EQ(test::unnamedControls(window), "");
        window.setPrompts(recordingPrompts());
        window.exec();
        EXPECT_FALSE(window.running());
        return window.result();
    }

    test::TempHome home;
    fs::path folder;
    fs::path target;
    std::unique_ptr<core::Workstation> ws;
    QStringList boxes;
    std::function<bool()> retry;
};

TEST_F(ArchiveWindowTest, CompressingAndDecompressingAnExaminee) {
    const auto before = contents();
    ASSERT_EQ(runArchiver(), Archiver::Result::Compressed);
    EXPECT_EQ(contents().size(), 1u);
    EXPECT_TRUE(fs::exists(folder / "subject.dat"));
    EXPECT_EQ(core::readSubjectFile(folder / "subject.dat", "#0000001").archive, "#");
    EXPECT_EQ(boxes, QStringList{"inform:Archivation complete"});

    boxes.clear();
    ASSERT_EQ(runArchiver(), Archiver::Result::Decompressed);
    auto after = contents();
    EXPECT_EQ(core::readSubjectFile(folder / "subject.dat", "#0000001").archive, " ");
    auto expected = before;
    after.erase("subject.dat");
    expected.erase("subject.dat");
    EXPECT_TRUE(after == expected);
    EXPECT_EQ(boxes, QStringList{"inform:Dearchivation complete"});
}

TEST_F(ArchiveWindowTest, AVolumeOfAnotherArchiveAsksForRetry) {
    startWorkstation("RUS");
    ws->settings().list().setValue("CompressMode", "FAST");
    test::writeFile(folder / "noise.bin", test::randomBytes(1400000));
    const auto before = contents();
    ASSERT_EQ(runArchiver(), Archiver::Result::Compressed);
    // The second disk of an earlier archive of three volumes.
    const std::string second = test::readFile(target / "#0000001.001");
    test::writeFile(target / "#0000001.001", std::string("\x03\x00\x00\x00", 4) + second.substr(4));
    boxes.clear();
    retry = [&] {
        test::writeFile(target / "#0000001.001", second);
        return true;
    };
    ASSERT_EQ(runArchiver(), Archiver::Result::Decompressed);
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_TRUE(boxes[0].startsWith("retry:")) << boxes[0].toStdString();
    EXPECT_TRUE(boxes[0].contains(QString::fromUtf8("Метка другого архива")));
    EXPECT_EQ(boxes[1], QString::fromUtf8("inform:Разархивация завершена"));
    auto after = contents();
    EXPECT_EQ(after.size(), before.size());
    EXPECT_TRUE(after["noise.bin"] == before.at("noise.bin"));
}

TEST_F(ArchiveWindowTest, FolderChooserListsDrivesFoldersAndFiles) {
    fs::create_directories(target / "old");
    fs::create_directories(target / "new");
    test::writeFile(target / "old" / "#0000001.000", "x");
    std::vector<ArchiveDrive> drives = {{'A', target, true, "A:  Removable disk  " + target.string()},
                                        {'C', home.path(), false, "C:  Home folder  " + home.path().string()}};
    TfrmArchDir chooser(*ws, ws->records().current().record, drives);
    EXPECT_EQ(test::unnamedControls(chooser), "");
    int questions = 0;
    bool answer = false;
    chooser.setConfirmFunction([&](const QString& text) {
        EXPECT_EQ(text, "This Examinee archive also exists here. Overwrite?");
        ++questions;
        return answer;
    });
    ASSERT_EQ(chooser.driveList()->count(), 2);
    EXPECT_EQ(chooser.driveList()->currentIndex(), 1);  // the home folder to begin with
    EXPECT_EQ(chooser.driveLetter(), 'C');

    chooser.driveList()->setCurrentIndex(0);
    EXPECT_EQ(chooser.driveLetter(), 'A');
    QTreeWidgetItem* root = chooser.folderTree()->topLevelItem(0);
    ASSERT_NE(root, nullptr);
    ASSERT_EQ(root->childCount(), 2);
    EXPECT_EQ(root->child(0)->text(0), "new");
    EXPECT_EQ(root->child(1)->text(0), "old");

    chooser.folderTree()->setCurrentItem(root->child(1));
    ASSERT_EQ(chooser.fileList()->count(), 1);
    EXPECT_EQ(chooser.fileList()->item(0)->text(), "#0000001.000");
    EXPECT_EQ(chooser.target(), fs::path(target.string() + "/old/"));

    // An archive of this examinee already there: No keeps the chooser open.
    chooser.show();
    chooser.cmdOKClick();
    EXPECT_EQ(questions, 1);
    EXPECT_TRUE(chooser.isVisible());
    answer = true;
    chooser.cmdOKClick();
    EXPECT_EQ(chooser.result(), QDialog::Accepted);

    chooser.chooseFolder(target / "new");
    EXPECT_EQ(chooser.fileList()->count(), 0);
    EXPECT_EQ(chooser.target(), fs::path(target.string() + "/new/"));
}

TEST_F(ArchiveWindowTest, ArchiveCommandOfTheMainWindow) {
    core::ui::TfrmMain main(*ws);
    main.setErrorFunction([](const QString&, const QString& text) { ADD_FAILURE() << text.toStdString(); });
    QStringList questions;
    bool answer = false;
    int chooserRuns = 0;
    ArchiveCommandSteps steps;
    steps.confirm = [&](const QString& text) {
        questions.append(text);
        return answer;
    };
    steps.chooseFolder = [&](const core::TSubj& subject) -> std::optional<ArchiveTarget> {
        ++chooserRuns;
        EXPECT_EQ(subject.fileCode, "#0000001");
        return ArchiveTarget{'C', target};
    };
    steps.runArchiver = [&](const core::TSubj& subject, const ArchiveTarget& chosen) {
        EXPECT_EQ(chosen.folder.string(), target.string() + "/");  // a trailing separator added
        TfrmArchive window(*ws, subject, chosen.driveLetter, chosen.folder);
        window.setPrompts(recordingPrompts());
        window.exec();
    };
    installArchiveCommand(main, *ws, steps);
    ws->records().current().examNumber = 1;
    ws->records().current().chart = 1;

    main.show();
    main.runCommand(core::Command::ArchiveExaminee);
    EXPECT_EQ(questions, QStringList{"Do you want to compress Examinee charts ?"});
    EXPECT_EQ(chooserRuns, 0);
    // "No" leaves the examiner on the archive item of the Examinee menu.
    QMenu* examinee = main.menu(core::Menu::Examinee);
    EXPECT_TRUE(examinee->isVisible());
    EXPECT_EQ(examinee->activeAction(), main.commandAction(core::Command::ArchiveExaminee));
    examinee->hide();

    answer = true;
    main.runCommand(core::Command::ArchiveExaminee);
    EXPECT_EQ(chooserRuns, 1);
    EXPECT_EQ(ws->records().current().record.archive, "#");
    EXPECT_EQ(ws->records().current().examNumber, 0);
    EXPECT_EQ(ws->records().current().chart, 0);
    EXPECT_TRUE(ws->records().current().exams.empty());

    main.runCommand(core::Command::ArchiveExaminee);
    EXPECT_EQ(questions.last(), "Do you want to decompress Examinee charts");
    EXPECT_EQ(ws->records().current().record.archive, " ");
    EXPECT_TRUE(fs::exists(folder / "exam_01.ch1"));
}

}  // namespace
}  // namespace lumo::admin::ui
