#include <gtest/gtest.h>

#include <filesystem>

#include "admin/archive_folders.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "core/test_home.h"

namespace lumo::admin {
namespace {

namespace fs = std::filesystem;

TEST(ArchiveDrives, RemovableMediaTakeAAndBThenTheHomeFolder) {
    test::TempHome home;
    core::StringTable table;
    core::Settings settings(home.path());
    core::Texts texts(table, settings);
    test::writeFile(home / "sys" / "sdb" / "removable", "1\n");
    test::writeFile(home / "sys" / "sda" / "removable", "0\n");
    test::writeFile(home / "sys" / "mmcblk0" / "removable", "1\n");
    MountSources sources;
    sources.sysBlock = home / "sys";
    sources.home = "/home/examiner";
    sources.mountTable =
        "/dev/sda1 / ext4 rw 0 0\n"
        "proc /proc proc rw 0 0\n"
        "/dev/sdb1 /mnt/usb\\040stick vfat rw 0 0\n"
        "/dev/sda2 /media/backup ext4 rw 0 0\n"
        "/dev/mmcblk0p1 /mnt/card vfat rw 0 0\n"
        "/dev/sdb1 /mnt/usb\\040stick vfat rw 0 0\n";
    const std::vector<ArchiveDrive> drives = listArchiveDrives(sources, texts);
    ASSERT_EQ(drives.size(), 4u);
    EXPECT_EQ(drives[0].letter, 'A');
    EXPECT_EQ(drives[0].root, "/mnt/usb stick");
    EXPECT_EQ(drives[0].caption, "A:  Removable disk  /mnt/usb stick");
    EXPECT_EQ(drives[1].letter, 'B');
    EXPECT_EQ(drives[1].root, "/media/backup");
    EXPECT_EQ(drives[2].letter, 'D');
    EXPECT_EQ(drives[2].root, "/mnt/card");
    EXPECT_EQ(drives[3].letter, 'C');
    EXPECT_FALSE(drives[3].removable);
    EXPECT_EQ(drives[3].caption, "C:  Home folder  /home/examiner");

    EXPECT_TRUE(promptsForDisks('a'));
    EXPECT_TRUE(promptsForDisks('B'));
    EXPECT_FALSE(promptsForDisks('C'));
    EXPECT_FALSE(promptsForDisks('D'));
}

TEST(ArchiveDrives, ChooserAsksBeforeOverwritingOnlyWhenCompressing) {
    test::TempHome home;
    fs::create_directories(home / "disk" / "sub");
    fs::create_directories(home / "disk" / ".hidden");
    test::writeFile(home / "disk" / "#0000003.000", "x");
    core::TSubj subject;
    subject.fileCode = "#0000003";
    ArchiveFolderChooser chooser({{'A', home / "disk", true, "A:"}, {'C', home.path(), false, "C:"}}, subject);
    EXPECT_EQ(chooser.driveLetter(), 'C');
    EXPECT_FALSE(chooser.overwriteQuestionNeeded());
    chooser.selectDrive(0);
    EXPECT_EQ(chooser.driveLetter(), 'A');
    EXPECT_TRUE(chooser.overwriteQuestionNeeded());
    EXPECT_EQ(chooser.files(), std::vector<std::string>{"#0000003.000"});
    EXPECT_EQ(subfolders(home / "disk"), std::vector<std::string>{"sub"});
    EXPECT_EQ(chooser.target().string(), (home / "disk").string() + "/");

    subject.archive = "#";  // a decompression reads what is there
    ArchiveFolderChooser archived({{'A', home / "disk", true, "A:"}}, subject);
    EXPECT_FALSE(archived.overwriteQuestionNeeded());
}

}  // namespace
}  // namespace lumo::admin
