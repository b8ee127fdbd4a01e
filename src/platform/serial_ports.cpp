#include "platform/serial_ports.h"

#include <grp.h>
#include <pwd.h>
#include <unistd.h>
#include <sys/stat.h>

#include <QSerialPortInfo>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "core/string_table.h"
#include "core/text_format.h"
#include "core/texts/device.h"
#include "platform/qt_serial_link.h"

namespace lumo::platform {

std::unique_ptr<device::SerialLink> makeUnitLink(const device::UnitPortChoice& choice, TextSource texts,
                                                 const device::Scenario& scenario) {
    if (choice.simulated) {
        device::SimulatedUnitOptions options;
        options.scenario = scenario;
        return std::make_unique<RealTimeSimulatedLink>(options);
    }
    return std::make_unique<QtSerialLink>(QString::fromStdString(choice.device), choice.baudRate, std::move(texts));
}

std::vector<SerialPortEntry> listSerialPorts() {
    namespace fs = std::filesystem;
    std::vector<SerialPortEntry> ports;
    std::set<std::string> reached;
    std::error_code error;
    const fs::path byId = "/dev/serial/by-id";
    if (fs::is_directory(byId, error)) {
        std::vector<fs::path> links;
        for (const auto& entry : fs::directory_iterator(byId, error)) links.push_back(entry.path());
        std::sort(links.begin(), links.end());
        for (const fs::path& link : links) {
            const fs::path target = fs::weakly_canonical(link, error);
            ports.push_back({link.string(), target.string(), ""});
            reached.insert(target.string());
        }
    }
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        const std::string location = info.systemLocation().toStdString();
        std::string description = info.manufacturer().toStdString();
        if (!info.description().isEmpty()) {
            description += (description.empty() ? "" : " ") + info.description().toStdString();
        }
        bool listed = false;
        for (SerialPortEntry& port : ports) {
            if (port.target == location) {
                port.description = description;
                listed = true;
            }
        }
        if (!listed && reached.insert(location).second) ports.push_back({location, location, description});
    }
    return ports;
}

std::string owningGroup(const std::string& device) {
    struct stat status {};
    if (::stat(device.c_str(), &status) != 0) return "dialout";
    const struct group* entry = ::getgrgid(status.st_gid);
    return entry != nullptr ? std::string(entry->gr_name) : std::to_string(status.st_gid);
}

std::string currentUserName() {
    const struct passwd* entry = ::getpwuid(::getuid());
    if (entry != nullptr && entry->pw_name != nullptr) return entry->pw_name;
    const char* user = std::getenv("USER");
    return user != nullptr && *user != 0 ? std::string(user) : std::string("$USER");
}

std::string portOpenMessage(PortFailure failure, const std::string& device, const std::string& reason,
                            const TextSource& texts) {
    const TextSource text = texts ? texts : englishTexts();
    switch (failure) {
    case PortFailure::Missing: return core::formatText(text(txt::SerialPortMissing), {device});
    case PortFailure::Permission: {
        const std::string group = owningGroup(device);
        return core::formatText(text(txt::SerialPortNoPermission), {device, group, group, currentUserName()});
    }
    case PortFailure::Other: break;
    }
    return core::formatText(text(txt::SerialPortCannotOpen), {device, reason});
}

TextSource englishTexts() {
    auto table = std::make_shared<core::StringTable>();
    return [table](int id) { return std::string(table->text(id, core::Language::English)); };
}

}  // namespace lumo::platform
