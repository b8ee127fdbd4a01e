#include "core/examinee.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <system_error>

#include "core/cp1251.h"
#include "core/errors.h"
#include "core/paths.h"
#include "core/text_file.h"

namespace lumo::core {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kBinaryRecordSize = 122;
constexpr char kBinaryMarker = 8;  // length byte of the 8-character file code

// A length-prefixed field of the binary record: `size` bytes, one of them the length.
struct BinaryField {
    std::size_t offset;
    std::size_t size;
};
constexpr BinaryField kBinName{9, 21};
constexpr BinaryField kBinOperator{30, 21};
constexpr BinaryField kBinDate{51, 11};
constexpr BinaryField kBinCrime{62, 16};
constexpr BinaryField kBinIssue{78, 21};
constexpr BinaryField kBinArchive{99, 2};
constexpr BinaryField kBinMark{101, 21};

std::string binaryField(std::string_view record, BinaryField field) {
    // A length byte larger than the field is clamped so the read stays inside the field.
    const std::size_t length = std::min<std::size_t>(static_cast<unsigned char>(record[field.offset]), field.size - 1);
    return fromCp1251(record.substr(field.offset + 1, length));
}

// The archive flag is one character; a lost flag means "not archived" rather
// than hiding the examinee's charts behind an archive that does not exist.
std::string archiveFlag(std::string_view stored) {
    std::string flag = leftChars(stored, 1);
    return flag.empty() ? std::string(" ") : flag;
}

TSubj readBinary(std::string_view bytes, const fs::path& path, const std::string& fileCode) {
    if (bytes.size() < kBinaryRecordSize) {
        throw EInOutError("Read beyond end of file \"" + path.string() + "\"");
    }
    TSubj subject;
    subject.fileCode = fileCode;
    subject.name = binaryField(bytes, kBinName);
    subject.operatorName = binaryField(bytes, kBinOperator);
    subject.date = binaryField(bytes, kBinDate);
    subject.crime = binaryField(bytes, kBinCrime);
    subject.issue = binaryField(bytes, kBinIssue);
    subject.archive = archiveFlag(binaryField(bytes, kBinArchive));
    subject.mark = binaryField(bytes, kBinMark);
    return subject;
}

TSubj readKeyValues(std::string_view bytes, const std::string& fileCode) {
    TSubj subject;
    subject.fileCode = fileCode;
    std::string archive;
    struct Slot {
        std::string_view key;
        std::string* value;
        bool seen = false;
    };
    std::array<Slot, 7> slots{{{"NAME", &subject.name},
                               {"OPERATOR", &subject.operatorName},
                               {"DATE", &subject.date},
                               {"CRIME", &subject.crime},
                               {"ISSUE", &subject.issue},
                               {"ARCHIVE", &archive},
                               {"MARK", &subject.mark}}};
    for (const std::string& line : splitTextLines(bytes)) {
        const auto eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string key = upperCase(std::string_view(line).substr(0, eq));
        for (Slot& slot : slots) {
            // The first line of a key counts, as a name=value lookup finds it.
            if (!slot.seen && slot.key == key) {
                *slot.value = line.substr(eq + 1);
                slot.seen = true;
            }
        }
    }
    subject.date = leftChars(subject.date, 10);
    subject.archive = archiveFlag(archive);
    return subject;
}

// Values are single-line texts; a line break inside one would forge further keys.
std::string oneLine(std::string_view value) {
    std::string out(value);
    std::replace(out.begin(), out.end(), '\r', ' ');
    std::replace(out.begin(), out.end(), '\n', ' ');
    return out;
}

}  // namespace

std::string fileCodeFromArgument(const std::string& argument) {
    const bool digits = !argument.empty() && argument.size() <= 7 &&
                        std::all_of(argument.begin(), argument.end(), [](char c) { return c >= '0' && c <= '9'; });
    return digits ? examineeFileCode(std::stoi(argument)) : argument;
}

std::string examineeFileCode(int ordinal) {
    if (ordinal < 0 || ordinal > 9'999'999) {
        throw EConvertError("'" + std::to_string(ordinal) + "' is not a valid examinee number");
    }
    char code[16];
    std::snprintf(code, sizeof code, "#%07d", ordinal);
    return code;
}

bool looksLikeFileCode(std::string_view name) {
    // The code names a folder under DAT, so it may hold no path separator.
    return !name.empty() && name.front() == '#' && charCount(name) == 8 &&
           name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

TSubj readSubjectFile(const fs::path& path, const std::string& fileCode) {
    const std::string bytes = readFileBytes(path);
    if (bytes.empty()) throw EInOutError("Read beyond end of file \"" + path.string() + "\"");
    if (bytes.front() == kBinaryMarker) return readBinary(bytes, path, fileCode);
    return readKeyValues(bytes, fileCode);
}

void writeSubjectFile(const fs::path& path, const TSubj& subject) {
    const std::array<std::pair<const char*, const std::string*>, 8> fields{{{"FileCode", &subject.fileCode},
                                                                            {"Name", &subject.name},
                                                                            {"Operator", &subject.operatorName},
                                                                            {"Date", &subject.date},
                                                                            {"Crime", &subject.crime},
                                                                            {"Issue", &subject.issue},
                                                                            {"Archive", &subject.archive},
                                                                            {"Mark", &subject.mark}}};
    std::vector<std::string> lines;
    for (const auto& [key, value] : fields) {
        if (!value->empty()) lines.push_back(std::string(key) + "=" + oneLine(*value));
    }
    writeTextLines(path, lines);
}

void ExamineeList::load(const fs::path& datFolder) {
    std::vector<TSubj> loaded;
    for (const std::string& entry : findEntries(datFolder, "#*")) {
        if (!looksLikeFileCode(entry)) continue;
        const fs::path subjectFile = resolvePath(datFolder / entry, "subject.dat");
        std::error_code ec;
        // A plain file named like a code has nothing beneath it and is skipped the same way.
        if (!fs::is_regular_file(subjectFile, ec)) continue;
        loaded.push_back(readSubjectFile(subjectFile, entry));
    }
    std::stable_sort(loaded.begin(), loaded.end(), [](const TSubj& a, const TSubj& b) {
        return upperCase(a.fileCode) < upperCase(b.fileCode);
    });
    entries_ = std::move(loaded);
}

int ExamineeList::indexOf(std::string_view fileCode) const {
    const std::string wanted = upperCase(fileCode);
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (upperCase(entries_[i].fileCode) == wanted) return static_cast<int>(i);
    }
    return -1;
}

int ExamineeList::put(const TSubj& subject) {
    const int index = indexOf(subject.fileCode);
    if (index >= 0) {
        entries_[static_cast<std::size_t>(index)] = subject;
        return index;
    }
    const std::string code = upperCase(subject.fileCode);
    const auto position = std::find_if(entries_.begin(), entries_.end(),
                                       [&](const TSubj& entry) { return code < upperCase(entry.fileCode); });
    const auto inserted = entries_.insert(position, subject);
    return static_cast<int>(inserted - entries_.begin());
}

void ExamineeList::remove(std::string_view fileCode) {
    const int index = indexOf(fileCode);
    if (index >= 0) entries_.erase(entries_.begin() + index);
}

bool removeFolder(const fs::path& folder, std::string_view removedLast) {
    std::error_code ec;
    std::vector<fs::directory_entry> entries;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) entries.push_back(*it);
    if (ec) return false;
    // A fixed order makes "the rest stays in place" the same on every run.
    const auto last = [removedLast](const fs::directory_entry& entry) {
        return !removedLast.empty() && equalsIgnoreCase(entry.path().filename().string(), removedLast);
    };
    std::sort(entries.begin(), entries.end(), [&last](const fs::directory_entry& a, const fs::directory_entry& b) {
        return last(a) != last(b) ? last(b) : a.path() < b.path();
    });
    for (const auto& entry : entries) {
        // A link is removed as a link: its target lies outside the folder being deleted.
        const bool isFolder = entry.is_directory(ec) && !entry.is_symlink(ec);
        if (isFolder) {
            if (!removeFolder(entry.path())) return false;
        } else if (!fs::remove(entry.path(), ec) || ec) {
            return false;
        }
    }
    return fs::remove(folder, ec) && !ec;
}

}  // namespace lumo::core
