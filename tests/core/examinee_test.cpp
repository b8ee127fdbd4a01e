#include "core/examinee.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "core/cp1251.h"
#include "core/errors.h"
#include "core/test_home.h"

namespace lumo::core {
namespace {

namespace fs = std::filesystem;
using test::TempHome;
using test::writeFile;

TSubj named(std::string code, std::string name) {
    TSubj subject;
    subject.fileCode = std::move(code);
    subject.name = std::move(name);
    return subject;
}

// The older 122-byte record: each field a length byte and Windows-1251 bytes.
std::string binaryRecord(const std::vector<std::pair<std::size_t, std::string>>& fields) {
    std::string record(122, '\0');
    for (const auto& [offset, text] : fields) {
        const std::string bytes = toCp1251(text);
        record[offset] = static_cast<char>(bytes.size());
        record.replace(offset + 1, bytes.size(), bytes);
    }
    return record;
}

TEST(SubjectFile, BinaryFormReadsFieldsAtTheirOffsets) {
    TempHome home;
    std::string record = binaryRecord({{0, "#0000001"},
                                       {9, "Иванов Иван"},
                                       {30, "Operator 1"},
                                       {51, "07-03-2001"},
                                       {62, "Robbery with vi"},  // the crime field holds 15 characters
                                       {78, "Case 12/2001"},
                                       {99, "#"},
                                       {101, "note"}});
    writeFile(home / "subject.dat", record);
    const TSubj read = readSubjectFile(home / "subject.dat", "#0000042");
    EXPECT_EQ(read, (TSubj{"#0000042", "Иванов Иван", "Operator 1", "07-03-2001", "Robbery with vi", "Case 12/2001",
                           "#", "note"}));

    // A length byte beyond the crime field stops at the field's 15 characters
    // and leaves the issue after it intact.
    record[62] = 40;
    record.replace(63, 15, "Robbery with vi");
    writeFile(home / "subject.dat", record);
    const TSubj clamped = readSubjectFile(home / "subject.dat", "#0000042");
    EXPECT_EQ(clamped.crime, "Robbery with vi");
    EXPECT_EQ(clamped.issue, "Case 12/2001");
}

TEST(SubjectFile, BinaryRecordIsRewrittenAsKeyValues) {
    TempHome home;
    writeFile(home / "subject.dat", binaryRecord({{0, "#0000001"}, {9, "Petrov"}, {51, "01-01-1999"}, {99, " "}}));
    const TSubj read = readSubjectFile(home / "subject.dat", "#0000001");
    writeSubjectFile(home / "subject.dat", read);
    EXPECT_EQ(test::readFile(home / "subject.dat"), "FileCode=#0000001\r\nName=Petrov\r\nDate=01-01-1999\r\nArchive= \r\n");
    EXPECT_EQ(readSubjectFile(home / "subject.dat", "#0000001"), read);
}

TEST(SubjectFile, KeyValueFormTruncatesAndDefaults) {
    TempHome home;
    test::writeLines(home / "subject.dat", {"FileCode=#9999999", "Name=Сидоров", "operator=Operator 1",
                                            "Date=07-03-2001 10:15", "Crime=Theft", "Archive=#x", "Mark=a=b"});
    const TSubj read = readSubjectFile(home / "subject.dat", "#0000002");
    // The folder's code wins over the FileCode line; Issue is missing, so empty.
    EXPECT_EQ(read, (TSubj{"#0000002", "Сидоров", "Operator 1", "07-03-2001", "Theft", "", "#", "a=b"}));

    // A record without an archive line is not archived: " ", never "".
    test::writeLines(home / "subject.dat", {"Name=X"});
    EXPECT_EQ(readSubjectFile(home / "subject.dat", "#0000002").archive, " ");
}

TEST(SubjectFile, WritingLeavesEmptyFieldsOutInKeyOrder) {
    TempHome home;
    const TSubj subject{"#0000002", "Сидоров", "Operator 1", "07-03-2001", "Theft", "", " ", ""};
    writeSubjectFile(home / "subject.dat", subject);
    EXPECT_EQ(test::readFile(home / "subject.dat"),
              "FileCode=#0000002\r\nName=\xD1\xE8\xE4\xEE\xF0\xEE\xE2\r\nOperator=Operator 1\r\n"
              "Date=07-03-2001\r\nCrime=Theft\r\nArchive= \r\n");
    EXPECT_EQ(readSubjectFile(home / "subject.dat", "#0000002"), subject);
}

TEST(SubjectFile, LineBreaksInValuesCannotForgeKeys) {
    TempHome home;
    TSubj subject{"#0000002", "A\r\nArchive=#", "", "", "", "", " ", ""};
    writeSubjectFile(home / "subject.dat", subject);
    const TSubj read = readSubjectFile(home / "subject.dat", "#0000002");
    EXPECT_EQ(read.name, "A  Archive=#");
    EXPECT_EQ(read.archive, " ");
}

TEST(SubjectFile, EmptyOrShortFilesAreFileErrors) {
    TempHome home;
    writeFile(home / "subject.dat", "");
    EXPECT_THROW(readSubjectFile(home / "subject.dat", "#0000001"), EInOutError);
    writeFile(home / "subject.dat", binaryRecord({{0, "#0000001"}}).substr(0, 100));
    EXPECT_THROW(readSubjectFile(home / "subject.dat", "#0000001"), EInOutError);
    EXPECT_THROW(readSubjectFile(home / "missing.dat", "#0000001"), EInOutError);
}

TEST(FileCode, FormatAndShape) {
    EXPECT_EQ(examineeFileCode(7), "#0000007");
    EXPECT_EQ(examineeFileCode(1234567), "#1234567");
    EXPECT_THROW(examineeFileCode(10'000'000), EConvertError);
    EXPECT_EQ(fileCodeFromArgument("7"), "#0000007");
    EXPECT_EQ(fileCodeFromArgument("#0000007"), "#0000007");
    EXPECT_EQ(fileCodeFromArgument("12345678"), "12345678");  // too long for a number: refused later
    EXPECT_TRUE(looksLikeFileCode("#0000007"));
    EXPECT_TRUE(looksLikeFileCode("#00000ЖЖ"));  // seven characters, not seven bytes
    EXPECT_FALSE(looksLikeFileCode("#000007"));
    EXPECT_FALSE(looksLikeFileCode("#00000007"));
    EXPECT_FALSE(looksLikeFileCode("00000007"));
    EXPECT_FALSE(looksLikeFileCode("#/../..x"));
}

TEST(ExamineeList, LoadsCodeFoldersWithARecordSortedByCode) {
    TempHome home;
    const fs::path dat = home / "DAT";
    test::writeLines(dat / "#0000003" / "subject.dat", {"Name=Third"});
    writeFile(dat / "#0000001" / "subject.dat", binaryRecord({{0, "#0000001"}, {9, "First"}}));
    test::writeLines(dat / "#000000B" / "subject.dat", {"Name=Upper B"});
    test::writeLines(dat / "#000000a" / "SUBJECT.DAT", {"Name=Lower a"});
    fs::create_directories(dat / "#0000007");                      // no subject.dat: not listed
    writeFile(dat / "#0000008", "Name=file, not folder\r\n");      // nothing beneath it
    test::writeLines(dat / "notacode" / "subject.dat", {"Name=x"});
    test::writeLines(dat / "#00000099" / "subject.dat", {"Name=x"});
    test::writeLines(dat / "#000001" / "subject.dat", {"Name=x"});

    ExamineeList list;
    list.load(dat);
    std::vector<std::string> codes;
    for (const TSubj& subject : list.entries()) codes.push_back(subject.fileCode);
    EXPECT_EQ(codes, (std::vector<std::string>{"#0000001", "#0000003", "#000000a", "#000000B"}));
    EXPECT_EQ(list.at(0).name, "First");
    EXPECT_EQ(list.at(2).name, "Lower a");
    EXPECT_EQ(list.indexOf("#000000A"), 2);
    EXPECT_EQ(list.indexOf("#0000007"), -1);

    // New codes go to their sorted place; a known code is replaced in place.
    EXPECT_EQ(list.put(named("#0000002", "Second")), 1);
    EXPECT_EQ(list.put(named("#0000003", "Third again")), 2);
    EXPECT_EQ(list.size(), 5u);
    EXPECT_EQ(list.at(2).name, "Third again");
    list.remove("#0000002");
    EXPECT_EQ(list.indexOf("#0000002"), -1);

    // A damaged record stops the load with the file error.
    writeFile(dat / "#0000009" / "subject.dat", "");
    EXPECT_THROW(list.load(dat), EInOutError);

    list.load(home / "NoSuchFolder");
    EXPECT_TRUE(list.empty());
}

TEST(RemoveFolder, RemovesNestedContent) {
    TempHome home;
    const fs::path top = home / "#0000001";
    writeFile(top / "subject.dat", "x");
    writeFile(top / "a" / "b" / "c" / "exam_01.ch1", "x");
    fs::create_directories(top / "empty");
    fs::create_directories(home / "outside");
    writeFile(home / "outside" / "keep.txt", "x");
    fs::create_directory_symlink(home / "outside", top / "link");
    EXPECT_TRUE(removeFolder(top));
    EXPECT_FALSE(fs::exists(top));
    // A link is removed, never followed.
    EXPECT_TRUE(fs::exists(home / "outside" / "keep.txt"));
    EXPECT_FALSE(removeFolder(home / "missing"));
}

// Makes `file` impossible to delete: a read-only folder for an ordinary user,
// the immutable attribute for root. False when neither works here.
bool pinFile(const fs::path& file) {
    if (::geteuid() != 0) {
        fs::permissions(file.parent_path(), fs::perms::owner_read | fs::perms::owner_exec);
        return true;
    }
    const int fd = ::open(file.c_str(), O_RDONLY);
    if (fd < 0) return false;
    int flags = 0;
    bool pinned = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags |= FS_IMMUTABLE_FL;
    pinned = pinned && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return pinned;
}

void unpinFile(const fs::path& file) {
    if (::geteuid() != 0) {
        fs::permissions(file.parent_path(), fs::perms::owner_all);
        return;
    }
    const int fd = ::open(file.c_str(), O_RDONLY);
    int flags = 0;
    if (fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
        flags &= ~FS_IMMUTABLE_FL;
        ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
    }
    if (fd >= 0) ::close(fd);
}

TEST(RemoveFolder, StopsAtTheFirstEntryItCannotDelete) {
    TempHome home;
    const fs::path top = home / "#0000001";
    writeFile(top / "a.txt", "x");
    writeFile(top / "b" / "pinned.txt", "x");
    writeFile(top / "c.txt", "x");
    if (!pinFile(top / "b" / "pinned.txt")) GTEST_SKIP() << "this file system cannot make a file undeletable";
    const bool removed = removeFolder(top);
    unpinFile(top / "b" / "pinned.txt");
    EXPECT_FALSE(removed);
    // Entries go in name order: a.txt before the failure, c.txt after it.
    EXPECT_FALSE(fs::exists(top / "a.txt"));
    EXPECT_TRUE(fs::exists(top / "b" / "pinned.txt"));
    EXPECT_TRUE(fs::exists(top / "c.txt"));
}

}  // namespace
}  // namespace lumo::core
