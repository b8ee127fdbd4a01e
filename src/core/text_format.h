#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace lumo::core {

using FormatArg = std::variant<long long, double, std::string>;

// Fills a text of the string table: "%s" takes a text, "%d" an integer,
// "%.Nf" a real with N decimals, "%%" is a percent sign. An argument of the
// wrong kind is converted; a missing one leaves the placeholder empty.
std::string formatText(std::string_view pattern, std::initializer_list<FormatArg> args);

}  // namespace lumo::core
