#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace lumo::tools {

// lumo-export csv [--home DIR] CODE NN [--features] [-o FILE] [--force]:
// the exam scored as the results window opens on it (every chart, the
// default probabilities), per question; with --features per kept row. The
// CSV goes to FILE, which is not overwritten without --force, or to `out`.
// `args` are the words after "csv". Gives 0, or 2 with the reason on `err`
// for bad arguments, an exam that cannot be scored or a file not written.
int runCsvCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace lumo::tools
