#include <gtest/gtest.h>

#include "core/atomic_file.h"
#include "core/errors.h"
#include "core/file_size_limit.h"
#include "core/paths.h"
#include "core/text_file.h"
#include "core/test_home.h"

namespace lumo::core {
namespace {

namespace fs = std::filesystem;
using test::TempHome;

std::size_t entryCount(const fs::path& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(AtomicFile, ReplacesWholeAndLeavesNoTemporaryFile) {
    TempHome home;
    const fs::path file = home / "lumo7w.ini";
    writeFileAtomically(file, "old");
    writeFileAtomically(file, "new content");
    EXPECT_EQ(test::readFile(file), "new content");
    EXPECT_EQ(entryCount(home.path()), 1u);
    EXPECT_THROW(writeFileAtomically(home / "no-such-folder" / "x", "y"), EInOutError);
}

TEST(AtomicFile, AFullDiskKeepsTheOldFile) {
    TempHome home;
    const fs::path file = home / "subject.dat";
    writeFileAtomically(file, "Name=Old");
    bool failed = false;
    try {
        const test::FileSizeLimit limit(64);
        writeFileAtomically(file, std::string(4096, 'x'));
    } catch (const EInOutError& error) {
        failed = true;
        EXPECT_NE(std::string(error.what()).find("subject.dat"), std::string::npos);
    }
    EXPECT_TRUE(failed);
    EXPECT_EQ(test::readFile(file), "Name=Old");
    EXPECT_EQ(entryCount(home.path()), 1u);
}

TEST(TextFile, AFolderOrAMissingFileIsAnInputOutputError) {
    TempHome home;
    fs::create_directory(home / "BNK");
    EXPECT_THROW(readFileBytes(home / "BNK"), EInOutError);
    EXPECT_THROW(readFileBytes(home / "missing.qs_"), EInOutError);
}

TEST(Paths, ResolvesEveryComponentWithoutRegardToCase) {
    TempHome home;
    test::writeFile(home / "DAT" / "#0000001" / "Exam_01.QS_", "x");
    EXPECT_EQ(resolvePath(home.path(), "dat\\#0000001\\EXAM_01.qs_"), home / "DAT" / "#0000001" / "Exam_01.QS_");
    // What is missing keeps the spelling given, below the part that exists.
    EXPECT_EQ(resolvePath(home.path(), "dat/#0000001/exam_01.ch1"), home / "DAT" / "#0000001" / "exam_01.ch1");
    EXPECT_EQ(resolvePath(home.path(), "QST\\new.qs1"), home / "QST" / "new.qs1");
}

TEST(Paths, WildcardsMatchOneOrAnyCharacter) {
    EXPECT_TRUE(matchesWildcard("exam_01.qs_", "EXAM_??.QS_"));
    EXPECT_FALSE(matchesWildcard("exam_1.qs_", "exam_??.qs_"));
    EXPECT_FALSE(matchesWildcard("exam_001.qs_", "exam_??.qs_"));
    EXPECT_TRUE(matchesWildcard("Theft.QS1", "*.qs?"));
    EXPECT_FALSE(matchesWildcard("Theft.QS12", "*.qs?"));
    EXPECT_TRUE(matchesWildcard("a.b.c", "*.c"));
    EXPECT_TRUE(matchesWildcard("", "*"));

    TempHome home;
    for (const char* name : {"b.qs1", "A.QS2", "c.txt", "d.qs"}) test::writeFile(home / "QST" / name, "");
    EXPECT_EQ(findEntries(home / "QST", "*.qs?"), (std::vector<std::string>{"A.QS2", "b.qs1"}));
    EXPECT_TRUE(findEntries(home / "missing", "*").empty());
}

}  // namespace
}  // namespace lumo::core
