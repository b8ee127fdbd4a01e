#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lumo::core {

class Clock;

// Operator (examiner) record; the field limits are those of userlist.dat.
struct TUser {
    std::string password;  // at most 8 characters
    std::string name;      // at most 20, unique in the list
    std::string status;    // "+" for the first operator, "-" for later ones
    std::string date;      // "dd-mm-yyyy"
    std::string note;      // at most 20
    bool operator==(const TUser&) const = default;
};

// The operators in file order (userlist.dat: 64-byte scrambled records).
class OperatorList {
public:
    // Reads the file; a missing file is created with the default operator
    // "Operator 1" dated today. A trailing fragment under 64 bytes is ignored.
    void load(const std::filesystem::path& file, const Clock& clock);
    // Writes the whole list (atomically).
    void save(const std::filesystem::path& file) const;

    std::size_t size() const { return users_.size(); }
    bool empty() const { return users_.empty(); }
    std::vector<TUser>& users() { return users_; }
    const std::vector<TUser>& users() const { return users_; }
    int indexOf(std::string_view name) const;
    void clear() { users_.clear(); }

    // The file images, for the tests and the tools.
    static std::string encode(const std::vector<TUser>& users);
    static std::vector<TUser> decode(std::string_view bytes);

private:
    std::vector<TUser> users_;
};

inline constexpr std::string_view kDefaultOperatorName = "Operator 1";
// The default operator's password: kept in the file, never shown or asked for.
inline constexpr std::string_view kDefaultOperatorPassword = "19570412";
// Size of one operator record in userlist.dat.
inline constexpr std::size_t kOperatorRecordSize = 64;

}  // namespace lumo::core
