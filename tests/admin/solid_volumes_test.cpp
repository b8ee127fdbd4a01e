#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "admin/archive_samples.h"
#include "admin/binary_io.h"
#include "admin/byte_stream.h"
#include "admin/solid_file.h"
#include "admin/volumes.h"
#include "core/errors.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "core/test_home.h"

namespace lumo::admin {
namespace {

namespace fs = std::filesystem;

class ArchiveFilesTest : public ::testing::Test {
protected:
    ArchiveFilesTest() : settings(home.path()), texts(table, settings) {
        fs::create_directories(home / "in");
        fs::create_directories(home / "out");
    }

    std::string errorOf(const std::function<void()>& action) {
        try {
            action();
        } catch (const LumoError& error) {
            return error.what();
        }
        return {};
    }

    // A solid file of the given directory entries (raw names) and data.
    std::string solidImage(const std::vector<std::pair<std::string, std::int32_t>>& entries, const std::string& data) {
        std::string image;
        appendLe32(image, static_cast<std::uint32_t>(entries.size()));
        for (const auto& [name, size] : entries) {
            std::string entry(kSolidEntrySize, '\0');
            entry[0] = static_cast<char>(name.size());
            entry.replace(1, name.size(), name);
            putLe32(reinterpret_cast<std::uint8_t*>(entry.data()) + 13, static_cast<std::uint32_t>(size));
            image += entry;
        }
        return image + data;
    }

    test::TempHome home;
    core::StringTable table;
    core::Settings settings;
    core::Texts texts;
};

TEST_F(ArchiveFilesTest, SolidFileLayoutAndExtraction) {
    test::writeFile(home / "in" / "subject.dat", "Name=Ivanov\r\n");
    test::writeFile(home / "in" / "exam_01.ch1", test::chartSample(3));
    test::writeFile(home / "in" / "empty.txt", "");
    const std::vector<std::string> names = {"empty.txt", "exam_01.ch1", "subject.dat"};
    std::vector<int> progress;
    ASSERT_TRUE(createSolidFile(home / "in", names, home / "in" / kSolidFileName, texts,
                                [&](int done, int total) { progress.push_back(done * 10 + total); }));
    EXPECT_EQ(progress, (std::vector<int>{13, 23, 33}));
    const std::string solid = test::readFile(home / "in" / kSolidFileName);
    const std::string chart = test::readFile(home / "in" / "exam_01.ch1");
    const std::string expected = solidImage({{"empty.txt", 0}, {"exam_01.ch1", std::int32_t(chart.size())},
                                             {"subject.dat", 13}},
                                            chart + "Name=Ivanov\r\n");
    EXPECT_TRUE(solid == expected);

    // Extraction overwrites a file of the same name in another letter case.
    test::writeFile(home / "out" / "SUBJECT.DAT", "old");
    ASSERT_TRUE(extractSolidFile(home / "in" / kSolidFileName, home / "out", texts));
    EXPECT_EQ(test::readFile(home / "out" / "SUBJECT.DAT"), "Name=Ivanov\r\n");
    EXPECT_FALSE(fs::exists(home / "out" / "subject.dat"));
    EXPECT_TRUE(test::readFile(home / "out" / "exam_01.ch1") == chart);
    EXPECT_TRUE(fs::exists(home / "out" / "empty.txt"));
    EXPECT_FALSE(fs::exists(home / "out" / "$$$.tmp"));
    EXPECT_FALSE(extractSolidFile(home / "missing", home / "out", texts));
}

TEST_F(ArchiveFilesTest, SolidFileCreationFailures) {
    test::writeFile(home / "in" / "a_long_file_name.txt", "x");
    EXPECT_EQ(errorOf([&] { createSolidFile(home / "in", {"a_long_file_name.txt"}, home / "s", texts); }),
              "File name can not be stored in the archive : a_long_file_name.txt");
    // A listed file that is gone is a failure, not an error.
    EXPECT_FALSE(createSolidFile(home / "in", {"gone.dat"}, home / "s", texts));
    EXPECT_EQ(errorOf([&] { createSolidFile(home / "in", {}, home / "no" / "s", texts); }),
              "Error writing header size");
}

TEST_F(ArchiveFilesTest, ExtractionRefusesUnsafeDirectories) {
    struct Case {
        std::string image;
        std::string error;
    };
    const std::vector<Case> cases = {
        {"", "Error reading header size"},
        {std::string("\x02\x00\x00\x00", 4), "Error reading header"},
        {solidImage({{"../evil", 1}}, "x"), "Unsafe file name in the archive : ../evil"},
        {solidImage({{"/etc/passwd", 1}}, "x"), "Unsafe file name in the archive : /etc/passwd"},
        {solidImage({{"a\\b", 1}}, "x"), "Unsafe file name in the archive : a\\b"},
        {solidImage({{"..", 1}}, "x"), "Unsafe file name in the archive : .."},
        {solidImage({{"", 1}}, "x"), "Unsafe file name in the archive : "},
        {solidImage({{"a\x01" "b", 1}}, "x"), "Unsafe file name in the archive : a?b"},
        {solidImage({{"$$$.$$$", 1}}, "x"), "Unsafe file name in the archive : $$$.$$$"},
        {solidImage({{"ok.dat", 5}}, "abc"), "Error reading data"},
        {solidImage({{"ok.dat", -1}}, "abc"), "Error reading data"},
        {solidImage({{"ok.dat", 1}, {"two.dat", 0x7FFFFFFF}}, "abc"), "Error reading data"},
        {solidImage({{std::string(13, 'n'), 1}}, "x"), "Error reading header"},
        {std::string("\xFF\xFF\xFF\x7F", 4) + "xxxx", "Error reading header"},
    };
    for (const Case& c : cases) {
        // The good file comes first: nothing at all is written when any entry is bad.
        test::writeFile(home / "bad.sld", c.image);
        fs::remove_all(home / "out");
        fs::create_directories(home / "out");
        EXPECT_EQ(errorOf([&] { extractSolidFile(home / "bad.sld", home / "out", texts); }), c.error);
        EXPECT_TRUE(fs::is_empty(home / "out")) << c.error;
    }
    EXPECT_FALSE(fs::exists(home / "evil"));
}

TEST_F(ArchiveFilesTest, ThreeVolumesForTwoAndAHalfMegabytes) {
    const std::string compressed = test::randomBytes(2506745);
    ASSERT_EQ(volumeCount(compressed.size()), 3);
    EXPECT_EQ(volumeCount(1), 1);
    EXPECT_EQ(volumeCount(kVolumeDataSize), 1);
    EXPECT_EQ(volumeCount(kVolumeDataSize + 1), 2);
    test::writeFile(home / "packed.lzw", compressed);
    InputFile packed(home / "packed.lzw");
    for (int i = 0; i < 3; ++i) writeVolume(home / "out", "#0000007", i, 3, packed, texts);
    const std::uint64_t expected[] = {1253372, 1253372, 1};
    for (int i = 0; i < 3; ++i) {
        const std::string volume = test::readFile(home / "out" / volumeName("#0000007", i));
        ASSERT_EQ(volume.size(), 4 + expected[i]);
        EXPECT_EQ(getLe32(reinterpret_cast<const std::uint8_t*>(volume.data())), 3u);
        EXPECT_TRUE(volumeMatches(home / "out", "#0000007", i, 3, packed));
    }
    EXPECT_EQ(volumeName("#0000007", 2), "#0000007.002");

    // Joined again at their offsets.
    OutputFile joined;
    ASSERT_TRUE(joined.create(home / "joined"));
    int count = 0;
    for (int i = 0; i < 3; ++i) count = readVolume(home / "out", "#0000007", i, i == 0 ? 0 : count, joined, texts);
    joined.close();
    EXPECT_TRUE(test::readFile(home / "joined") == compressed);

    // Read through as one stream, in pieces that straddle the volumes.
    VolumeSource volumes(home / "out", "#0000007", 3);
    std::string streamed;
    StringSink sink(streamed);
    std::vector<std::uint8_t> piece(100003);
    while (const std::size_t n = volumes.read(piece.data(), piece.size())) sink.put(piece.data(), n);
    EXPECT_FALSE(volumes.failed());
    EXPECT_TRUE(streamed == compressed);

    // A damaged volume no longer matches; a missing one fails the stream.
    test::writeFile(home / "out" / "#0000007.002", std::string("\x03\x00\x00\x00", 4) + "?");
    EXPECT_FALSE(volumeMatches(home / "out", "#0000007", 2, 3, packed));
    EXPECT_FALSE(volumeMatches(home / "out", "#0000007", 1, 2, packed));  // another count
    fs::remove(home / "out" / "#0000007.001");
    VolumeSource broken(home / "out", "#0000007", 3);
    EXPECT_EQ(broken.read(piece.data(), piece.size()), piece.size());
    std::uint64_t total = piece.size();
    while (const std::size_t n = broken.read(piece.data(), piece.size())) total += n;
    EXPECT_EQ(total, kVolumeDataSize);  // the first volume only
    EXPECT_TRUE(broken.failed());
}

TEST_F(ArchiveFilesTest, ReadingVolumesChecksLabelsAndShares) {
    OutputFile joined;
    ASSERT_TRUE(joined.create(home / "joined"));
    const auto read = [&](int index, int expected) {
        return errorOf([&] { readVolume(home / "out", "#0000001", index, expected, joined, texts); });
    };
    EXPECT_EQ(read(0, 0), "Missing file #0000001.000");
    settings.list().setValue("Language", "RUS");
    EXPECT_EQ(read(0, 0), "Отсутствует файл #0000001.000");
    EXPECT_EQ(read(1, 2), "Отсутствует файл #0000001.001");
    const std::string two = std::string("\x02\x00\x00\x00", 4);
    test::writeFile(home / "out" / "#0000001.001", std::string("\x03\x00\x00\x00", 4) + "data");
    EXPECT_EQ(read(1, 2), "Метка другого архива");
    settings.list().setValue("Language", "ENG");
    test::writeFile(home / "out" / "#0000001.000", "\x02");
    EXPECT_EQ(read(0, 0), "Error reading volume label");
    test::writeFile(home / "out" / "#0000001.000", two + "short");
    EXPECT_EQ(read(0, 0), "Error reading data");  // not the last volume, so it must be full
    test::writeFile(home / "out" / "#0000001.000", std::string("\x00\x00\x00\x00", 4) + "x");
    EXPECT_EQ(read(0, 0), "Error reading volume label");
    test::writeFile(home / "out" / "#0000002.000", std::string("\x01\x00\x00\x00", 4) + "abc");
    EXPECT_EQ(readVolume(home / "out", "#0000002", 0, 0, joined, texts), 1);
}

}  // namespace
}  // namespace lumo::admin
