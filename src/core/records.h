#pragma once

#include <filesystem>
#include <vector>

#include "core/exam_list.h"
#include "core/examinee.h"
#include "core/operators.h"

namespace lumo::core {

class Clock;
class Settings;

// The examinee most commands act on. An empty file code means none.
struct CurrentExaminee {
    TSubj record;
    int position = -1;    // index in the examinee list
    int examNumber = 0;   // 0 = none
    int chart = 0;        // 0 = none
    std::vector<TExam> exams;

    bool isSet() const { return !record.fileCode.empty(); }
    bool isArchived() const { return isSet() && record.archive != " "; }
    const TExam* currentExam() const;
};

// The register of examinees and operators with the current examinee.
class Records {
public:
    Records(const Settings& settings, const Clock& clock);

    // Operators first, then examinees.
    void load();

    OperatorList& operators() { return operators_; }
    const OperatorList& operators() const { return operators_; }
    ExamineeList& examinees() { return examinees_; }
    const ExamineeList& examinees() const { return examinees_; }
    CurrentExaminee& current() { return current_; }
    const CurrentExaminee& current() const { return current_; }

    std::filesystem::path datFolder() const;
    std::filesystem::path examineeFolder(const std::string& fileCode) const;
    std::filesystem::path operatorFile() const;

    // Copies the record into the current examinee (keeping exam and chart when
    // it already is current) and rebuilds its exam list. When an exam file is
    // damaged the error propagates and the examinee stays current with no exams.
    void makeCurrent(const TSubj& subject);
    // Re-reads the current examinee's exams (after a command changed its files).
    void reloadExams();
    void clearCurrent();
    // Creates the folder, writes subject.dat, puts the record in the list and
    // makes it current; false (nothing reported) when a step fails or the
    // code is no file code.
    bool saveExaminee(const TSubj& subject);
    // The same for the dialogs that show why it failed: false only for a code
    // that is no file code; a folder that cannot be made or a record that
    // cannot be written raises EInOutError (the old subject.dat stays whole).
    bool storeExaminee(const TSubj& subject);

    // The question order (1 ... 4) the next test presents: chosen in the
    // question order dialog, back to 1 whenever another exam is picked. It
    // outlives examinee changes, as the dialog that keeps it does.
    int chosenOrder() const { return chosenOrder_; }
    void setChosenOrder(int order) { chosenOrder_ = order >= 1 && order <= 4 ? order : 1; }

private:
    const Settings& settings_;
    const Clock& clock_;
    OperatorList operators_;
    ExamineeList examinees_;
    CurrentExaminee current_;
    int chosenOrder_ = 1;
};

}  // namespace lumo::core
