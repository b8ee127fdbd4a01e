#include "core/records.h"

#include <system_error>

#include "core/errors.h"
#include "core/numbers.h"
#include "core/paths.h"
#include "core/settings.h"

namespace lumo::core {

namespace fs = std::filesystem;

const TExam* CurrentExaminee::currentExam() const {
    if (examNumber == 0) return nullptr;
    for (const TExam& exam : exams) {
        if (strToIntDef(exam.number, -1) == examNumber) return &exam;
    }
    return nullptr;
}

Records::Records(const Settings& settings, const Clock& clock) : settings_(settings), clock_(clock) {}

void Records::load() {
    operators_.load(operatorFile(), clock_);
    examinees_.load(datFolder());
}

fs::path Records::datFolder() const {
    return resolvePath(settings_.home(), "DAT");
}

fs::path Records::examineeFolder(const std::string& fileCode) const {
    return resolvePath(datFolder(), fileCode);
}

fs::path Records::operatorFile() const {
    return resolvePath(settings_.home(), "userlist.dat");
}

void Records::makeCurrent(const TSubj& subject) {
    if (subject.fileCode.empty()) {
        clearCurrent();
        return;
    }
    if (subject.fileCode != current_.record.fileCode) {
        current_.examNumber = 0;
        current_.chart = 0;
    }
    current_.record = subject;
    current_.position = examinees_.indexOf(subject.fileCode);
    // The previous examinee's exams must not survive a failed read.
    current_.exams.clear();
    current_.exams = loadExamList(examineeFolder(subject.fileCode), settings_);
}

void Records::reloadExams() {
    current_.exams.clear();
    if (current_.isSet()) current_.exams = loadExamList(examineeFolder(current_.record.fileCode), settings_);
}

void Records::clearCurrent() {
    current_ = CurrentExaminee{};
}

bool Records::saveExaminee(const TSubj& subject) {
    try {
        return storeExaminee(subject);
    } catch (const std::exception&) {
        return false;
    }
}

bool Records::storeExaminee(const TSubj& subject) {
    // A code that is not a folder name of DAT would be written where the
    // examinee list never finds it again.
    if (!looksLikeFileCode(subject.fileCode)) return false;
    const fs::path folder = examineeFolder(subject.fileCode);
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec || !fs::is_directory(folder, ec)) {
        throw EInOutError("Cannot create folder \"" + folder.string() + "\"" + (ec ? ": " + ec.message() : ""));
    }
    writeSubjectFile(resolvePath(folder, "subject.dat"), subject);
    // The list follows the file at once, so a failure below leaves them agreeing.
    examinees_.put(subject);
    makeCurrent(subject);
    return true;
}

}  // namespace lumo::core
