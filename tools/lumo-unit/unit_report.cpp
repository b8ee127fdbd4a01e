#include "unit_report.h"

#include <cmath>
#include <string>

#include "core/numbers.h"

namespace lumo::tools {

namespace {

std::string blockJson(const device::TChartBlock& block) {
    return "[" + std::to_string(block.range) + "," + std::to_string(block.adc) + "," + std::to_string(block.dac) + "]";
}

std::string fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

}  // namespace

std::string jsonNumber(double value) {
    const std::string digits = core::nineDigits(value);
    return digits.empty() ? "null" : digits;
}

UnitReport::UnitReport(bool json, std::FILE* out) : json_(json), out_(out) {
    lowest_.fill(4096);
    highest_.fill(-1);
}

void UnitReport::line(const std::string& text) {
    std::fputs(text.c_str(), out_);
    std::fputc('\n', out_);
    std::fflush(out_);
}

void UnitReport::error(const std::string& message) {
    std::fprintf(stderr, "lumo-unit: %s\n", message.c_str());
    std::fflush(stderr);
}

void UnitReport::attach(device::TLumoDevice_7_2& driver) {
    driver.OnInfoRead = [this](device::TLumoDevice_7_2& d) {
        if (json_) {
            std::string gains;
            for (int r = 0; r < 8; ++r) gains += (r > 0 ? "," : "") + jsonNumber(r < d.rangeCount() ? d.Gain(r) : 0);
            line("{\"event\":\"info\",\"dac_zero\":" + jsonNumber(d.DacZero) + ",\"adc_zero\":" +
                 jsonNumber(d.AdcZero) + ",\"dac_scale\":" + jsonNumber(d.DacScale) + ",\"gains\":[" + gains + "]}");
        } else {
            std::string gains;
            for (int r = 0; r < d.rangeCount(); ++r) gains += " " + fixed(d.Gain(r), 3);
            line("Unit constants: DacZero " + fixed(d.DacZero, 2) + ", AdcZero " + fixed(d.AdcZero, 3) +
                 ", DacScale " + fixed(d.DacScale, 4) + ", gains" + gains);
        }
    };
    driver.OnIdentRead = [this](device::TLumoDevice_7_2& d) {
        if (json_) {
            line("{\"event\":\"ident\",\"prefix\":\"" + d.IdentPrefix() + "\",\"suffix\":\"" + d.IdentSuffix() + "\"}");
        } else {
            line("Identification: " + d.IdentPrefix() + " " + d.IdentSuffix());
        }
    };
    driver.OnStreamStarted = [this](device::TLumoDevice_7_2&) {
        line(json_ ? "{\"event\":\"stream_started\"}" : "Streaming started");
        if (!streamed_) {
            streamed_ = true;
            if (onFirstStream) onFirstStream();
        }
    };
    driver.OnSample = [this](device::TLumoDevice_7_2& d) { sample(d); };
    driver.OnLinkError = [this](device::TLumoDevice_7_2&) {
        ++linkErrors_;
        line(json_ ? "{\"event\":\"link_error\"}" : "Link error: the unit does not answer");
    };
    driver.OnInfoFailed = [this](device::TLumoDevice_7_2&) {
        line(json_ ? "{\"event\":\"info_failed\"}" : "Info block failed: ten invalid readings");
    };
    for (int c = 0; c < driver.channelCount(); ++c) {
        driver.SetOnCommandDone(c, [this](device::TLumoDevice_7_2&, int channel) {
            ++commandsDone_;
            line(json_ ? "{\"event\":\"command_done\",\"channel\":" + std::to_string(channel) + "}"
                       : "Command confirmed on channel " + std::to_string(channel));
        });
        driver.SetOnCommandFailed(c, [this](device::TLumoDevice_7_2&, int channel) {
            ++commandsFailed_;
            line(json_ ? "{\"event\":\"command_failed\",\"channel\":" + std::to_string(channel) + "}"
                       : "Command not confirmed on channel " + std::to_string(channel));
        });
    }
}

void UnitReport::sample(device::TLumoDevice_7_2& d) {
    ++samples_;
    const std::int64_t now = d.milliseconds();
    if (firstSampleAt_ < 0) firstSampleAt_ = now;
    lastSampleAt_ = now;
    // The driver starts with zero blocks, and the hold rule keeps them in place
    // of the first packet's samples (every channel's setting is new then): only
    // from the second packet committed on are the samples the unit's.
    if (d.lastCounter() != lastCommitted_) {
        lastCommitted_ = d.lastCounter();
        ++commits_;
    }
    const bool committed = commits_ >= 2;
    const int channels = committed ? std::min(d.channelCount(), 7) : 0;
    for (int c = 0; c < channels; ++c) {
        lowest_[static_cast<std::size_t>(c)] = std::min<int>(lowest_[static_cast<std::size_t>(c)], d.Samples[static_cast<std::size_t>(c)].adc);
        highest_[static_cast<std::size_t>(c)] = std::max<int>(highest_[static_cast<std::size_t>(c)], d.Samples[static_cast<std::size_t>(c)].adc);
    }
    if (json_) {
        std::string samples;
        std::string values;
        for (int c = 0; c < d.channelCount(); ++c) {
            samples += (c > 0 ? "," : "") + blockJson(d.Samples[static_cast<std::size_t>(c)]);
            values += (c > 0 ? "," : "") + jsonNumber(d.ChannelValue(c));
        }
        std::string sub;
        for (int k = 0; k < 3; ++k) sub += (k > 0 ? "," : "") + blockJson(d.SubSamples[static_cast<std::size_t>(k)][0]);
        line("{\"event\":\"sample\",\"samples\":[" + samples + "],\"sub\":[" + sub + "],\"values\":[" + values + "]}");
        return;
    }
    // Readable: one status line a second.
    if (!committed || (lastStatusAt_ >= 0 && now - lastStatusAt_ < 1000)) return;
    lastStatusAt_ = now;
    std::string text = "t=" + fixed((now - firstSampleAt_) / 1000.0, 1) + "s";
    for (int c = 0; c < d.channelCount(); ++c) {
        const device::TChartBlock& s = d.Samples[static_cast<std::size_t>(c)];
        text += "  " + std::to_string(c) + ":r" + std::to_string(s.range) + " " + std::to_string(s.adc) + "/" +
                std::to_string(s.dac) + " =" + fixed(d.ChannelValue(c), 1);
    }
    line(text);
}

void UnitReport::summary(const device::TLumoDevice_7_2& driver, double seconds) {
    if (json_) return;
    line("Summary after " + fixed(seconds, 1) + " s:");
    const double span = (lastSampleAt_ - firstSampleAt_) / 1000.0;
    line("  packet periods: " + std::to_string(samples_) +
         (span > 0 ? " (" + fixed((samples_ - 1) / span, 2) + " per second)" : ""));
    line("  rejected packets: " + std::to_string(driver.rejectedPackets()) + ", link errors: " +
         std::to_string(linkErrors_) + ", commands confirmed: " + std::to_string(commandsDone_) +
         ", not confirmed: " + std::to_string(commandsFailed_));
    for (int c = 0; c < std::min(driver.channelCount(), 7); ++c) {
        const device::TChartBlock& s = driver.Samples[static_cast<std::size_t>(c)];
        std::string text = "  channel " + std::to_string(c) + ": range " + std::to_string(s.range) + ", offset " +
                           std::to_string(s.dac);
        if (highest_[static_cast<std::size_t>(c)] >= 0) {
            text += ", converter " + std::to_string(lowest_[static_cast<std::size_t>(c)]) + " ... " +
                    std::to_string(highest_[static_cast<std::size_t>(c)]);
        }
        line(text);
    }
}

}  // namespace lumo::tools
