#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace lumo::tools {

// lumo-export edf [--home DIR] CODE NN K [-o FILE] [--with-names] [--force]
// lumo-export edf [--home DIR] CODE --all [-o FOLDER] [--with-names] [--force]
// `args` are the words after "edf". Exit codes: 0 written, 1 usage, 2 a
// chart that cannot be read or a file that cannot be written.
int runEdfCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

std::string edfUsage();

}  // namespace lumo::tools
