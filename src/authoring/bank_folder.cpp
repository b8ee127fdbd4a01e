#include "authoring/bank_folder.h"

#include <algorithm>
#include <system_error>

#include "core/cp1251.h"
#include "core/errors.h"
#include "core/settings.h"
#include "core/text_format.h"
#include "core/texts/authoring.h"
#include "formats/bank_topic.h"

namespace lumo::authoring {

namespace {

constexpr std::size_t kNameLimit = 254;
constexpr std::size_t kFileNameLimit = 12;

std::string describe(const std::exception& error, const std::string& fileName, const core::Texts& texts) {
    if (const auto* topic = dynamic_cast<const formats::EBankTopicError*>(&error)) {
        const int id =
            topic->reason() == formats::EBankTopicError::Reason::NotText ? txt::BankNotText : txt::BankNoTopicName;
        return core::formatText(texts(id), {fileName, static_cast<long long>(topic->line())});
    }
    return core::formatText(texts(txt::BankCannotRead), {fileName}) + "\n" + error.what();
}

}  // namespace

std::string entryCaption(const TopicEntry& entry, const core::Texts& texts) {
    if (entry.readable()) return entry.name;
    return core::formatText(texts(txt::BankUnreadableEntry), {entry.fileName});
}

std::string upperTitle(const TopicEntry& entry) {
    return core::upperCase(entry.name) + " (" + core::upperCase(entry.fileName) + ")";
}

std::vector<TopicEntry> readBankFolder(const std::filesystem::path& folder, const core::Texts& texts) {
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    if (error) throw EInOutError("Cannot list folder \"" + folder.string() + "\": " + error.message());
    for (const auto& item : it) {
        std::error_code kind;
        if (item.is_regular_file(kind)) names.push_back(item.path().filename().string());
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return core::upperAscii(a) < core::upperAscii(b); });
    std::vector<TopicEntry> entries;
    for (const std::string& name : names) {
        TopicEntry entry;
        entry.fileName = name;
        entry.name = name;
        try {
            const formats::BankTopic topic = formats::readBankTopicFile(folder / name);
            entry.name = topic.name;
            entry.nameLines = topic.nameLines;
        } catch (const std::exception& failure) {
            entry.error = describe(failure, name, texts);
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<std::string> readTopicQuestions(const std::filesystem::path& folder, TopicEntry& entry,
                                            const core::Texts& texts) {
    if (!entry.readable()) return {};
    try {
        formats::BankTopic topic = formats::readBankTopicFile(folder / entry.fileName);
        entry.nameLines = topic.nameLines;
        return std::move(topic.questions);
    } catch (const std::exception& failure) {
        entry.error = describe(failure, entry.fileName, texts);
        return {};
    }
}

std::string topicFileNameError(std::string_view fileName, const core::Texts& texts) {
    const bool refused = fileName.empty() || core::charCount(fileName) > kFileNameLimit || fileName == "." ||
                         fileName == ".." || fileName.find_first_of(std::string_view("/\\\0", 3)) != std::string_view::npos;
    return refused ? core::formatText(texts(txt::BankBadFileName), {std::string(fileName)}) : std::string();
}

std::string completeTopicName(std::string_view name) {
    std::string line(name);
    // The file holds the name on its first line only.
    std::replace_if(line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    if (core::charCount(line) > kNameLimit) return core::leftChars(line, kNameLimit) + ".";
    if (line.empty() || line.back() != '.') line += '.';
    return line;
}

}  // namespace lumo::authoring
