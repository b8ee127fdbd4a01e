#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/cp1251.h"
#include "core/errors.h"
#include "formats/bank_topic.h"

// A bank topic file against arbitrary bytes: it reads or is refused with the
// system's error; a topic read writes back to a file that reads as the same
// topic with its name on one line.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumo::formats;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    BankTopic topic;
    try {
        topic = decodeBankTopic(bytes, "fuzz.txt");
    } catch (const EBankTopicError& error) {
        if (error.line() < 1) std::abort();
        return 0;
    }
    if (topic.nameLines < 1 || topic.name.empty() || topic.name.back() != '.') std::abort();
    for (const std::string& question : topic.questions) {
        if (question.empty() || question.back() != '?') std::abort();
    }
    // Characters Windows-1251 cannot hold were already "?" on reading, and a
    // name joined from several lines holds no line break: the round trip is exact.
    BankTopic back = decodeBankTopic(encodeBankTopic(topic.name, topic.questions), "fuzz.txt");
    if (back.nameLines != 1 || back.name != topic.name || back.questions != topic.questions) std::abort();
    return 0;
}
