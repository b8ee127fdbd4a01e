#include "recording/state_session.h"

#include <algorithm>
#include <exception>

#include "core/settings.h"
#include "core/settings_list.h"
#include "core/texts/recording.h"
#include "device/channel_tuning.h"
#include "device/lumo_device.h"
#include "device/serial_link.h"

namespace lumo::recording {

namespace {

std::uint16_t ticks(int value) {
    return static_cast<std::uint16_t>(std::clamp(value, 0, 65535));
}

}  // namespace

StateSessionSettings stateSessionSettings(const core::SettingsList& list) {
    StateSessionSettings settings;
    settings.deviceTimeout = ticks(list.integer("DeviceTimeout"));
    settings.dataTimeout = ticks(list.integer("DataTimeout"));
    settings.pulseSpyDelay = list.integer("SpyDelay0");
    settings.skinSpyDelay = list.integer("SpyDelay5");
    return settings;
}

StateSession::StateSession(device::SerialLink& link, StateSessionSettings settings, const core::Texts& texts,
                           core::ProcessPriority& priority, StateSessionView& view)
    : link_(link), settings_(settings), texts_(texts), priority_(priority), view_(view) {}

StateSession::~StateSession() {
    try {
        close();
    } catch (...) {
        // Closing reports nothing; a destructor must not throw.
    }
    // The hooks give the driver its handlers back before it goes.
    channels_.clear();
    driver_.reset();
}

void StateSession::open() {
    if (opened_ || closed_) return;
    opened_ = true;
    priority_.raise();
    priorityRaised_ = true;

    driver_ = std::make_unique<device::TLumoDevice_7_2>(device::kUnitGeometry);
    device::TLumoDevice_7_2& driver = *driver_;
    driver.DeviceTimeout = settings_.deviceTimeout;
    driver.DataTimeout = settings_.dataTimeout;
    driver.AttachPort(&link_);
    driver.OnInfoRead = [this](device::TLumoDevice_7_2&) { infoRead(); };
    driver.OnSample = [this](device::TLumoDevice_7_2&) { sample(); };
    driver.OnLinkError = [this](device::TLumoDevice_7_2&) { linkLost(texts_(txt::StateNoLink)); };
    // A unit whose info block never makes sense stops talking without a link
    // error; without this the measurement would wait for ever.
    driver.OnInfoFailed = [this](device::TLumoDevice_7_2&) { linkLost(texts_(txt::StateNoLink)); };
    channels_.push_back(std::make_unique<device::TunedChannel>(driver, kPulseChannel, settings_.pulseSpyDelay));
    channels_.push_back(std::make_unique<device::TunedChannel>(driver, kSkinChannel, settings_.skinSpyDelay));
    // Open pauses with the message loop running: a close meanwhile must stop the unit.
    unitOpen_ = true;
    try {
        driver.Open();
    } catch (const std::exception& error) {
        unitOpen_ = false;
        // Open may have opened the port before the trigger failed.
        if (link_.isOpen()) link_.close();
        view_.showError(texts_(txt::TestMaybePortWrong) + ":\n" + error.what());
        close();
        view_.closeRequested(true);
    }
}

void StateSession::infoRead() {
    if (closed_) return;
    // Connection and every reconnection: the channels are tuned afresh, and
    // the statistics start again with the first sample.
    for (const auto& channel : channels_) channel->restart();
    restartPending_ = true;
}

void StateSession::sample() {
    if (closed_) return;
    const device::TLumoDevice_7_2& driver = *driver_;
    // The driver starts with zero blocks, and its hold rule keeps them in
    // place of the first packet's samples (every channel's setting is new
    // then): only from the second packet committed on are the samples the
    // unit's. Before that they would start the skin-resistance trend from
    // nothing and put a step of some 2000 counts into the pulse windows.
    if (driver.lastCounter() != lastCommitted_) {
        lastCommitted_ = driver.lastCounter();
        ++commits_;
    }
    if (commits_ < 2) return;
    dataReceived_ = true;
    if (restartPending_) {
        restartPending_ = false;
        restartStatistics();
    }
    ++periodsSinceRestart_;
    view_.traceSample({driver.Samples[kPulseChannel].adc, driver.Samples[kSkinChannel].adc});
    // Four pulse values per packet: the fast channel's sub-samples 0, 1, 2 and its current sample.
    const formats::UnitConstants unit = driver.unitConstants();
    bool analysed = false;
    for (const device::TarrChartBlock& sub : driver.SubSamples) {
        analysed = estimate_.feed(formats::blockValue(sub[kPulseChannel], unit)) || analysed;
    }
    analysed = estimate_.feed(driver.ChannelValue(kPulseChannel)) || analysed;
    if (analysed) view_.statisticsChanged();
}

void StateSession::linkLost(const std::string& text) {
    if (closed_ || linkErrorReported_) return;
    // Reported once: the driver keeps trying to reconnect by itself.
    linkErrorReported_ = true;
    view_.showError(text);
    if (!dataReceived_) {
        linkFailed_ = true;
        close();
        view_.closeRequested(true);
    }
}

void StateSession::notificationFailed(const std::string& reason) {
    linkLost(texts_(txt::StateNoLink) + ":\n" + reason);
}

void StateSession::restart() {
    if (closed_ || !driver_) return;
    restartStatistics();
    view_.statisticsChanged();
}

void StateSession::restartStatistics() {
    estimate_.restart(skinValue());
    periodsSinceRestart_ = 0;
}

float StateSession::skinValue() const {
    return driver_ ? driver_->ChannelValue(kSkinChannel) : 0.0f;
}

StateReport StateSession::report() const {
    return stateReport(estimate_.statistics(), skinValue(), texts_);
}

void StateSession::finish() {
    if (closed_) return;
    std::string text;
    bool made = false;
    try {
        text = stateReportText(report(), texts_);
        made = true;
    } catch (const EMathError& error) {
        text = error.what();
    }
    // The unit stops first, so that it does not stream into the box.
    close();
    if (made) {
        view_.showReport(text);
    } else if (dataReceived_) {
        view_.showFailure(text);
    }
    view_.closeRequested(!made);
}

void StateSession::close() {
    if (closed_) return;
    closed_ = true;
    // The tuners, the spies and the driver live on until the session goes:
    // this may run inside one of their notifications (a key pressed during a
    // command's pause), and the driver survives being stopped there.
    if (driver_ && unitOpen_) {
        try {
            if (linkFailed_) {
                driver_->Disconnect();
            } else {
                driver_->Close();
            }
        } catch (const std::exception&) {
            // The port is going away anyway.
        }
    }
    unitOpen_ = false;
    if (priorityRaised_) {
        priorityRaised_ = false;
        priority_.restore();
    }
}

}  // namespace lumo::recording
