#include "admin/archiver.h"

#include <cctype>
#include <system_error>

#include "admin/archive_folders.h"
#include "admin/binary_io.h"
#include "admin/byte_stream.h"
#include "admin/checksum.h"
#include "admin/lzw_file.h"
#include "admin/solid_file.h"
#include "admin/volumes.h"
#include "core/cp1251.h"
#include "core/errors.h"
#include "core/paths.h"
#include "core/text_format.h"
#include "core/texts/admin.h"
#include "core/workstation.h"

namespace lumo::admin {

namespace fs = std::filesystem;

namespace {

constexpr int kGaugeScale = 1000;

int scaled(std::uint64_t done, std::uint64_t total) {
    return total == 0 ? kGaugeScale : static_cast<int>(std::min<std::uint64_t>(done, total) * kGaugeScale / total);
}

}  // namespace

Archiver::Archiver(core::Workstation& workstation, ArchiverView& view, core::TSubj subject, char driveLetter,
                   fs::path target)
    : ws_(workstation), view_(view), subject_(std::move(subject)), drive_(driveLetter), target_(std::move(target)) {
    folder_ = ws_.records().examineeFolder(subject_.fileCode);
    solid_ = folder_ / kSolidFileName;
    lzw_ = folder_ / (subject_.fileCode + ".lzw");
}

std::string Archiver::text(int id) const {
    return ws_.texts()(id);
}

Archiver::Result Archiver::run() {
    return compressesNext(subject_) ? compress() : decompress();
}

std::optional<Archiver::Digest> Archiver::digestOfFile(const fs::path& path) {
    InputFile file;
    if (!file.open(path)) return std::nullopt;
    FileSource source(file);
    Crc32Sink sink;
    if (!copyStream(source, sink)) return std::nullopt;
    return Digest{sink.written(), sink.crc()};
}

std::optional<Archiver::Digest> Archiver::digestOfDecoded(ByteSource& compressed) {
    Crc32Sink sink;
    if (decodeLzw(compressed, sink).fault != LzwFault::None || compressed.failed()) return std::nullopt;
    return Digest{sink.written(), sink.crc()};
}

// --- compressing -----------------------------------------------------------------

Archiver::Result Archiver::compress() {
    view_.showStatus(text(txt::ArchiveSearching));
    const std::vector<std::string> names = listFiles();
    Digest digest;
    if (!createSolid(names, digest)) return Result::Failed;
    if (!compressSolid()) return Result::Failed;
    removeQuietly(solid_);
    if (!writeVolumes(digest)) return Result::Failed;
    removeQuietly(lzw_);

    view_.showStatus(text(txt::ArchiveCleanup));
    // The flag goes to disk before anything is deleted: an examinee whose
    // files are gone but who still reads as not archived would have the next
    // compression overwrite the only archive with an empty one.
    try {
        saveRecord("#");
    } catch (const std::exception& error) {
        view_.showError(text(txt::ArchiveError) + "\n" + error.what());
        return Result::Failed;
    }
    int done = 0;
    for (const std::string& name : names) {
        if (!core::equalsIgnoreCase(name, "subject.dat")) removeQuietly(folder_ / name);
        view_.showGauge(++done, static_cast<int>(names.size()));
        view_.yield();
    }
    view_.inform(text(txt::ArchiveComplete));
    return Result::Compressed;
}

std::vector<std::string> Archiver::listFiles() const {
    std::vector<std::string> names;
    for (const std::string& name : filesIn(folder_)) {
        // Working files left by an interrupted run are not the examinee's.
        if (core::equalsIgnoreCase(name, kSolidFileName) || core::equalsIgnoreCase(name, lzw_.filename().string()) ||
            core::equalsIgnoreCase(name, "$$$.tmp")) {
            continue;
        }
        names.push_back(name);
    }
    return names;
}

bool Archiver::createSolid(const std::vector<std::string>& names, Digest& digest) {
    view_.showStatus(text(txt::ArchiveSolidCreating));
    view_.showGauge(0, static_cast<int>(names.size()));
    try {
        const bool created = createSolidFile(folder_, names, solid_, ws_.texts(), [this](int done, int total) {
            view_.showGauge(done, total);
            view_.yield();
        });
        std::optional<Digest> written;
        if (created) written = digestOfFile(solid_);
        if (!written) {
            removeQuietly(solid_);
            view_.showError(text(txt::ArchiveSolidFailure));
            return false;
        }
        digest = *written;
        return true;
    } catch (const std::exception& error) {
        removeQuietly(solid_);
        view_.showError(text(txt::ArchiveSolidError) + "\n" + error.what());
        return false;
    }
}

bool Archiver::compressSolid() {
    view_.showStatus(text(txt::ArchiveCompressing));
    view_.showGauge(0, kGaugeScale);
    Tlzrw1v compressor(ws_.texts());
    compressor.setInputFile(solid_);
    compressor.setOutputFile(lzw_);
    compressor.setCompressMode(compressModeFromSetting(ws_.settings().list().value("CompressMode")));
    std::error_code ec;
    const std::uintmax_t total = fs::file_size(solid_, ec);
    compressor.onUpdate = [&](std::uint64_t read, std::uint64_t) {
        view_.showGauge(scaled(read, ec ? 0 : total), kGaugeScale);
        view_.yield();
    };
    try {
        compressor.compress();
        return true;
    } catch (const std::exception& error) {
        removeQuietly(solid_);
        removeQuietly(lzw_);
        view_.showError(text(txt::ArchiveCompressionFailure) + "\n" + error.what());
        return false;
    }
}

bool Archiver::driveRetry(const std::string& message) {
    return view_.askRetry(text(txt::ArchiveDriveError) + "\n" + message + "\n" + text(txt::ArchiveRetry));
}

bool Archiver::writeVolumes(const Digest& digest) {
    view_.showStatus(text(txt::ArchiveVolumesCreating));
    const auto failure = [this](const std::string& detail) {
        removeQuietly(lzw_);
        view_.showError(detail.empty() ? text(txt::ArchiveFailure) : text(txt::ArchiveFailure) + "\n" + detail);
        return false;
    };
    try {
        InputFile packed;
        const std::optional<std::uint64_t> size = packed.open(lzw_) ? packed.size() : std::nullopt;
        if (!size) throw EInOutError(text(txt::SolidReadingData));
        // The compressed file must give the solid file back before it is spread over disks.
        FileSource local(packed);
        if (digestOfDecoded(local) != digest) return failure(text(txt::ArchiveVerifyFailed));
        const int count = volumeCount(*size);
        const bool disks = promptsForDisks(drive_);
        if (disks && !view_.confirm(core::formatText(text(txt::ArchiveDisksNeeded), {static_cast<long long>(count)}) +
                                    "\n" + text(txt::ArchiveAreYouReady))) {
            return failure({});
        }
        const int insertText = std::toupper(static_cast<unsigned char>(drive_)) == 'A' ? txt::ArchiveInsertDiskA
                                                                                     : txt::ArchiveInsertDiskB;
        for (int i = 0; i < count; ++i) {
            for (;;) {
                if (disks) view_.inform(core::formatText(text(insertText), {static_cast<long long>(i + 1)}));
                try {
                    writeVolume(target_, subject_.fileCode, i, count, packed, ws_.texts(), [this](int done, int total) {
                        view_.showGauge(done, total);
                        view_.yield();
                    });
                    // Read back at once: on removable disks this one leaves the drive next.
                    if (!volumeMatches(target_, subject_.fileCode, i, count, packed)) {
                        removeQuietly(target_ / volumeName(subject_.fileCode, i));
                        throw EInOutError(text(txt::ArchiveVerifyFailed));
                    }
                    break;
                } catch (const LumoError& error) {
                    if (!driveRetry(error.what())) return failure({});
                }
            }
        }
        // Where all volumes stay in reach, join them again and decompress the whole.
        if (!disks) {
            VolumeSource joined(target_, subject_.fileCode, count);
            if (digestOfDecoded(joined) != digest) return failure(text(txt::ArchiveVerifyFailed));
        }
        return true;
    } catch (const std::exception& error) {
        removeQuietly(lzw_);
        view_.showError(text(txt::ArchiveError) + "\n" + error.what());
        return false;
    }
}

void Archiver::saveRecord(const std::string& archiveFlag) {
    core::TSubj record = subject_;
    record.archive = archiveFlag;
    core::writeSubjectFile(core::resolvePath(folder_, "subject.dat"), record);
    subject_ = record;
    core::Records& records = ws_.records();
    records.examinees().put(record);
    if (records.current().record.fileCode == record.fileCode) records.current().record = record;
}

// --- decompressing -------------------------------------------------------------------

Archiver::Result Archiver::decompress() {
    if (!joinVolumes()) return Result::Failed;
    if (!decompressJoined()) return Result::Failed;
    removeQuietly(lzw_);
    if (!extractSolid()) return Result::Failed;
    removeQuietly(solid_);
    try {
        saveRecord(" ");
    } catch (const std::exception& error) {
        view_.showError(text(txt::ArchiveDearchivationFailure) + "\n" + error.what());
        return Result::Failed;
    }
    view_.inform(text(txt::ArchiveDearchivationComplete));
    return Result::Decompressed;
}

bool Archiver::joinVolumes() {
    view_.showStatus(text(txt::ArchiveJoining));
    const auto failure = [this](const std::string& detail) {
        removeQuietly(lzw_);
        view_.showError(detail.empty() ? text(txt::ArchiveDearchivationFailure)
                                       : text(txt::ArchiveDearchivationFailure) + "\n" + detail);
        return false;
    };
    OutputFile joined;
    if (!joined.create(lzw_)) return failure(text(txt::SolidWritingData));
    const bool disks = promptsForDisks(drive_);
    const int insertText =
        std::toupper(static_cast<unsigned char>(drive_)) == 'A' ? txt::ArchiveInsertDiskA : txt::ArchiveInsertDiskB;
    int count = 0;  // known once the first volume is read
    for (int i = 0; i == 0 || i < count; ++i) {
        for (;;) {
            if (disks) view_.inform(core::formatText(text(insertText), {static_cast<long long>(i + 1)}));
            try {
                const int volumes = readVolume(target_, subject_.fileCode, i, count, joined, ws_.texts(),
                                               [&](int done, int total) {
                                                   const int all = std::max(count, 1);
                                                   view_.showGauge(i * total + done, all * total);
                                                   view_.yield();
                                               });
                if (i == 0) count = volumes;
                break;
            } catch (const std::exception& error) {
                if (!driveRetry(error.what())) {
                    joined.close();
                    return failure({});
                }
            }
        }
    }
    if (!joined.close()) return failure(text(txt::SolidWritingData));
    return true;
}

bool Archiver::decompressJoined() {
    view_.showStatus(text(txt::ArchiveDecompressing));
    view_.showGauge(0, kGaugeScale);
    Tlzrw1v decompressor(ws_.texts());
    decompressor.setInputFile(lzw_);
    decompressor.setOutputFile(solid_);
    std::error_code ec;
    const std::uintmax_t total = fs::file_size(lzw_, ec);
    decompressor.onUpdate = [&](std::uint64_t read, std::uint64_t) {
        view_.showGauge(scaled(read, ec ? 0 : total), kGaugeScale);
        view_.yield();
    };
    try {
        decompressor.decompress();
        return true;
    } catch (const std::exception& error) {
        removeQuietly(solid_);
        removeQuietly(lzw_);
        view_.showError(text(txt::ArchiveDecompressionFailure) + "\n" + error.what());
        return false;
    }
}

bool Archiver::extractSolid() {
    view_.showStatus(text(txt::ArchiveExtracting));
    view_.showGauge(0, 1);
    try {
        const bool extracted = extractSolidFile(solid_, folder_, ws_.texts(), [this](int done, int total) {
            view_.showGauge(done, total);
            view_.yield();
        });
        if (!extracted) {
            removeQuietly(solid_);
            view_.showError(text(txt::ArchiveExtractionFailure));
        }
        return extracted;
    } catch (const std::exception& error) {
        removeQuietly(solid_);
        view_.showError(text(txt::ArchiveExtractionError) + "\n" + error.what());
        return false;
    }
}

}  // namespace lumo::admin
