#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace lumo::device {

enum class TrafficKind { Open, Close, Received, Sent, Dtr, Rts, FlushInput, FlushOutput };

// One line of a capture: a port event, or a run of bytes in one direction.
struct TrafficEvent {
    std::int64_t milliseconds = 0;  // from the start of the capture
    TrafficKind kind = TrafficKind::Received;
    std::vector<std::uint8_t> bytes;  // Received and Sent
    bool level = false;               // Dtr and Rts
    bool operator==(const TrafficEvent&) const = default;
};

// The serial traffic log: a text capture of everything that passed a link,
//   "<ms> RX 0A 55", "<ms> TX 55", "<ms> DTR 1", "<ms> OPEN", "<ms> FLUSH IN",
// with times relative to its start. Bytes of one direction within the same
// millisecond share a line. Each finished line goes to disk at once, so a
// capture survives a crash up to its last line.
class TrafficLog {
public:
    // Raises EInOutError when the file cannot be created.
    TrafficLog(const std::filesystem::path& file, std::int64_t startMilliseconds);
    ~TrafficLog();
    TrafficLog(const TrafficLog&) = delete;
    TrafficLog& operator=(const TrafficLog&) = delete;

    void record(std::int64_t milliseconds, TrafficKind kind, bool level = false);
    void recordBytes(std::int64_t milliseconds, TrafficKind kind, const std::uint8_t* bytes, std::size_t count);

private:
    void finishLine();

    std::ofstream out_;
    std::int64_t start_;
    std::string line_;  // the byte run being collected
    std::int64_t lineTime_ = -1;
    TrafficKind lineKind_ = TrafficKind::Received;
    int lineBytes_ = 0;
};

// Reads a capture back; EInOutError naming the line for anything malformed.
std::vector<TrafficEvent> parseTrafficLog(std::string_view text);
std::vector<TrafficEvent> readTrafficLog(const std::filesystem::path& file);

}  // namespace lumo::device
