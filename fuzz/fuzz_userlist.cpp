// userlist.dat against arbitrary bytes: every whole record decodes, and the
// operators decoded write back to records that decode to the same operators.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/clock.h"
#include "core/operators.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumo::core;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<TUser> users = OperatorList::decode(bytes);
    if (users.size() != size / kOperatorRecordSize) std::abort();
    const std::string image = OperatorList::encode(users);
    if (image.size() != users.size() * kOperatorRecordSize || OperatorList::decode(image) != users) std::abort();

    // The file as the operator list reads it.
    const std::filesystem::path file = lumo::fuzz::scratchFolder("userlist") / "userlist.dat";
    lumo::fuzz::writeInput(file, data, size);
    const ManualClock clock;
    OperatorList list;
    list.load(file, clock);
    if (list.users() != users) std::abort();
    for (const TUser& user : users) {
        if (list.indexOf(user.name) < 0) std::abort();
    }
    return 0;
}
