#include "core/text_format.h"

#include <cstdio>
#include <vector>

namespace lumo::core {

namespace {

std::string asText(const FormatArg& arg) {
    if (const auto* text = std::get_if<std::string>(&arg)) return *text;
    if (const auto* integer = std::get_if<long long>(&arg)) return std::to_string(*integer);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%g", std::get<double>(arg));
    return buffer;
}

long long asInteger(const FormatArg& arg) {
    if (const auto* integer = std::get_if<long long>(&arg)) return *integer;
    if (const auto* real = std::get_if<double>(&arg)) return static_cast<long long>(*real);
    return std::atoll(std::get<std::string>(arg).c_str());
}

double asReal(const FormatArg& arg) {
    if (const auto* real = std::get_if<double>(&arg)) return *real;
    if (const auto* integer = std::get_if<long long>(&arg)) return static_cast<double>(*integer);
    return std::atof(std::get<std::string>(arg).c_str());
}

}  // namespace

std::string formatText(std::string_view pattern, std::initializer_list<FormatArg> args) {
    const std::vector<FormatArg> values(args);
    std::size_t next = 0;
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%' || i + 1 >= pattern.size()) {
            out += pattern[i];
            continue;
        }
        std::size_t j = i + 1;
        int decimals = -1;
        if (pattern[j] == '.') {
            decimals = 0;
            for (++j; j < pattern.size() && pattern[j] >= '0' && pattern[j] <= '9'; ++j) {
                decimals = decimals * 10 + (pattern[j] - '0');
            }
        }
        if (j >= pattern.size()) {
            out.append(pattern.substr(i));
            break;
        }
        const char kind = pattern[j];
        if (kind == '%') {
            out += '%';
        } else if (kind == 's' || kind == 'd' || kind == 'f') {
            if (next < values.size()) {
                const FormatArg& arg = values[next];
                if (kind == 's') {
                    out += asText(arg);
                } else if (kind == 'd') {
                    out += std::to_string(asInteger(arg));
                } else {
                    char buffer[64];
                    std::snprintf(buffer, sizeof buffer, "%.*f", decimals < 0 ? 2 : decimals, asReal(arg));
                    out += buffer;
                }
            }
            ++next;
        } else {
            out.append(pattern.substr(i, j - i + 1));
        }
        i = j;
    }
    return out;
}

}  // namespace lumo::core
