#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "admin/archive_samples.h"
#include "admin/lzw_file.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "core/test_home.h"

namespace lumo::admin {
namespace {

namespace fs = std::filesystem;

class Lzrw1vTest : public ::testing::Test {
protected:
    Lzrw1vTest() : settings(home.path()), texts(table, settings) {}

    // The message the component raised, or "" when it raised nothing.
    template <typename Action>
    std::string messageOf(Action action) {
        try {
            action();
        } catch (const ELzrw1Exception& error) {
            return error.what();
        }
        return {};
    }

    test::TempHome home;
    core::StringTable table;
    core::Settings settings;
    core::Texts texts;
};

TEST_F(Lzrw1vTest, CompressesAndDecompressesFilesWithEvents) {
    const std::string data = test::chartSample(30);
    test::writeFile(home / "in.bin", data);
    for (const CompressMode mode : {CompressMode::Fast, CompressMode::Good}) {
        Tlzrw1v component(texts);
        std::vector<std::uint64_t> reads;
        int finished = 0;
        component.onUpdate = [&](std::uint64_t read, std::uint64_t) { reads.push_back(read); };
        component.onFinish = [&] { ++finished; };
        component.setCompressMode(mode);
        component.setInputFile(home / "in.bin");
        component.setOutputFile(home / "out.lzw");
        const std::uint64_t written = component.compress();
        EXPECT_EQ(written, fs::file_size(home / "out.lzw"));
        EXPECT_EQ(test::readFile(home / "out.lzw").substr(0, 4), mode == CompressMode::Fast ? "WRZL" : "!HZL");
        ASSERT_FALSE(reads.empty());
        EXPECT_TRUE(std::is_sorted(reads.begin(), reads.end()));
        EXPECT_EQ(reads.back(), data.size());
        EXPECT_EQ(finished, 1);

        component.setInputFile(home / "out.lzw");
        component.setOutputFile(home / "back.bin");
        EXPECT_EQ(component.decompress(), data.size());
        EXPECT_EQ(finished, 2);
        EXPECT_TRUE(test::readFile(home / "back.bin") == data);
    }
}

TEST_F(Lzrw1vTest, AutomaticModeFollowsTheAdvice) {
    test::writeFile(home / "zeros.bin", std::string(200000, '\0'));
    test::writeFile(home / "small.bin", std::string(1000, '\0'));
    Tlzrw1v component(texts);
    component.setOutputFile(home / "out.lzw");
    component.setInputFile(home / "zeros.bin");
    EXPECT_EQ(component.advise(), LzwMethod::Lzrw1Kh);
    component.compress();
    EXPECT_EQ(test::readFile(home / "out.lzw").substr(0, 4), "WRZL");
    component.setInputFile(home / "small.bin");
    component.compress();
    EXPECT_EQ(test::readFile(home / "out.lzw").substr(0, 4), "!HZL");
}

TEST_F(Lzrw1vTest, MessagesOfTheComponent) {
    Tlzrw1v component(texts);
    const std::string missing = (home / "missing.bin").string();
    component.setInputFile(missing);
    component.setOutputFile(home / "out.bin");
    EXPECT_EQ(messageOf([&] { component.compress(); }), "LZRWKH1 : Inputfile " + missing + " not found !");
    EXPECT_EQ(messageOf([&] { component.decompress(); }), "Lzrw1 : Inputfile " + missing + " not found !");

    test::writeFile(home / "plain.txt", "not an archive at all");
    component.setInputFile(home / "plain.txt");
    EXPECT_EQ(messageOf([&] { component.decompress(); }),
              "Lzrw1 : " + (home / "plain.txt").string() + " : NOT A COMPRESSED FILE !");
    EXPECT_FALSE(fs::exists(home / "out.bin"));

    const std::string data = test::textSample(50000);
    for (const LzwMethod method : {LzwMethod::Lzrw1Kh, LzwMethod::Lzhuf}) {
        const std::string packed = encodeLzw(data, method);
        const bool kh = method == LzwMethod::Lzrw1Kh;
        test::writeFile(home / "cut.lzw", packed.substr(0, packed.size() - 100));
        component.setInputFile(home / "cut.lzw");
        EXPECT_EQ(messageOf([&] { component.decompress(); }),
                  std::string(kh ? "Lzrw1/KH" : "Lzrw1/LZH") + " : READ ERROR ON " + (home / "cut.lzw").string() + " !");
        std::string shorter = packed;
        shorter[4] = static_cast<char>(shorter[4] - 1);
        test::writeFile(home / "size.lzw", shorter);
        component.setInputFile(home / "size.lzw");
        EXPECT_EQ(messageOf([&] { component.decompress(); }),
                  std::string(kh ? "Lzrw1/KH" : "Lzrw1/LZH") + " : Sizes do not match !! Corruption");
        EXPECT_FALSE(fs::exists(home / "out.bin"));
    }

    // An output that cannot be created; then the Russian texts.
    test::writeFile(home / "in.bin", data);
    component.setInputFile(home / "in.bin");
    component.setOutputFile(home / "no-such-folder" / "out.lzw");
    const std::string output = (home / "no-such-folder" / "out.lzw").string();
    EXPECT_EQ(messageOf([&] { component.compress(); }), "Lzrw1 : Outputfile " + output + " can not be opened !");
    settings.list().setValue("Language", "RUS");
    EXPECT_EQ(messageOf([&] { component.compress(); }), "Lzrw1 : Выходной файл " + output + " не может быть открыт !");
}

}  // namespace
}  // namespace lumo::admin
