// A unit's calibration file may be damaged or edited by hand: whatever it
// holds reads as a calibration or as stale defaults, never anything else.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "device/calibration_store.h"

namespace {

const std::filesystem::path& home() {
    static const std::filesystem::path folder = [] {
        const auto path = std::filesystem::temp_directory_path() / ("lumo-fuzz-calibration-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path / "calibration");
        return path;
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumo;
    const char* ident = "0123456789ABCDEF0123";
    {
        std::ofstream file(home() / "calibration" / (std::string(ident) + ".ini"), std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const device::ResistanceCalibration calibration = device::readCalibration(home(), ident, core::Date{2026, 12, 9});
    if (calibration.stale && (calibration.zeroRes != 2100.0 || calibration.propRes != 0.5555556)) std::abort();
    if (!calibration.stale && (!std::isfinite(calibration.zeroRes) || !std::isfinite(calibration.propRes))) std::abort();
    return 0;
}
