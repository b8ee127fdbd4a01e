#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "admin/archive_samples.h"
#include "admin/binary_io.h"
#include "admin/byte_stream.h"
#include "admin/checksum.h"
#include "admin/lzhuf.h"
#include "admin/lzrw1.h"
#include "admin/lzw_file.h"

namespace lumo::admin {
namespace {

using test::chartSample;
using test::randomBytes;
using test::resultsTableSample;
using test::textSample;

std::vector<std::string> roundTripInputs() {
    std::vector<std::string> inputs = {"", "A"};
    for (std::size_t n : {32767u, 32768u, 32769u, 65536u}) inputs.push_back(textSample(n));
    inputs.push_back(randomBytes(100000));
    inputs.push_back(std::string(70000, '\0'));
    std::string runs;
    for (int i = 0; i < 300; ++i) runs += std::string(1 + (i * 37) % 5000, static_cast<char>('a' + i % 3));
    inputs.push_back(runs);
    inputs.push_back(chartSample(40));
    inputs.push_back(resultsTableSample(12));
    return inputs;
}

TEST(LzwCodec, BothMethodsGiveBackEveryInput) {
    for (const LzwMethod method : {LzwMethod::Lzrw1Kh, LzwMethod::Lzhuf}) {
        for (const std::string& input : roundTripInputs()) {
            const std::string packed = encodeLzw(input, method);
            const LzwDecoded back = decodeLzw(packed);
            ASSERT_EQ(back.fault, LzwFault::None) << int(method) << " size " << input.size();
            EXPECT_EQ(back.method, method);
            EXPECT_TRUE(back.data == input) << int(method) << " size " << input.size();
        }
    }
}

TEST(LzwCodec, CompressesWhatRepeats) {
    const std::string chart = chartSample(60);
    EXPECT_LT(encodeLzw(chart, LzwMethod::Lzrw1Kh).size(), chart.size() * 3 / 4);
    EXPECT_LT(encodeLzw(chart, LzwMethod::Lzhuf).size(), chart.size() / 2);
    const std::string zeros(100000, '\0');
    EXPECT_LT(encodeLzw(zeros, LzwMethod::Lzrw1Kh).size(), 200u);
    EXPECT_LT(encodeLzw(zeros, LzwMethod::Lzhuf).size(), 100000u / 60 * 11 / 8);  // about 10 bits a match
}

TEST(LzwFraming, TagsSizeAndBlocks) {
    const std::string fast = encodeLzw("hello", LzwMethod::Lzrw1Kh);
    const std::string good = encodeLzw("hello", LzwMethod::Lzhuf);
    EXPECT_EQ(fast.substr(0, 4), "WRZL");
    EXPECT_EQ(good.substr(0, 4), "!HZL");
    EXPECT_EQ(getLe32(reinterpret_cast<const std::uint8_t*>(fast.data()) + 4), 5u);

    // 65 536 bytes: two full blocks and an empty one.
    const std::string packed = encodeLzw(textSample(65536), LzwMethod::Lzrw1Kh);
    std::size_t pos = kLzwHeaderSize;
    std::vector<std::size_t> lengths;
    while (pos < packed.size()) {
        const std::size_t length = std::uint8_t(packed[pos]) | (std::uint8_t(packed[pos + 1]) << 8);
        lengths.push_back(length);
        pos += 2 + length;
    }
    ASSERT_EQ(lengths.size(), 3u);
    EXPECT_EQ(pos, packed.size());
    EXPECT_EQ(packed[kLzwHeaderSize + 2], char(kLzrw1Compressed));
    std::uint8_t empty[1];
    std::size_t produced = 99;
    EXPECT_EQ(lzrw1DecompressBlock(reinterpret_cast<const std::uint8_t*>(packed.data()) + packed.size() - lengths[2],
                                   lengths[2], empty, 0, produced),
              DecodeStatus::Ok);
    EXPECT_EQ(produced, 0u);

    // The empty input is one empty block.
    EXPECT_EQ(encodeLzw("", LzwMethod::Lzrw1Kh).size(), kLzwHeaderSize + 2 + 1);
}

TEST(Lzrw1Block, ItemLayout) {
    Lzrw1Compressor compressor;
    std::uint8_t out[kLzrw1WorkSize];
    // Random bytes do not shrink: stored as they are behind the flag 128.
    const std::string noise = randomBytes(1000);
    ASSERT_EQ(compressor.compressBlock(reinterpret_cast<const std::uint8_t*>(noise.data()), noise.size(), out), 1001u);
    EXPECT_EQ(out[0], kLzrw1Stored);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out + 1), 1000), noise);

    // "abcdefgh" twice then 40 'z': eight literals, a copy of 8 at distance 8,
    // a run of 40; the control word's bits say so, high byte first.
    const std::string input = std::string("abcdefghabcdefgh") + std::string(40, 'z') + "0123456789";
    const std::size_t length = compressor.compressBlock(reinterpret_cast<const std::uint8_t*>(input.data()),
                                                        input.size(), out);
    ASSERT_EQ(out[0], kLzrw1Compressed);
    // Items: 8 literals, copy, run, 10 literals: 20 items in two groups.
    EXPECT_EQ(out[1], 0x00);
    EXPECT_EQ(out[2], 0xC0);  // items 9 and 10 are a copy and a run
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out + 3), 8), "abcdefgh");
    EXPECT_EQ(out[11], 0x00);        // distance 8: high 8 bits
    EXPECT_EQ(out[12], 0x80 | 5);    // low 4 bits of the distance, length 8 - 3
    EXPECT_EQ(out[13], 0x00);        // run: first 12 bits zero
    EXPECT_EQ(out[14], 0x00);        // length 40 - 16 = 24, high byte first
    EXPECT_EQ(out[15], 24);
    EXPECT_EQ(out[16], 'z');
    EXPECT_EQ(length, 1u + 2 + 8 + 2 + 4 + 6 + 2 + 4);
    // Six literals end the first group; the second holds four literals,
    // so its control word is all zeros.
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out + 17), 6), "012345");
    EXPECT_EQ(out[23], 0x00);
    EXPECT_EQ(out[24], 0x00);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out + 25), 4), "6789");
    std::uint8_t back[kLzrw1BlockSize];
    std::size_t produced = 0;
    ASSERT_EQ(lzrw1DecompressBlock(out, length, back, sizeof back, produced), DecodeStatus::Ok);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(back), produced), input);
}

TEST(Lzrw1Block, RefusesWhatTheCompressorNeverWrites) {
    std::uint8_t out[64];
    std::size_t produced = 0;
    const auto decode = [&](std::vector<std::uint8_t> block, std::size_t capacity = 64) {
        return lzrw1DecompressBlock(block.data(), block.size(), out, capacity, produced);
    };
    EXPECT_EQ(decode({7, 1, 2}), DecodeStatus::Corrupt);                    // unknown flag
    EXPECT_EQ(decode({64, 0x80}), DecodeStatus::Truncated);                 // half a control word
    EXPECT_EQ(decode({64, 0x80, 0x00, 0x01}), DecodeStatus::Truncated);     // half a copy
    EXPECT_EQ(decode({64, 0x80, 0x00, 0x00, 0x00, 0x10}), DecodeStatus::Truncated);  // half a run
    EXPECT_EQ(decode({64, 0x40, 0x00, 'a', 0x00, 0x20}), DecodeStatus::Corrupt);  // distance 2 after 1 byte
    EXPECT_EQ(decode({64, 0x80, 0x00, 0x00, 0x00, 0x40, 'x'}), DecodeStatus::Corrupt);  // run of 80 into 64
    EXPECT_EQ(decode({128, 1, 2, 3}, 2), DecodeStatus::Corrupt);            // stored block too long
    EXPECT_EQ(decode({64, 0x00, 0x00, 'a', 'b'}), DecodeStatus::Ok);
    EXPECT_EQ(produced, 2u);
}

// A compressed block written item by item: a literal byte, or a copy.
struct Item {
    char literal = 0;
    std::size_t distance = 0;
    std::size_t length = 0;
};
std::vector<std::uint8_t> blockOf(const std::vector<Item>& items) {
    std::vector<std::uint8_t> block = {kLzrw1Compressed};
    for (std::size_t first = 0; first < items.size(); first += 16) {
        const std::size_t control = block.size();
        block.resize(block.size() + 2);
        unsigned bits = 0;
        for (std::size_t i = first; i < std::min(items.size(), first + 16); ++i) {
            if (items[i].length == 0) {
                block.push_back(static_cast<std::uint8_t>(items[i].literal));
                continue;
            }
            bits |= 0x8000u >> (i - first);
            block.push_back(static_cast<std::uint8_t>(items[i].distance >> 4));
            block.push_back(static_cast<std::uint8_t>(((items[i].distance & 0xF) << 4) | (items[i].length - 3)));
        }
        block[control] = static_cast<std::uint8_t>(bits >> 8);
        block[control + 1] = static_cast<std::uint8_t>(bits & 0xFF);
    }
    return block;
}
std::vector<Item> literals(const std::string& text) {
    std::vector<Item> items;
    for (const char ch : text) items.push_back({ch});
    return items;
}

TEST(Lzrw1Block, CopiesNearAndFarAndAtTheEnd) {
    const std::string head = "abcdefghijklmnopqrstuvwxyz";
    const std::string tail(40, '.');
    std::uint8_t out[kLzrw1BlockSize];
    std::size_t produced = 0;
    const auto decode = [&](std::vector<Item> items, std::size_t capacity = kLzrw1BlockSize) {
        const std::vector<Item> after = literals(tail);
        std::vector<Item> all = literals(head);
        all.insert(all.end(), items.begin(), items.end());
        all.insert(all.end(), after.begin(), after.end());
        const std::vector<std::uint8_t> block = blockOf(all);
        const DecodeStatus status = lzrw1DecompressBlock(block.data(), block.size(), out, capacity, produced);
        return status == DecodeStatus::Ok ? std::string(reinterpret_cast<char*>(out), produced) : std::string("!");
    };
    // A copy from fewer bytes back than it is long repeats them.
    EXPECT_EQ(decode({{0, 1, 18}}), head + std::string(18, 'z') + tail);
    EXPECT_EQ(decode({{0, 3, 10}}), head + "xyzxyzxyzx" + tail);
    EXPECT_EQ(decode({{0, 5, 12}}), head + "vwxyzvwxyzvw" + tail);
    EXPECT_EQ(decode({{0, 8, 18}}), head + "stuvwxyzstuvwxyzst" + tail);
    EXPECT_EQ(decode({{0, 26, 5}, {0, 9, 4}}), head + "abcdewxyz" + tail);
    // Exactly filling what the caller has room for, and one byte more.
    const std::size_t exact = head.size() + 18 + tail.size();
    EXPECT_EQ(decode({{0, 20, 18}}, exact), head + "ghijklmnopqrstuvwx" + tail);
    EXPECT_EQ(decode({{0, 20, 18}}, exact - 1), "!");
    // From before the start, well inside a block.
    EXPECT_EQ(decode({{0, 27, 3}}), "!");
    EXPECT_EQ(decode({{0, 4000, 3}}), "!");
}

TEST(Lzrw1Block, TwoBlocksAtOnceAsOneAfterTheOther) {
    const std::string chart = chartSample(80);
    const std::string text = textSample(kLzrw1BlockSize);
    const std::string noise = randomBytes(kLzrw1BlockSize);
    const std::string runs = std::string(20000, 'a') + textSample(12768);
    const std::vector<std::pair<std::string, std::string>> pairs = {
        {chart.substr(0, kLzrw1BlockSize), chart.substr(kLzrw1BlockSize, kLzrw1BlockSize)},
        {text, noise}, {noise, text}, {runs, chart.substr(0, 100)}, {text, ""}};
    Lzrw1Compressor single;
    Lzrw1Compressor paired;
    for (const auto& [first, second] : pairs) {
        std::vector<std::uint8_t> a(kLzrw1WorkSize), b(kLzrw1WorkSize), pa(kLzrw1WorkSize), pb(kLzrw1WorkSize);
        const auto* one = reinterpret_cast<const std::uint8_t*>(first.data());
        const auto* two = reinterpret_cast<const std::uint8_t*>(second.data());
        const std::size_t lengthA = single.compressBlock(one, first.size(), a.data());
        const std::size_t lengthB = single.compressBlock(two, second.size(), b.data());
        std::copy(one, one + first.size(), paired.input(0));
        std::copy(two, two + second.size(), paired.input(1));
        const auto lengths = paired.compressInputs(first.size(), pa.data(), second.size(), pb.data());
        ASSERT_EQ(lengths[0], lengthA);
        ASSERT_EQ(lengths[1], lengthB);
        EXPECT_TRUE(std::equal(a.begin(), a.begin() + lengthA, pa.begin()));
        EXPECT_TRUE(std::equal(b.begin(), b.begin() + lengthB, pb.begin()));
    }
}

// Stored .lzw files must read, and new ones be written, byte for byte as
// before: CRC-32 and size of the files the first version wrote.
TEST(LzwCodec, CompressedBytesStayAsWritten) {
    std::string runs;
    for (int i = 0; i < 300; ++i) runs += std::string(1 + (i * 37) % 5000, static_cast<char>('a' + i % 3));
    struct Case {
        std::string input;
        std::size_t fastSize;
        std::uint32_t fastCrc;
        std::size_t goodSize;
        std::uint32_t goodCrc;
    };
    const Case cases[] = {
        {chartSample(300), 76499, 0x7185EA09, 49132, 0xC71F98CB},
        {resultsTableSample(40), 30844, 0xE6EF9526, 14889, 0x2D8AFBF4},
        {randomBytes(70000), 70017, 0xF22A391B, 70165, 0x1E1DBEE7},
        {runs, 1583, 0x044D3BC6, 15039, 0xD251DD6D},
    };
    for (const Case& c : cases) {
        const std::string fast = encodeLzw(c.input, LzwMethod::Lzrw1Kh);
        const std::string good = encodeLzw(c.input, LzwMethod::Lzhuf);
        EXPECT_EQ(fast.size(), c.fastSize);
        EXPECT_EQ(crc32(fast), c.fastCrc);
        EXPECT_EQ(good.size(), c.goodSize);
        EXPECT_EQ(crc32(good), c.goodCrc);
    }
}

// A source that gives fewer bytes than it promised: the encoders say so.
TEST(LzwStreams, AnInputThatEndsEarlyIsReported) {
    const std::string data = chartSample(200);
    for (const LzwMethod method : {LzwMethod::Lzrw1Kh, LzwMethod::Lzhuf}) {
        std::string out;
        StringSink sink(out);
        MemorySource whole(data);
        EXPECT_TRUE(encodeLzw(whole, data.size(), method, sink));
        for (const std::size_t given : {std::size_t{0}, std::size_t{1000}, data.size() - 1}) {
            MemorySource part(std::string_view(data).substr(0, given));
            EXPECT_FALSE(encodeLzw(part, data.size(), method, sink)) << given;
        }
    }
}

TEST(LzwCodec, CorruptOrTruncatedFilesAreRefused) {
    const std::string input = chartSample(20);
    for (const LzwMethod method : {LzwMethod::Lzrw1Kh, LzwMethod::Lzhuf}) {
        const std::string packed = encodeLzw(input, method);
        EXPECT_EQ(decodeLzw("WRZ").fault, LzwFault::NotCompressed);
        EXPECT_EQ(decodeLzw("ABCD1234").fault, LzwFault::NotCompressed);
        EXPECT_EQ(decodeLzw(packed.substr(0, 6)).fault, LzwFault::Truncated);
        EXPECT_EQ(decodeLzw(packed.substr(0, packed.size() / 2)).fault, LzwFault::Truncated) << int(method);
        // A stored size that differs from the data.
        std::string wrongSize = packed;
        wrongSize[4] = static_cast<char>(wrongSize[4] + 1);
        EXPECT_NE(decodeLzw(wrongSize).fault, LzwFault::None);
        std::string smaller = packed;
        smaller[5] = static_cast<char>(smaller[5] - 1);
        EXPECT_EQ(decodeLzw(smaller).fault, LzwFault::Corrupt) << int(method);
        // A promised size far beyond the data must not be allocated.
        std::string huge = packed;
        huge[7] = static_cast<char>(0x7F);
        EXPECT_NE(decodeLzw(huge).fault, LzwFault::None);
    }
}

TEST(Lzhuf, StreamEndingEarlyIsTruncated) {
    const std::string text = textSample(5000);
    const std::string packed = lzhufCompress(text);
    std::string out;
    EXPECT_EQ(lzhufDecompress(packed, text.size(), out), DecodeStatus::Ok);
    EXPECT_EQ(out, text);
    EXPECT_EQ(lzhufDecompress(packed.substr(0, packed.size() - 40), text.size(), out), DecodeStatus::Truncated);
    EXPECT_EQ(lzhufDecompress("", 1, out), DecodeStatus::Truncated);
    // A first symbol that copies from before the start.
    std::string bad;
    for (int i = 0; i < 64; ++i) bad.push_back(static_cast<char>(0xFF));
    EXPECT_NE(lzhufDecompress(bad, 100, out), DecodeStatus::Ok);
}

TEST(LzwAutomaticMode, SamplesDecide) {
    EXPECT_EQ(adviseMethod(std::string(98303, 'a')), LzwMethod::Lzhuf);  // too small to sample
    EXPECT_EQ(adviseMethod(std::string(98304, 'a')), LzwMethod::Lzrw1Kh);
    EXPECT_EQ(adviseMethod(randomBytes(200000)), LzwMethod::Lzhuf);
    // Only the samples count: the thirds at 1/3 and 2/3 rounded down to 32 KB.
    std::string mixed = randomBytes(6 * 32768);
    std::fill(mixed.begin() + 2 * 32768, mixed.begin() + 3 * 32768, 'x');
    std::fill(mixed.begin() + 4 * 32768, mixed.begin() + 5 * 32768, 'y');
    EXPECT_EQ(adviseMethod(mixed), LzwMethod::Lzrw1Kh);
    std::fill(mixed.begin() + 4 * 32768, mixed.begin() + 5 * 32768, 0);
    const std::string noise = randomBytes(32768, 9);
    std::copy(noise.begin(), noise.end(), mixed.begin() + 4 * 32768);
    EXPECT_EQ(adviseMethod(mixed), LzwMethod::Lzhuf);

    EXPECT_EQ(compressModeFromSetting("fast"), CompressMode::Fast);
    EXPECT_EQ(compressModeFromSetting("GOOD"), CompressMode::Good);
    EXPECT_EQ(compressModeFromSetting(""), CompressMode::Auto);
    EXPECT_EQ(methodFor(CompressMode::Fast, ""), LzwMethod::Lzrw1Kh);
}

}  // namespace
}  // namespace lumo::admin
