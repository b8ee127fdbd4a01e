#include "core/operators.h"

#include <array>
#include <system_error>

#include "core/atomic_file.h"
#include "core/clock.h"
#include "core/cp1251.h"
#include "core/scramble.h"
#include "core/text_file.h"

namespace lumo::core {

namespace {

// A field of the 64-byte record: a plain length byte, then the scrambled
// Windows-1251 bytes, then zero padding up to `size`.
struct Field {
    std::size_t offset;
    std::size_t size;
    std::string TUser::*member;
};

constexpr std::array<Field, 5> kFields{{{0, 9, &TUser::password},
                                        {9, 21, &TUser::name},
                                        {30, 2, &TUser::status},
                                        {32, 11, &TUser::date},
                                        {43, 21, &TUser::note}}};

void encodeField(std::string& record, const Field& field, std::string_view text) {
    std::string bytes = toCp1251(text);
    // One byte per character, so cutting bytes cuts characters.
    if (bytes.size() > field.size - 1) bytes.resize(field.size - 1);
    record[field.offset] = static_cast<char>(bytes.size());
    record.replace(field.offset + 1, bytes.size(), scrambleBytes(bytes));
}

std::string decodeField(std::string_view record, const Field& field) {
    // A length byte beyond the field would read into the next one: clamp it.
    const std::size_t length = std::min<std::size_t>(static_cast<unsigned char>(record[field.offset]), field.size - 1);
    return fromCp1251(unscrambleBytes(record.substr(field.offset + 1, length)));
}

}  // namespace

std::string OperatorList::encode(const std::vector<TUser>& users) {
    std::string image;
    image.reserve(users.size() * kOperatorRecordSize);
    for (const TUser& user : users) {
        std::string record(kOperatorRecordSize, '\0');
        for (const Field& field : kFields) encodeField(record, field, user.*field.member);
        image += record;
    }
    return image;
}

std::vector<TUser> OperatorList::decode(std::string_view bytes) {
    std::vector<TUser> users;
    // A trailing fragment shorter than a record is ignored.
    for (std::size_t at = 0; bytes.size() - at >= kOperatorRecordSize; at += kOperatorRecordSize) {
        const std::string_view record = bytes.substr(at, kOperatorRecordSize);
        TUser user;
        for (const Field& field : kFields) user.*field.member = decodeField(record, field);
        users.push_back(std::move(user));
    }
    return users;
}

void OperatorList::load(const std::filesystem::path& file, const Clock& clock) {
    std::error_code ec;
    if (!std::filesystem::exists(file, ec) && !ec) {
        const TUser first{std::string(kDefaultOperatorPassword), std::string(kDefaultOperatorName), "+",
                          formatDate(clock.today()), " "};
        writeFileAtomically(file, encode({first}));
        users_ = {first};
        return;
    }
    users_ = decode(readFileBytes(file));
}

void OperatorList::save(const std::filesystem::path& file) const {
    writeFileAtomically(file, encode(users_));
}

int OperatorList::indexOf(std::string_view name) const {
    for (std::size_t i = 0; i < users_.size(); ++i) {
        if (equalsIgnoreCase(users_[i].name, name)) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace lumo::core
