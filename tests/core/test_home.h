#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lumo::test {

// A data home in a fresh temporary folder, removed with everything in it when
// the object goes.
class TempHome {
public:
    TempHome();
    ~TempHome();
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::filesystem::path& relative) const { return path_ / relative; }

private:
    std::filesystem::path path_;
};

// Copies the settings file the program installs (data/lumo7w.ini) into the home.
void installSettings(const std::filesystem::path& home);

// Writes the data home's lumo7w.ini with every key the settings load needs
// (seven question types, the eight channels, method names); each of
// `extraLines` replaces the line of its key or is appended.
void writeMinimalIni(const std::filesystem::path& home, const std::vector<std::string>& extraLines = {});

// Writes the bytes as they are, creating missing folders.
void writeFile(const std::filesystem::path& path, std::string_view bytes);
// UTF-8 lines written as Windows-1251, each ending in CR LF.
void writeLines(const std::filesystem::path& path, const std::vector<std::string>& lines);
std::string readFile(const std::filesystem::path& path);

// An exam file with its header (seven type counters) and `questions` simple
// question blocks.
void writeExamFile(const std::filesystem::path& path, const std::string& method, int questions,
                   const std::string& mark = "Exam mark");
// The head of a results table as the test run writes it (lines 1 ... 15) and
// `rows` row triples; enough for the exam list.
void writeResultsTable(const std::filesystem::path& path, const std::string& date, const std::string& started,
                       int rows, int questionTime, int duration);

}  // namespace lumo::test
