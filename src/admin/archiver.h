#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/examinee.h"

namespace lumo::core {
class Workstation;
}

namespace lumo::admin {

class ByteSource;

// What the archiver asks of its window: status line, gauge and the boxes.
class ArchiverView {
public:
    virtual ~ArchiverView() = default;
    virtual void showStatus(const std::string& text) = 0;
    virtual void showGauge(int position, int maximum) = 0;
    // Yes/No question; true for Yes.
    virtual bool confirm(const std::string& text) = 0;
    // A box confirmed with OK: disk prompts and the completion notice.
    virtual void inform(const std::string& text) = 0;
    // Abort/Retry question; true for Retry.
    virtual bool askRetry(const std::string& text) = 0;
    virtual void showError(const std::string& text) = 0;
    // Lets the message loop run between chunks.
    virtual void yield() {}
};

// The engine partner of the archiver window: compresses an examinee's files
// into volumes in the target folder, or brings them back. Working files live
// only during one operation and are removed on every way out. Before any
// file of the examinee is deleted, the written volumes are read back and
// must give the solid file again.
class Archiver {
public:
    enum class Result { Compressed, Decompressed, Failed };

    Archiver(core::Workstation& workstation, ArchiverView& view, core::TSubj subject, char driveLetter,
             std::filesystem::path target);

    // Compresses when the examinee is not archived, else decompresses.
    Result run();
    Result compress();
    Result decompress();

    // The record as the archiver left it (archive flag included).
    const core::TSubj& subject() const { return subject_; }

private:
    struct Digest {
        std::uint64_t size = 0;
        std::uint32_t crc = 0;
        bool operator==(const Digest&) const = default;
    };

    std::string text(int id) const;
    std::vector<std::string> listFiles() const;
    bool createSolid(const std::vector<std::string>& names, Digest& digest);
    bool compressSolid();
    bool writeVolumes(const Digest& digest);
    bool joinVolumes();
    bool decompressJoined();
    bool extractSolid();
    // Writes subject.dat with the new flag and updates the examinee list.
    void saveRecord(const std::string& archiveFlag);
    bool driveRetry(const std::string& message);
    // What a file holds, or what a compressed stream decodes to; none when
    // it cannot be read or decoded.
    static std::optional<Digest> digestOfFile(const std::filesystem::path& path);
    static std::optional<Digest> digestOfDecoded(ByteSource& compressed);

    core::Workstation& ws_;
    ArchiverView& view_;
    core::TSubj subject_;
    char drive_;
    std::filesystem::path target_;
    std::filesystem::path folder_;
    std::filesystem::path solid_;
    std::filesystem::path lzw_;
};

}  // namespace lumo::admin
