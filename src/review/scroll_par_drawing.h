#pragma once

#include <string>

#include "core/errors.h"
#include "review/scroll_par_picture.h"

namespace lumo::core {
class Texts;
}

namespace lumo::review {

class ParPanel;
struct ParChannelSettings;

// A drawing that failed: the name of the step it had begun ("" while the
// visible flags were read) and the failure's own message.
class ParDrawingFailure : public LumoError {
public:
    ParDrawingFailure(std::string step, const std::string& reason);
    const std::string& step() const { return step_; }
    const std::string& reason() const { return reason_; }

private:
    std::string step_;
    std::string reason_;
};

// Draws the panel at its scroll position. When the picture moved by less
// than its width since the last drawing, the still valid part is shifted and
// only the exposed strip is drawn (with a margin of the width of "QQQ" so
// that lines and labels join); otherwise the whole area. Above one point per
// pixel every column is one stroke from its minimum to its maximum. On
// success the panel's last drawn position becomes its position; a failure
// raises ParDrawingFailure and leaves it.
ParStrip drawParPanel(ParPanel& panel, const ParChannelSettings& channels, const ParTextMeasure& measure,
                      const core::Texts& texts);

}  // namespace lumo::review
