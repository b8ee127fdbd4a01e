#include "platform/installed_data.h"

#include <QDirIterator>
#include <QFile>
#include <system_error>

#include "core/atomic_file.h"
#include "core/clock.h"
#include "core/errors.h"
#include "core/examinee.h"

namespace lumo::platform {

namespace fs = std::filesystem;

namespace {

void createFolder(const fs::path& folder) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) throw EInOutError("Cannot create folder \"" + folder.string() + "\": " + ec.message());
}

// The defaults an installation put beside the program (<prefix>/share/lumo
// for <prefix>/bin/lumo), so an administrator may change them; else the copy
// carried inside the program.
QString defaultsRoot() {
    std::error_code ec;
    const fs::path program = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        const fs::path installed = (program.parent_path() / ".." / "share" / "lumo").lexically_normal();
        if (fs::is_regular_file(installed / "lumo7w.ini", ec)) return QString::fromStdString(installed.string()) + '/';
    }
    return QStringLiteral(":/data/");
}

}  // namespace

void seedDataHome(const fs::path& home, bool sampleExaminee) {
    createFolder(home);
    createFolder(home / "DAT");
    const QString root = defaultsRoot();
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const fs::path target = home / source.mid(root.size()).toStdString();
        if (fs::exists(target)) continue;
        createFolder(target.parent_path());
        QFile file(source);
        if (!file.open(QIODevice::ReadOnly)) throw EInOutError("Cannot read installed file " + source.toStdString());
        const QByteArray bytes = file.readAll();
        core::writeFileAtomically(target, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    }
    if (sampleExaminee) {
        const std::string code = core::examineeFileCode(1);
        const fs::path folder = home / "DAT" / code;
        if (!fs::exists(folder / "subject.dat")) {
            createFolder(folder);
            core::TSubj subject;
            subject.fileCode = code;
            subject.name = "John Sample";
            subject.operatorName = "Operator 1";
            subject.date = core::formatDate(core::SystemClock().today());
            subject.issue = "Demo";
            subject.mark = "Sample examinee";
            core::writeSubjectFile(folder / "subject.dat", subject);
        }
    }
}

}  // namespace lumo::platform
