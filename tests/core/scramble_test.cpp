#include "core/scramble.h"

#include <gtest/gtest.h>

#include <random>

namespace lumo::core {
namespace {

TEST(Scramble, EveryLengthUpTo255RoundTrips) {
    std::mt19937 random(1251);
    std::uniform_int_distribution<int> byte(0, 255);
    EXPECT_EQ(scrambleBytes(""), "");
    EXPECT_EQ(unscrambleBytes(""), "");
    for (std::size_t n = 0; n <= 255; ++n) {
        std::string plain(n, '\0');
        for (char& c : plain) c = static_cast<char>(byte(random));
        const std::string scrambled = scrambleBytes(plain);
        ASSERT_EQ(scrambled.size(), n);
        ASSERT_EQ(unscrambleBytes(scrambled), plain) << "length " << n;
    }
}

TEST(Scramble, ShortTextsAddTheKey) {
    EXPECT_EQ(scrambleBytes("A"), "\x92");  // 'A' + 'Q'
    EXPECT_EQ(unscrambleBytes("\x92"), "A");
    // Byte sums wrap modulo 256: 0xFF + 'Q' = 0x50.
    EXPECT_EQ(scrambleBytes("\xFF"), "\x50");
    EXPECT_EQ(unscrambleBytes("\x50"), "\xFF");
    EXPECT_EQ(scrambleBytes(std::string(8, '\0')), "QUENTARB");
}

TEST(Scramble, BytesPastTheKeyChainToScrambledBytes) {
    // The ninth byte adds the already scrambled first byte: 'I' + ('A' + 'Q').
    const std::string nine = scrambleBytes("ABCDEFGHI");
    EXPECT_EQ(static_cast<unsigned char>(nine[8]), static_cast<unsigned char>('I' + 'A' + 'Q'));
    // With zero bytes the key repeats only if the chain uses scrambled bytes.
    EXPECT_EQ(scrambleBytes(std::string(17, '\0')), "QUENTARBQUENTARBQ");
    EXPECT_EQ(unscrambleBytes("QUENTARBQUENTARBQ"), std::string(17, '\0'));
}

}  // namespace
}  // namespace lumo::core
