#include <string>

#include "core/colors.h"
#include "core/settings.h"
#include "scoring/features.h"
#include "scoring/workspace.h"

namespace lumo::scoring {

void LoadChannelSettings(ScoringWorkspace& workspace, const core::Settings& settings) {
    workspace.featureCount = kFeatureCount;
    const auto& list = settings.list();
    ChannelSettings& channels = workspace.channels();
    for (int index = 0; index < kSignalSlots; ++index) {
        const int slot = index + 1;
        const std::string suffix = std::to_string(index);
        channels.colour[static_cast<std::size_t>(slot)] = core::colorFromName(list.value("ChColor" + suffix));
        channels.name[static_cast<std::size_t>(slot)] = list.text(settings.prefixed("ChName" + suffix));
        channels.switchedOff[static_cast<std::size_t>(slot)] = list.value("ChSwitch" + suffix) == "0";
        channels.order[static_cast<std::size_t>(slot)] = settings.channelOrder(index);
    }
    channels.background = core::colorFromName(list.value("ChBackColor"));
    channels.ignoreDisabled = list.boolean("IgnoreDisabledChannels");
}

}  // namespace lumo::scoring
