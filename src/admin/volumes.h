#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "admin/byte_stream.h"

namespace lumo::core {
class Texts;
}

namespace lumo::admin {

class InputFile;
class OutputFile;

// Bytes of the compressed file each volume carries after its volume count.
inline constexpr std::uint64_t kVolumeDataSize = 1253372;
// Three digits of extension number the volumes.
inline constexpr int kMaxVolumes = 1000;

// "#0000001.000" for volume 0 of examinee #0000001.
std::string volumeName(const std::string& fileCode, int index);
// Volumes needed for a compressed file of `size` bytes (at least one).
int volumeCount(std::uint64_t size);

// Called after every chunk with the chunks done and their count.
using ChunkProgress = std::function<void(int done, int total)>;

// Writes volume `index` of `count` holding its share of the compressed file
// into `folder`, flushed to the medium. On failure the partial volume is
// deleted and EInOutError raised with the format's texts.
void writeVolume(const std::filesystem::path& folder, const std::string& fileCode, int index, int count,
                 InputFile& compressed, const core::Texts& texts, const ChunkProgress& progress = {});

// True when volume `index` in `folder` holds exactly the count and the share
// of the compressed file that writeVolume put there.
bool volumeMatches(const std::filesystem::path& folder, const std::string& fileCode, int index, int count,
                   InputFile& compressed);

// The compressed file as the volumes in `folder` hold it, read volume after
// volume without their counts. A volume that is missing or cannot be read
// ends it early, and the source reports failure.
class VolumeSource : public ByteSource {
public:
    VolumeSource(std::filesystem::path folder, std::string fileCode, int count);
    ~VolumeSource() override;
    std::size_t read(std::uint8_t* buffer, std::size_t n) override;
    bool failed() const override { return failed_; }

private:
    bool openNext();

    std::filesystem::path folder_;
    std::string fileCode_;
    int count_;
    int next_ = 0;
    std::unique_ptr<InputFile> volume_;
    bool failed_ = false;
};

// Reads volume `index` and writes its share into `joined` at its offset.
// `expectedCount` is 0 for the first volume, else the count the first one
// gave. Gives the volume's count. A missing volume, a foreign count, a share
// of the wrong length or a write failure raise EInOutError.
int readVolume(const std::filesystem::path& folder, const std::string& fileCode, int index, int expectedCount,
               OutputFile& joined, const core::Texts& texts, const ChunkProgress& progress = {});

}  // namespace lumo::admin
