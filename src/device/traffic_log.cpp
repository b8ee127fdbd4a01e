#include "device/traffic_log.h"

#include <cstdio>
#include <sstream>

#include "core/errors.h"
#include "core/text_file.h"

namespace lumo::device {

namespace {

constexpr int kBytesPerLine = 34;  // one packet of the unit

const char* tagOf(TrafficKind kind) {
    switch (kind) {
    case TrafficKind::Open: return "OPEN";
    case TrafficKind::Close: return "CLOSE";
    case TrafficKind::Received: return "RX";
    case TrafficKind::Sent: return "TX";
    case TrafficKind::Dtr: return "DTR";
    case TrafficKind::Rts: return "RTS";
    case TrafficKind::FlushInput: return "FLUSH IN";
    case TrafficKind::FlushOutput: return "FLUSH OUT";
    }
    return "";
}

[[noreturn]] void malformed(int lineNumber, std::string_view line) {
    throw EInOutError("Serial traffic capture, line " + std::to_string(lineNumber) + ": cannot read \"" +
                      std::string(line) + "\"");
}

}  // namespace

TrafficLog::TrafficLog(const std::filesystem::path& file, std::int64_t startMilliseconds)
    : out_(file, std::ios::binary | std::ios::trunc), start_(startMilliseconds) {
    if (!out_) throw EInOutError("Cannot create the serial traffic log " + file.string());
    out_ << "# Lumo serial traffic capture: milliseconds, event, bytes (hex)\n";
    out_.flush();
}

TrafficLog::~TrafficLog() {
    finishLine();
}

void TrafficLog::record(std::int64_t milliseconds, TrafficKind kind, bool level) {
    finishLine();
    out_ << (milliseconds - start_) << ' ' << tagOf(kind);
    if (kind == TrafficKind::Dtr || kind == TrafficKind::Rts) out_ << (level ? " 1" : " 0");
    out_ << '\n';
    out_.flush();
}

void TrafficLog::recordBytes(std::int64_t milliseconds, TrafficKind kind, const std::uint8_t* bytes,
                             std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        if (lineTime_ != milliseconds || lineKind_ != kind || lineBytes_ >= kBytesPerLine) {
            finishLine();
            line_ = std::to_string(milliseconds - start_) + ' ' + tagOf(kind);
            lineTime_ = milliseconds;
            lineKind_ = kind;
        }
        char hex[4];
        std::snprintf(hex, sizeof hex, " %02X", bytes[i]);
        line_ += hex;
        ++lineBytes_;
    }
}

void TrafficLog::finishLine() {
    if (lineBytes_ > 0) {
        out_ << line_ << '\n';
        out_.flush();
    }
    line_.clear();
    lineBytes_ = 0;
    lineTime_ = -1;
}

std::vector<TrafficEvent> parseTrafficLog(std::string_view text) {
    std::vector<TrafficEvent> events;
    std::istringstream in{std::string(text)};
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto first = line.find_first_not_of(' ');
        if (first == std::string::npos || line[first] == '#') continue;
        std::istringstream fields(line);
        TrafficEvent event;
        std::string tag;
        if (!(fields >> event.milliseconds >> tag) || event.milliseconds < 0) malformed(lineNumber, line);
        if (!events.empty() && event.milliseconds < events.back().milliseconds) malformed(lineNumber, line);
        if (tag == "OPEN") {
            event.kind = TrafficKind::Open;
        } else if (tag == "CLOSE") {
            event.kind = TrafficKind::Close;
        } else if (tag == "RX" || tag == "TX") {
            event.kind = tag == "RX" ? TrafficKind::Received : TrafficKind::Sent;
            std::string hex;
            while (fields >> hex) {
                if (hex.size() != 2 || hex.find_first_not_of("0123456789ABCDEFabcdef") != std::string::npos) {
                    malformed(lineNumber, line);
                }
                event.bytes.push_back(static_cast<std::uint8_t>(std::stoi(hex, nullptr, 16)));
            }
            if (event.bytes.empty()) malformed(lineNumber, line);
        } else if (tag == "DTR" || tag == "RTS") {
            event.kind = tag == "DTR" ? TrafficKind::Dtr : TrafficKind::Rts;
            int level = -1;
            if (!(fields >> level) || (level != 0 && level != 1)) malformed(lineNumber, line);
            event.level = level == 1;
        } else if (tag == "FLUSH") {
            std::string which;
            fields >> which;
            if (which == "IN") {
                event.kind = TrafficKind::FlushInput;
            } else if (which == "OUT") {
                event.kind = TrafficKind::FlushOutput;
            } else {
                malformed(lineNumber, line);
            }
        } else {
            malformed(lineNumber, line);
        }
        std::string rest;
        if (fields >> rest) malformed(lineNumber, line);
        events.push_back(std::move(event));
    }
    return events;
}

std::vector<TrafficEvent> readTrafficLog(const std::filesystem::path& file) {
    const std::string bytes = core::readFileBytes(file);
    return parseTrafficLog(bytes);
}

}  // namespace lumo::device
