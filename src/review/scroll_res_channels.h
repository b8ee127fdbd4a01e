#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/colors.h"

namespace lumo::core {
class Settings;
}

namespace lumo::review {

inline constexpr int kReviewChannels = 8;
// The channels whose values the review treats apart: the difference-drawn
// blood volume, skin resistance and its derived phasic channel.
inline constexpr int kDifferenceChannel = 3;
inline constexpr int kSkinChannel = 5;
inline constexpr int kPhasicChannel = 7;

// One channel as the settings describe it for the scrolling review.
struct ScrollResChannelSettings {
    bool switchedOn = false;  // ChVisible c is "1"
    int slot = 0;             // ChSeq c: the readout place
    core::Rgb colour;         // ChColor c
    double polarity = 1;      // -1 for ChPolar c "-", then x 3 for channel 5, / 20 for channel 7
    std::string name;         // ChName c under the language prefix
};

struct ScrollResSettings {
    std::array<ScrollResChannelSettings, kReviewChannels> channels;
    core::Rgb background;                    // ChBackColor
    std::array<std::string, 4> artefacts;    // Art5 ... Art8 under the language prefix
    std::string breathName;                  // ChName1_2: hand score 1
    std::string skinName;                    // ChName5: hand score 2
    std::string cardioName;                  // ChName0_4: hand score 3
};

// Reads the keys; a malformed ChSeq or an unknown colour name raises
// EConvertError.
ScrollResSettings readScrollResSettings(const core::Settings& settings);

// The first `channels` channels in readout order: by ChSeq, ties in channel order.
std::vector<int> channelsBySlot(const ScrollResSettings& settings, int channels);

}  // namespace lumo::review
