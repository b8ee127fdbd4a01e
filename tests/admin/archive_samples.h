#pragma once

// Sample data for the archive tests and the archive benchmark: random bytes,
// text, and files shaped like the examinee folder's charts and results tables.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

namespace lumo::test {

inline std::string randomBytes(std::size_t n, std::uint32_t seed = 1) {
    std::mt19937 random(seed);
    std::string bytes(n, '\0');
    for (char& byte : bytes) byte = static_cast<char>(random() & 0xFF);
    return bytes;
}

inline std::string textSample(std::size_t n) {
    static const char* const words[] = {"examinee", "question", "control", "relevant", "neutral", "answer",
                                        "chart",    "pulse",    "skin",    "breathing", "the",    "of",
                                        "and",      "was",      "did",     "you",       "on",     "March"};
    std::mt19937 random(7);
    std::string text;
    while (text.size() < n) {
        text += words[random() % (sizeof words / sizeof *words)];
        text += (random() % 9 == 0) ? ".\r\n" : " ";
    }
    text.resize(n);
    return text;
}

namespace samples_detail {

inline void put16(std::string& out, int value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}
inline void put32(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}
inline void putFloat(std::string& out, float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, 4);
    put32(out, bits);
}
inline void putBlock(std::string& out, int range, int adc, int dac) {
    out.push_back(static_cast<char>(range));
    put16(out, adc);
    put16(out, dac);
}

}  // namespace samples_detail

// A chart file of `seconds` of recording: header, then per packet four pulse
// blocks at 32 per second, seven slow channel blocks and the mark word.
// Pulse, two breathing belts, blood volume and skin resistance with phasic
// responses after each question, plus converter noise.
inline std::string chartSample(int seconds, std::uint32_t seed = 3) {
    using namespace samples_detail;
    std::mt19937 random(seed);
    std::normal_distribution<double> noise(0.0, 1.2);
    std::string out = "RI";
    out.push_back(0x07);
    out.push_back(0x01);
    put32(out, 8);
    put32(out, 1);
    put32(out, 8);
    putFloat(out, 2048.0f);
    putFloat(out, 2047.5f);
    putFloat(out, 3.2f);
    for (int r = 0; r < 8; ++r) putFloat(out, static_cast<float>(1 << r));
    const double pi = std::acos(-1.0);
    const double heart = 1.1 + (seed % 5) * 0.07;
    double skin = 1900;
    double response = 0;
    int dacSkin = 256 << 3;
    for (int packet = 0; packet < seconds * 8; ++packet) {
        const double t = packet / 8.0;
        for (int s = 0; s < 4; ++s) {
            const double ts = t + s / 32.0;
            const double phase = std::fmod(ts * heart, 1.0);
            const double beat = std::exp(-std::pow((phase - 0.2) / 0.06, 2)) * 700 +
                                std::exp(-std::pow((phase - 0.45) / 0.1, 2)) * 180;
            putBlock(out, 3, static_cast<int>(1700 + beat + noise(random)), 250 << 3);
        }
        const double breath = std::sin(2 * pi * t / 4.3);
        putBlock(out, 2, static_cast<int>(2048 + 500 * breath + noise(random)), 255 << 3);
        putBlock(out, 2, static_cast<int>(2048 + 420 * std::sin(2 * pi * t / 4.3 - 0.3) + noise(random)), 255 << 3);
        putBlock(out, 4, static_cast<int>(2048 + 300 * std::sin(2 * pi * t * heart - 1.0) + noise(random)), 260 << 3);
        putBlock(out, 1, static_cast<int>(2048 + noise(random)), 256 << 3);
        // Skin resistance drifts down and drops after every question.
        const bool question = packet % (8 * 25) == 8 * 5;
        if (question) response = 180 + random() % 120;
        skin += -0.02 - response * 0.03;
        response *= 0.985;
        if (skin < 600) {
            skin += 1200;  // the tuner moved the offset
            dacSkin += 8;
        }
        putBlock(out, 5, static_cast<int>(skin + noise(random)), dacSkin);
        putBlock(out, 0, static_cast<int>(2048 + noise(random)), 256 << 3);
        putBlock(out, 0, static_cast<int>((skin - 1900) / 3), 0);
        int mark = packet % 8 == 0 ? packet / 8 - 1 : 0;
        if (question) mark += 1000;
        if (packet % (8 * 25) == 8 * 15) mark += 2000 + (random() % 2 ? 3000 : 4000);
        put16(out, mark < 0 ? 0 : mark);
    }
    return out;
}

// A results table as the test run writes it: text lines with CR LF, reals
// 23 characters wide in scientific notation.
inline std::string resultsTableSample(int rows, std::uint32_t seed = 5) {
    std::mt19937 random(seed);
    std::string out;
    const auto line = [&](const std::string& text) { out += text + "\r\n"; };
    const auto real = [&](double value) {
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, "% .14E", value);
        // Four exponent digits, as the table writes them.
        std::string text = buffer;
        const std::size_t e = text.find('E');
        std::string exponent = text.substr(e + 2);
        while (exponent.size() < 4) exponent = "0" + exponent;
        line(text.substr(0, e + 2) + exponent);
    };
    line("C:\\LUMO\\DAT\\#0000001\\EXAM_01.CH1");
    line("Ivanov Ivan");
    line("Operator 1");
    line("3");
    line("07-03-2001");
    line("10:15:02");
    line("10:24:40");
    for (int i = 0; i < 3; ++i) real(0);
    line(std::to_string(rows * 25 * 32));
    line(std::to_string(rows));
    real(0);
    line("15");
    line(std::to_string(rows * 25));
    for (int r = 0; r < rows; ++r) {
        line(std::to_string(1 + r % 11));
        line(r % 2 ? "+" : "-");
        line(std::to_string(r * 800 + 160));
    }
    std::uniform_real_distribution<double> feature(0.0, 900.0);
    for (int r = 0; r < rows * 15; ++r) {
        real(r % 15 < 12 ? feature(random) : 0.0);
        line(random() % 17 == 0 ? "1" : "0");
        real(0);
        real(r % 15 < 12 ? feature(random) : 0.0);
    }
    for (int r = 0; r < (rows + 1) * 10; ++r) {
        real(r < rows * 10 ? 150.0 + feature(random) / 10 : 0.0);
        real(r % 10 < 4 && random() % 3 == 0 ? double(int(random() % 7) - 3) : 0.0);
        real(0);
    }
    for (int i = 0; i < 3; ++i) line("0");
    return out;
}

}  // namespace lumo::test
