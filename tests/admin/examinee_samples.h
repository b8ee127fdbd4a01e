#pragma once

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/test_home.h"

// A data home for the examinee register: a crime list in both languages
// (entry 3 has 20 characters), a limit of five examinees, and subject.dat files.
namespace lumo::test {

inline constexpr const char* kLongCrime = "Armed robbery at bay";  // 20 characters

inline void writeRegisterIni(const std::filesystem::path& home, std::vector<std::string> extra = {}) {
    std::vector<std::string> lines = {"MaxSubj=5",
                                      "Eng_MaxCrime=4",
                                      "Eng_Crime1=All_examinees",
                                      "Eng_Crime2=Theft",
                                      "Eng_Crime3=Armed_robbery_at_bay",
                                      "Eng_Crime4=Fraud",
                                      "Rus_MaxCrime=3",
                                      "Rus_Crime1=Все_субъекты",
                                      "Rus_Crime2=Кража",
                                      "Rus_Crime3=Мошенничество",
                                      "SortOrder=Date",
                                      "Ascend=False"};
    lines.insert(lines.end(), extra.begin(), extra.end());
    writeMinimalIni(home, lines);
}

struct ExamineeSample {
    std::string code;
    std::string name;
    std::string date = "07-03-2001";
    std::string crime = "Theft";
    std::string issue;
    std::string mark;
    std::string archive = " ";
};

inline void writeExaminee(const std::filesystem::path& home, const ExamineeSample& s) {
    std::vector<std::string> lines = {"FileCode=" + s.code, "Name=" + s.name, "Operator=Operator 1", "Date=" + s.date,
                                      "Crime=" + s.crime};
    if (!s.issue.empty()) lines.push_back("Issue=" + s.issue);
    lines.push_back("Archive=" + s.archive);
    if (!s.mark.empty()) lines.push_back("Mark=" + s.mark);
    writeLines(home / "DAT" / s.code / "subject.dat", lines);
}

// Makes a file impossible to delete while the object lives: the immutable
// flag where the process may set it, else (not as root) a read-only folder.
class Undeletable {
public:
    explicit Undeletable(std::filesystem::path file) : file_(std::move(file)) {
        immutable_ = setImmutable(true);
        if (!immutable_ && ::geteuid() != 0) {
            readOnly_ = ::chmod(file_.parent_path().c_str(), 0555) == 0;
        }
    }
    ~Undeletable() { release(); }
    Undeletable(const Undeletable&) = delete;
    Undeletable& operator=(const Undeletable&) = delete;

    // False where neither works: the test cannot make a removal fail.
    bool active() const { return immutable_ || readOnly_; }
    void release() {
        if (immutable_) immutable_ = !setImmutable(false);
        if (readOnly_) readOnly_ = ::chmod(file_.parent_path().c_str(), 0755) != 0;
    }

private:
    bool setImmutable(bool on) const {
        const int fd = ::open(file_.c_str(), O_RDONLY);
        if (fd < 0) return false;
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (done) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
        return done;
    }

    std::filesystem::path file_;
    bool immutable_ = false;
    bool readOnly_ = false;
};

}  // namespace lumo::test
