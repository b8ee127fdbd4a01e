#include "review/scroll_res_channels.h"

#include <algorithm>
#include <numeric>

#include "core/settings.h"

namespace lumo::review {

ScrollResSettings readScrollResSettings(const core::Settings& settings) {
    const core::SettingsList& list = settings.list();
    ScrollResSettings result;
    for (int c = 0; c < kReviewChannels; ++c) {
        ScrollResChannelSettings& channel = result.channels[static_cast<std::size_t>(c)];
        const std::string index = std::to_string(c);
        channel.switchedOn = list.value("ChVisible" + index) == "1";
        channel.slot = list.integer("ChSeq" + index);
        channel.colour = core::colorFromName(list.value("ChColor" + index));
        channel.polarity = list.value("ChPolar" + index) == "-" ? -1 : 1;
        if (c == kSkinChannel) channel.polarity *= 3;
        if (c == kPhasicChannel) channel.polarity /= 20;
        channel.name = list.value(settings.prefixed("ChName" + index));
    }
    result.background = core::colorFromName(list.value("ChBackColor"));
    for (int a = 0; a < 4; ++a) {
        result.artefacts[static_cast<std::size_t>(a)] = list.value(settings.prefixed("Art" + std::to_string(a + 5)));
    }
    result.breathName = list.value(settings.prefixed("ChName1_2"));
    result.skinName = list.value(settings.prefixed("ChName5"));
    result.cardioName = list.value(settings.prefixed("ChName0_4"));
    return result;
}

std::vector<int> channelsBySlot(const ScrollResSettings& settings, int channels) {
    std::vector<int> order(static_cast<std::size_t>(std::clamp(channels, 0, kReviewChannels)));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&settings](int a, int b) {
        return settings.channels[static_cast<std::size_t>(a)].slot < settings.channels[static_cast<std::size_t>(b)].slot;
    });
    return order;
}

}  // namespace lumo::review
