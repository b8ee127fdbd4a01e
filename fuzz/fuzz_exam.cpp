// The exam reader against arbitrary bytes: a damaged exam must be refused with
// the system's error, and an exam that reads must write back what reads the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/errors.h"
#include "core/question_set.h"
#include "core/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const lumo::core::QuestionTypes types({{"R", "Р", "Red"}, {"I", "И", "Fuchsia"}, {"C", "К", "Lime"},
                                           {"N", "Н", "White"}, {"O", "В", "Aqua"}, {"V", "Ж", "Yellow"},
                                           {"*", "*", "Gray"}});
    try {
        const lumo::core::TQstTest set = lumo::core::TQstTest::fromBytes(bytes, 7, "fuzz.qs_", types);
        for (int i = 1; i <= set.questionCount(); ++i) {
            set.questionType(i);
            types.signToColour(set.question(i).sign);
        }
        for (int n = 1; n <= 4; ++n) {
            if (set.questionsInOrder(n).size() != set.questions.size()) std::abort();
        }
        const std::vector<std::string> lines = set.toLines();
        const lumo::core::TQstTest again =
            lumo::core::TQstTest::fromBytes(lumo::core::joinTextLines(lines), 7, "again.qs_", types);
        if (again.toLines() != lines) std::abort();
    } catch (const lumo::LumoError&) {
    }
    return 0;
}
