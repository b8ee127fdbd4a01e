#pragma once

#include <QFont>

#include "core/printed_page.h"

class QPainter;
class QPaintDevice;

namespace lumo::platform {

// The one painter of printed pages: draws the engine's page description in
// black on any paint device (a printer, a PDF file, an image), converting
// points to the device's pixels.

QFont printFont(const core::TextStyle& style);

// Text measures as `device` sets the text, in points.
class DeviceTextMeasure : public core::TextMeasure {
public:
    explicit DeviceTextMeasure(QPaintDevice& device) : device_(device) {}
    double width(const std::string& text, const core::TextStyle& style) const override;
    double lineHeight(const core::TextStyle& style) const override;

private:
    QPaintDevice& device_;
};

// `painter` is active on a device; the page's origin is the device's.
void paintPage(QPainter& painter, const core::PrintedPage& page);

}  // namespace lumo::platform
