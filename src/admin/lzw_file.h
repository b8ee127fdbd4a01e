#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "admin/lzhuf.h"
#include "core/errors.h"

namespace lumo::core {
class Texts;
}

namespace lumo::admin {

class ByteSink;
class ByteSource;
class InputFile;
class OutputFile;

// Errors of the compression component; the message is the system's text.
class ELzrw1Exception : public LumoError {
public:
    using LumoError::LumoError;
};

enum class CompressMode { Good, Fast, Auto };
enum class LzwMethod { Lzrw1Kh, Lzhuf };

// Method tags at the start of a .lzw file ("WRZL" and "!HZL" on disk).
inline constexpr std::uint32_t kLzrw1KhTag = 0x4C5A5257;
inline constexpr std::uint32_t kLzhufTag = 0x4C5A4821;
inline constexpr std::size_t kLzwHeaderSize = 8;

// The CompressMode setting: "FAST" or "GOOD" in any letter case, else automatic.
CompressMode compressModeFromSetting(std::string_view value);

// The automatic choice: LZRW1/KH when two 32 KB samples of a larger input
// compress with it below 40 %, LZHUF otherwise and for small inputs.
LzwMethod adviseMethod(std::string_view data);
LzwMethod methodFor(CompressMode mode, std::string_view data);
// Where the two samples of an input of `size` bytes start; none for a small input.
std::optional<std::array<std::uint64_t, 2>> adviceSampleOffsets(std::uint64_t size);
// The choice from the two samples of kLzrw1BlockSize bytes each.
LzwMethod adviseFromSamples(const std::uint8_t* first, const std::uint8_t* second);

// Writes the .lzw form of the `size` bytes `in` delivers: tag, size and body.
// False when `in` ended before `size` bytes.
bool encodeLzw(ByteSource& in, std::uint64_t size, LzwMethod method, ByteSink& out,
               const CodecProgress& progress = {});
std::string encodeLzw(std::string_view data, LzwMethod method, const CodecProgress& progress = {});

enum class LzwFault {
    None,
    NotCompressed,  // no known method tag
    Truncated,      // the body ends early
    Corrupt,        // the body cannot be what the compressor wrote, or the size differs
};
struct LzwOutcome {
    LzwFault fault = LzwFault::None;
    LzwMethod method = LzwMethod::Lzrw1Kh;
};
// Decodes a .lzw stream into `out`, which holds a part of the data when the
// outcome is a fault; never reads or writes outside its buffers.
LzwOutcome decodeLzw(ByteSource& in, ByteSink& out, const CodecProgress& progress = {});

struct LzwDecoded : LzwOutcome {
    std::string data;  // empty on a fault
};
LzwDecoded decodeLzw(std::string_view bytes, const CodecProgress& progress = {});

// The compression component: compresses its input file into its output file
// or back, reporting progress through the update event and completion through
// the finish event. Every failure raises ELzrw1Exception and leaves no partial
// output file behind.
class Tlzrw1v {
public:
    explicit Tlzrw1v(const core::Texts& texts) : texts_(texts) {}

    void setInputFile(std::filesystem::path path) { input_ = std::move(path); }
    void setOutputFile(std::filesystem::path path) { output_ = std::move(path); }
    void setCompressMode(CompressMode mode) { mode_ = mode; }
    const std::filesystem::path& inputFile() const { return input_; }
    const std::filesystem::path& outputFile() const { return output_; }
    CompressMode compressMode() const { return mode_; }

    // Bytes read and written so far.
    std::function<void(std::uint64_t read, std::uint64_t written)> onUpdate;
    std::function<void()> onFinish;

    // Each gives the number of bytes written.
    std::uint64_t compress();
    std::uint64_t decompress();
    // The method the automatic mode picks for the input file.
    LzwMethod advise();

    // The method of the last compress or decompress.
    LzwMethod lastMethod() const { return lastMethod_; }

private:
    // Opens the input file and gives its size.
    std::uint64_t openInput(InputFile& file, int notFoundText) const;
    void createOutput(OutputFile& file) const;
    // Deletes the partial output and raises the message.
    [[noreturn]] void discardOutput(OutputFile& file, int textId, const std::string& name = {}) const;
    LzwMethod adviseFor(InputFile& file, std::uint64_t size) const;
    [[noreturn]] void fail(int textId, const std::string& name = {}) const;
    std::string inputName() const { return input_.string(); }
    std::string outputName() const { return output_.string(); }

    const core::Texts& texts_;
    std::filesystem::path input_;
    std::filesystem::path output_;
    CompressMode mode_ = CompressMode::Auto;
    LzwMethod lastMethod_ = LzwMethod::Lzrw1Kh;
};

}  // namespace lumo::admin
