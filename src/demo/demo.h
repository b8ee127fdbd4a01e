#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <string>

namespace lumo::demo {

// The unattended demo examination.
struct DemoOptions {
    int charts = 3;          // 1 ... 9
    bool deceptive = true;   // the simulated examinee lies on the relevant questions
    std::uint32_t seed = 1;  // the simulated examinee's
};

struct DemoResult {
    int exitCode = 1;        // 0 when every chart was kept and the exam scored
    int chartsSaved = 0;
    std::string examinee;    // its file code
    bool hasConclusion = false;
    double mean = 0;         // the mean lie score of the relevant questions
    std::string conclusion;  // the decision text, in the home's language
};

// Records `charts` charts of a method-1 exam in the seeded data home `home`
// with an autopilot examiner against the simulated unit on a virtual clock,
// then scores the exam and prints the summary with the conclusion on `out`.
// Problems go to `err`. The home gets a new examinee each time.
DemoResult runDemo(const DemoOptions& options, const std::filesystem::path& home, std::ostream& out, std::ostream& err);

}  // namespace lumo::demo
