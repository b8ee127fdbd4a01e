// A unit's calibration file may be damaged or edited by hand: whatever it
// holds reads as a calibration or as stale defaults, never anything else.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "device/calibration_store.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumo;
    const char* ident = "0123456789ABCDEF0123";
    const std::filesystem::path& home = fuzz::scratchFolder("calibration");
    std::filesystem::create_directories(home / "calibration");
    fuzz::writeInput(home / "calibration" / (std::string(ident) + ".ini"), data, size);
    const device::ResistanceCalibration calibration = device::readCalibration(home, ident, core::Date{2026, 12, 9});
    if (calibration.stale && (calibration.zeroRes != 2100.0 || calibration.propRes != 0.5555556)) std::abort();
    if (!calibration.stale && (!std::isfinite(calibration.zeroRes) || !std::isfinite(calibration.propRes))) std::abort();
    return 0;
}
