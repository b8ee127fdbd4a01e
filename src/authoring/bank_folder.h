#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lumo::core {
class Texts;
}

namespace lumo::authoring {

// One topic of the bank folder as the bank manager and the base chooser list it.
struct TopicEntry {
    std::string name;      // the topic name; the file name for a file that is no topic
    std::string fileName;  // without folder
    int nameLines = 1;     // lines the name occupies in the file
    // Why the file is no readable topic (in the workstation's language); such
    // a file is listed so nothing goes unseen, and is never written.
    std::string error;

    bool readable() const { return error.empty(); }
};

// What the lists show for an entry: the name, or the file marked unreadable.
std::string entryCaption(const TopicEntry& entry, const core::Texts& texts);
// "TOPIC : %s (%s)" / "TOPIC : NAME (FILE)": both in capitals.
std::string upperTitle(const TopicEntry& entry);

// Every regular file of the folder, sorted by name. A file that cannot be read
// or is no topic becomes an entry with its error; a folder that cannot be
// listed raises EInOutError.
std::vector<TopicEntry> readBankFolder(const std::filesystem::path& folder, const core::Texts& texts);

// The questions of a topic file, joined; refreshes the entry's name lines.
// On a file that is missing or no topic, the entry takes the error and no
// questions are given.
std::vector<std::string> readTopicQuestions(const std::filesystem::path& folder, TopicEntry& entry,
                                            const core::Texts& texts);

// "" when `fileName` can name a topic file of the bank folder, else the error
// for it: 1 to 12 characters, no "/", "\" or NUL, not "." or "..".
std::string topicFileNameError(std::string_view fileName, const core::Texts& texts);

// A topic name as the dialogs store it: one line, ending with "." (a name of
// more than 254 characters keeps 254 and ends with the ".").
std::string completeTopicName(std::string_view name);

}  // namespace lumo::authoring
