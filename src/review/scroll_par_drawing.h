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
// only the exposed strip is filled anew; the walk over the points starts and
// ends a margin of the width of "QQQ" beyond it, so that lines and labels
// join and the picture equals one drawn from scratch. Otherwise the whole
// area is drawn. Above one point per
// pixel every column is one stroke from its minimum to its maximum. On
// success the panel's last drawn position becomes its position; a failure
// raises ParDrawingFailure and leaves it.
ParStrip drawParPanel(ParPanel& panel, const ParChannelSettings& channels, const ParTextMeasure& measure,
                      const core::Texts& texts);

}  // namespace lumo::review
