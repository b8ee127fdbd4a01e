// The results table reader against arbitrary bytes: a damaged table must be
// refused with the system's error, and a table that reads must write back what
// reads and writes the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/errors.h"
#include "core/question_set.h"
#include "formats/results_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    lumo::core::TQstTest set(lumo::core::QuestionTypes({{"R", "Р", "Red"}, {"C", "К", "Lime"}}));
    for (const char* sign : {" R1", " C1", " К2"}) {
        lumo::core::TQsHandle question;
        question.sign = sign;
        set.questions.push_back(question);
    }
    lumo::formats::TQtFile table(set);
    try {
        table.LoadFromBytes(bytes, "fuzz.qt1");
    } catch (const lumo::LumoError&) {
        return 0;
    }
    for (int i = 1; i <= table.RowCount(); ++i) {
        table.QuestionType(i);
        table.RowMark(i);
        table.IsExcluded(i);
    }
    const std::string saved = table.SaveToBytes();
    lumo::formats::TQtFile again(set);
    again.LoadFromBytes(saved, "again.qt1");
    if (again.SaveToBytes() != saved) std::abort();
    for (int i = 1; i <= table.RowCount(); ++i) {
        table.SetExcluded(i, !table.IsExcluded(i));
        table.SetRowMark(i, table.RowMark(i));
    }
    return 0;
}
