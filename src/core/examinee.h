#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lumo::core {

// Examinee record (fields as the record file holds them, UTF-8).
struct TSubj {
    std::string fileCode;      // "#0000001": the folder name under DAT
    std::string name;
    std::string operatorName;
    std::string date;          // "dd-mm-yyyy", at most 10 characters
    std::string crime;
    std::string issue;
    std::string archive = " ";  // "#" when the charts are archived
    std::string mark;
    bool operator==(const TSubj&) const = default;
};

// "#" and the ordinal in seven digits ("#0000007"); EConvertError outside
// 0 ... 9999999.
std::string examineeFileCode(int ordinal);
// A file code as typed on a command line: "7" stands for "#0000007" (a "#"
// needs quoting in most shells); anything else is returned unchanged.
std::string fileCodeFromArgument(const std::string& argument);
// True for "#" followed by seven characters, none of them a path separator.
bool looksLikeFileCode(std::string_view name);

// Reads DAT/code/subject.dat in either form (the binary 122-byte record when
// its first byte is 8, else key=value lines). The file code is `fileCode`.
// EInOutError naming the file when it is empty or cannot be read.
TSubj readSubjectFile(const std::filesystem::path& path, const std::string& fileCode);
// Writes the key=value form (empty fields left out), atomically.
void writeSubjectFile(const std::filesystem::path& path, const TSubj& subject);

// All examinees, sorted by file code (case-insensitive text order).
class ExamineeList {
public:
    // Scans `datFolder` for "#???????" folders holding a subject.dat.
    void load(const std::filesystem::path& datFolder);
    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    const TSubj& at(std::size_t index) const { return entries_.at(index); }
    const std::vector<TSubj>& entries() const { return entries_; }
    // Position of the code, or -1.
    int indexOf(std::string_view fileCode) const;
    // Adds or replaces the entry under its code; returns its position.
    int put(const TSubj& subject);
    void remove(std::string_view fileCode);
    void clear() { entries_.clear(); }

private:
    std::vector<TSubj> entries_;
};

// Deletes a folder with everything in it; stops at the first entry it cannot
// delete and gives false, leaving the rest in place. The entry named
// `removedLast` (any letter case) goes after all others.
bool removeFolder(const std::filesystem::path& folder, std::string_view removedLast = {});

}  // namespace lumo::core
