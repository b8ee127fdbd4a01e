#include "authoring/bank_manager.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <system_error>

#include "core/atomic_file.h"
#include "core/cp1251.h"
#include "core/errors.h"
#include "core/settings.h"
#include "core/text_format.h"
#include "core/texts/authoring.h"
#include "formats/bank_topic.h"

namespace lumo::authoring {

LocalTime systemLocalTime() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    LocalTime time;
    time.date = {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
    time.millisecondsOfDay = ((local.tm_hour * 60LL + local.tm_min) * 60 + local.tm_sec) * 1000 + millis;
    return time;
}

std::string generatedTopicFileName(const LocalTime& time) {
    char name[32];
    std::snprintf(name, sizeof name, "%X%07llX.%04X", static_cast<unsigned>(time.date.month) & 0xF,
                  static_cast<unsigned long long>(time.millisecondsOfDay) & 0xFFFFFFF,
                  static_cast<unsigned>(time.date.year ^ time.date.day) & 0xFFFF);
    std::string text(name);
    // Of the four digits after the full stop the file name keeps the last three.
    return text.substr(0, 9) + text.substr(10);
}

BankManager::BankManager(std::filesystem::path folder, const core::Texts& texts, LocalTimeSource time)
    : folder_(std::move(folder)), texts_(texts), time_(std::move(time)) {}

void BankManager::open() {
    std::error_code ignored;
    std::filesystem::create_directories(folder_, ignored);
    topics_ = readBankFolder(folder_, texts_);
    selected_ = -1;
    show(topics_.empty() ? -1 : 0);
}

const TopicEntry* BankManager::selectedTopic() const {
    return selected_ < 0 ? nullptr : &topics_[static_cast<std::size_t>(selected_)];
}

std::string BankManager::caption(int row) const {
    return entryCaption(topics_.at(static_cast<std::size_t>(row)), texts_);
}

std::string BankManager::title() const {
    const TopicEntry* topic = selectedTopic();
    if (topic == nullptr) return {};
    return core::formatText(texts_(txt::BankTopicTitle),
                            {core::upperCase(topic->name), core::upperCase(topic->fileName)});
}

std::string BankManager::selectedError() const {
    const TopicEntry* topic = selectedTopic();
    return topic == nullptr ? std::string() : topic->error;
}

bool BankManager::editable() const {
    const TopicEntry* topic = selectedTopic();
    return topic != nullptr && topic->readable();
}

bool BankManager::canModify() const { return editable(); }

void BankManager::select(int row) {
    if (row == selected_) return;
    save();
    show(row);
}

void BankManager::show(int row) {
    selected_ = row < 0 || row >= static_cast<int>(topics_.size()) ? -1 : row;
    lines_.clear();
    if (selected_ >= 0) lines_ = readTopicQuestions(folder_, topics_[static_cast<std::size_t>(selected_)], texts_);
}

bool BankManager::save() {
    if (!editable()) return false;
    TopicEntry& topic = topics_[static_cast<std::size_t>(selected_)];
    try {
        formats::writeBankTopicFile(folder_ / topic.fileName, topic.name, lines_);
    } catch (const LumoError& failure) {
        if (prompts_.error) prompts_.error(texts_(txt::BankWriteError) + "\n" + failure.what());
        return false;
    }
    topic.nameLines = 1;
    return true;
}

bool BankManager::fileExists(std::string_view fileName, int except) const {
    for (int row = 0; row < static_cast<int>(topics_.size()); ++row) {
        if (row != except && core::equalsIgnoreCase(topics_[static_cast<std::size_t>(row)].fileName, fileName)) {
            return true;
        }
    }
    // Also what appeared on disk since the folder was read, in any letter case.
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(folder_, error)) {
        const std::string name = item.path().filename().string();
        if (!core::equalsIgnoreCase(name, fileName)) continue;
        if (except >= 0 && name == topics_[static_cast<std::size_t>(except)].fileName) continue;
        return true;
    }
    return false;
}

std::string BankManager::prepareAdd() {
    save();
    return generatedTopicFileName(time_());
}

bool BankManager::addTopic(std::string_view name, std::string_view fileName) {
    const std::string complete = completeTopicName(name);
    if (const std::string refused = topicFileNameError(fileName, texts_); !refused.empty()) {
        if (prompts_.error) prompts_.error(refused);
        return false;
    }
    if (fileExists(fileName, -1)) {
        if (prompts_.warn) {
            prompts_.warn(core::formatText(texts_(txt::BankFileExists), {core::upperCase(fileName)}));
        }
        return false;
    }
    const std::filesystem::path path = folder_ / std::string(fileName);
    try {
        formats::writeBankTopicFile(path, complete, {});
    } catch (const LumoError&) {
        if (prompts_.error) prompts_.error(core::formatText(texts_(txt::BankCannotCreate), {path.string()}));
        return false;
    }
    topics_.push_back({complete, std::string(fileName), 1, {}});
    selected_ = static_cast<int>(topics_.size()) - 1;
    lines_.clear();
    return true;
}

bool BankManager::modifyTopic(std::string_view name, std::string_view fileName) {
    if (!canModify()) return false;
    TopicEntry& topic = topics_[static_cast<std::size_t>(selected_)];
    const std::string complete = completeTopicName(name);
    if (fileName != topic.fileName) {
        const std::filesystem::path target = folder_ / std::string(fileName);
        const auto refuse = [&](const std::string& why) {
            if (prompts_.error) prompts_.error(core::formatText(texts_(txt::BankCannotRename), {why}));
            return false;
        };
        if (const std::string refused = topicFileNameError(fileName, texts_); !refused.empty()) return refuse(refused);
        // A rename would replace the other topic's file without a word.
        if (fileExists(fileName, selected_)) {
            return refuse(core::formatText(texts_(txt::BankFileTaken), {core::upperCase(fileName)}));
        }
        std::error_code error;
        std::filesystem::rename(folder_ / topic.fileName, target, error);
        if (error) return refuse(core::formatText(texts_(txt::BankCannotRenameFile), {target.string()}));
        topic.fileName = std::string(fileName);
    }
    topic.name = complete;
    return true;
}

bool BankManager::deleteTopic() {
    if (!canDelete()) return false;
    const int row = selected_;
    const TopicEntry& topic = topics_[static_cast<std::size_t>(row)];
    if (prompts_.confirm && !prompts_.confirm(core::formatText(texts_(txt::BankDeleteConfirm), {topic.name}))) {
        return false;
    }
    std::error_code error;
    if (!std::filesystem::remove(folder_ / topic.fileName, error) || error) {
        if (prompts_.error) prompts_.error(texts_(txt::BankCannotDelete));
        return false;
    }
    topics_.erase(topics_.begin() + row);
    show(row);
    return true;
}

void BankManager::copyLines(int firstLine, int lastLine) {
    const int count = static_cast<int>(lines_.size());
    firstLine = std::clamp(firstLine, 0, count);
    lastLine = std::clamp(lastLine, firstLine - 1, count - 1);
    for (int line = firstLine; line <= lastLine; ++line) clipboard_.push_back(lines_[static_cast<std::size_t>(line)]);
    if (!clipboard_.empty()) clipboardSelection_ = {0};
}

void BankManager::cutLines(int firstLine, int lastLine) {
    if (!editable()) return;
    const int count = static_cast<int>(lines_.size());
    firstLine = std::clamp(firstLine, 0, count);
    lastLine = std::clamp(lastLine, firstLine - 1, count - 1);
    copyLines(firstLine, lastLine);
    lines_.erase(lines_.begin() + firstLine, lines_.begin() + lastLine + 1);
}

int BankManager::paste(const std::vector<int>& clipboardSelection, int caretLine) {
    const int count = static_cast<int>(lines_.size());
    caretLine = std::clamp(caretLine, 0, count);
    if (!canPaste(clipboardSelection)) return caretLine;
    std::vector<int> rows = clipboardSelection;
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::vector<std::string> pasted;
    for (const int row : rows) {
        if (row >= 0 && row < static_cast<int>(clipboard_.size())) pasted.push_back(clipboard_[static_cast<std::size_t>(row)]);
    }
    lines_.insert(lines_.begin() + caretLine, pasted.begin(), pasted.end());
    clipboardSelection_ = rows;
    return caretLine + static_cast<int>(pasted.size());
}

}  // namespace lumo::authoring
