// subject.dat in either form against arbitrary bytes: a file that reads must
// write the key=value form that reads back to the same record.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/errors.h"
#include "core/examinee.h"
#include "fuzz_support.h"

namespace {

// Values are written on one line each, so a line break read from the binary
// form comes back as a blank.
std::string asWritten(std::string value) {
    std::replace(value.begin(), value.end(), '\r', ' ');
    std::replace(value.begin(), value.end(), '\n', ' ');
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumo;
    const std::filesystem::path file = fuzz::scratchFolder("subject") / "subject.dat";
    fuzz::writeInput(file, data, size);
    core::TSubj subject;
    try {
        subject = core::readSubjectFile(file, "#0000001");
    } catch (const LumoError&) {
        return 0;
    }
    if (subject.archive.empty() || subject.fileCode != "#0000001") std::abort();
    for (std::string* field : {&subject.name, &subject.operatorName, &subject.date, &subject.crime, &subject.issue,
                               &subject.archive, &subject.mark}) {
        *field = asWritten(*field);
    }
    core::writeSubjectFile(file, subject);
    if (!(core::readSubjectFile(file, "#0000001") == subject)) std::abort();
    return 0;
}
