// An archive volume against arbitrary bytes, brought back by the archiver the
// way the workstation does it: joined, decompressed and extracted into the
// examinee's folder. Every way out must leave no working file behind, a
// failure must keep the examinee archived, and success must clear the flag.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "admin/archiver.h"
#include "admin/solid_file.h"
#include "admin/volumes.h"
#include "core/clock.h"
#include "core/examinee.h"
#include "core/workstation.h"
#include "fuzz_support.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kFileCode = "#0000001";

// Says no to every retry: a bad volume ends the run instead of asking again.
class RefusingView : public lumo::admin::ArchiverView {
public:
    void showStatus(const std::string&) override {}
    void showGauge(int position, int maximum) override {
        if (position > maximum) std::abort();
    }
    bool confirm(const std::string&) override { return true; }
    void inform(const std::string&) override {}
    bool askRetry(const std::string&) override { return false; }
    void showError(const std::string&) override {}
};

lumo::core::TSubj archivedSubject() {
    lumo::core::TSubj subject;
    subject.fileCode = kFileCode;
    subject.name = "Fuzz";
    subject.archive = "#";
    return subject;
}

lumo::core::Workstation& workstation() {
    static const std::unique_ptr<lumo::core::Workstation> ws = [] {
        const fs::path& home = lumo::fuzz::scratchFolder("volumes");
        fs::copy_file(fs::path(LUMO_DATA_DIR) / "lumo7w.ini", home / "lumo7w.ini", fs::copy_options::overwrite_existing);
        fs::create_directories(home / "DAT" / kFileCode);
        lumo::core::writeSubjectFile(home / "DAT" / kFileCode / "subject.dat", archivedSubject());
        auto made = std::make_unique<lumo::core::Workstation>(home, std::make_unique<lumo::core::ManualClock>());
        made->initialise();
        return made;
    }();
    return *ws;
}

bool holdsWorkingFile(const fs::path& folder) {
    for (const char* name : {lumo::admin::kSolidFileName, "$$$.tmp", "#0000001.lzw"}) {
        if (fs::exists(folder / name)) return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumo;
    core::Workstation& ws = workstation();
    const fs::path folder = ws.records().examineeFolder(kFileCode);
    const fs::path target = fuzz::scratchFolder("volumes") / "target";
    fuzz::emptyFolder(folder);
    fuzz::emptyFolder(target);
    core::writeSubjectFile(folder / "subject.dat", archivedSubject());
    fuzz::writeInput(target / admin::volumeName(kFileCode, 0), data, size);

    RefusingView view;
    admin::Archiver archiver(ws, view, archivedSubject(), 'C', target);
    const admin::Archiver::Result result = archiver.decompress();
    if (result == admin::Archiver::Result::Compressed || holdsWorkingFile(folder)) std::abort();
    const bool archived = core::readSubjectFile(folder / "subject.dat", kFileCode).archive == "#";
    if (archived != (result == admin::Archiver::Result::Failed)) std::abort();
    return 0;
}
