// lumo-archive: the archiver's sequences and the .lzw codec for administrators
// who archive in batches. Runs without prompts; a failure ends with its
// message and a non-zero exit status.
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "admin/archiver.h"
#include "admin/lzw_file.h"
#include "archive_command_line.h"
#include "core/clock.h"
#include "core/data_home.h"
#include "core/examinee.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "core/text_format.h"
#include "core/texts/admin.h"
#include "core/workstation.h"

namespace {

namespace fs = std::filesystem;
using namespace lumo;

// Status texts on standard output, problems on standard error; every
// question is answered as a batch would: go on, and never retry.
class ConsoleView : public admin::ArchiverView {
public:
    void showStatus(const std::string& text) override { std::cout << text << std::endl; }
    void showGauge(int, int) override {}
    bool confirm(const std::string&) override { return true; }
    void inform(const std::string& text) override { std::cout << text << std::endl; }
    bool askRetry(const std::string& text) override {
        std::cerr << "lumo-archive: " << text << std::endl;
        return false;
    }
    void showError(const std::string& text) override { std::cerr << "lumo-archive: " << text << std::endl; }
};

int runExaminee(const tools::ArchiveCommandLine& line) {
    const core::DataHomeChoice home = core::chooseDataHome(core::processDataHomeSources(line.home));
    if (!core::holdsSettingsFile(home.path)) {
        std::cerr << "lumo-archive: no data home at " << home.path.string()
                  << " (use --home DIR, or seed one with lumo --init-home DIR)" << std::endl;
        return 1;
    }
    core::Workstation ws(home.path, std::make_unique<core::SystemClock>());
    try {
        ws.initialise();
    } catch (const std::exception& error) {
        std::cerr << "lumo-archive: " << error.what() << std::endl;
        return 1;
    }
    const std::string code = core::fileCodeFromArgument(line.code);
    const int position = ws.records().examinees().indexOf(code);
    if (position < 0) {
        std::cerr << "lumo-archive: " << core::formatText(ws.texts()(txt::ArchToolNoExaminee), {code}) << std::endl;
        return 1;
    }
    const core::TSubj subject = ws.records().examinees().at(static_cast<std::size_t>(position));
    const bool compress = line.action == tools::ArchiveCommandLine::Action::Compress;
    if (compress == (subject.archive != " ")) {
        std::cerr << "lumo-archive: " << ws.texts()(compress ? txt::ArchToolArchived : txt::ArchToolNotArchived)
                  << std::endl;
        return 1;
    }
    // A batch writes its volumes to a folder of its own naming: make it.
    std::error_code made;
    if (compress) fs::create_directories(line.folder, made);
    if (made) {
        std::cerr << "lumo-archive: " << line.folder << ": " << made.message() << std::endl;
        return 1;
    }
    ConsoleView view;
    fs::path target = line.folder;
    if (!target.string().ends_with('/')) target += '/';
    admin::Archiver archiver(ws, view, subject, 'C', target);
    const admin::Archiver::Result result = compress ? archiver.compress() : archiver.decompress();
    return result == admin::Archiver::Result::Failed ? 1 : 0;
}

int runCodec(const tools::ArchiveCommandLine& line) {
    core::StringTable table;
    core::Settings settings{fs::path()};
    core::Texts texts(table, settings);
    admin::Tlzrw1v component(texts);
    component.setInputFile(line.input);
    component.setOutputFile(line.output);
    component.setCompressMode(line.mode == "fast"   ? admin::CompressMode::Fast
                              : line.mode == "good" ? admin::CompressMode::Good
                                                    : admin::CompressMode::Auto);
    try {
        if (line.action == tools::ArchiveCommandLine::Action::Pack) {
            const std::uint64_t written = component.compress();
            std::cout << line.output << ": " << written << " bytes ("
                      << (component.lastMethod() == admin::LzwMethod::Lzrw1Kh ? "LZRW1/KH" : "LZHUF") << ")"
                      << std::endl;
        } else {
            const std::uint64_t written = component.decompress();
            std::cout << line.output << ": " << written << " bytes" << std::endl;
        }
    } catch (const std::exception& error) {
        std::cerr << "lumo-archive: " << error.what() << std::endl;
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const tools::ArchiveCommandLine line =
        tools::parseArchiveCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!line.error.empty()) {
        std::cerr << "lumo-archive: " << line.error << "\n\n" << tools::archiveUsageText();
        return 2;
    }
    switch (line.action) {
        case tools::ArchiveCommandLine::Action::Help: std::cout << tools::archiveUsageText(); return 0;
        case tools::ArchiveCommandLine::Action::Compress:
        case tools::ArchiveCommandLine::Action::Decompress: return runExaminee(line);
        case tools::ArchiveCommandLine::Action::Pack:
        case tools::ArchiveCommandLine::Action::Unpack: return runCodec(line);
        case tools::ArchiveCommandLine::Action::None: break;
    }
    std::cerr << tools::archiveUsageText();
    return 2;
}
