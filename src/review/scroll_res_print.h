#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/printed_page.h"
#include "review/scroll_res_picture.h"

namespace lumo::core {
class Workstation;
}

namespace lumo::review {

class ScrollResView;

// The printout's title block: the product title, the polygram heading, the
// chart's name and the lines of the results table, in the workstation's language.
std::vector<std::string> polygramTitleLines(const ScrollResView& view, const core::Workstation& workstation);
// "Preparing to print : #0000001 / EXAM_3 / CHART_01  ( Petrov )".
std::string preparingToPrintText(const ScrollResView& view, const core::Workstation& workstation);

// Adds a picture's items to a page: moved right by `left`, kept to the
// picture's width, dots `unit` wide, in black (the painter draws every item black).
void addPictureToPage(const ScrollResPicture& picture, double left, double unit, const core::TextStyle& labelStyle,
                      core::PrintedPage& page);

// The chart of the view printed at true scale: 0.1 inch of paper per
// second at the standard speed whatever the zoom, line widths and marks
// scaled from the screen's pixels, on landscape pages of `format` (points).
// The first page carries the title block and the channel names at their
// levels; each page ends where the drawing passes its width, so it can go
// out as its own job while the next one is laid out.
class PolygramPrint {
public:
    PolygramPrint(const ScrollResView& view, const core::Workstation& workstation, const core::PageFormat& format,
                  const core::TextMeasure& measure);

    bool done() const { return page_ >= pageCount_; }
    std::size_t pageCount() const { return pageCount_; }
    // The next page; done() afterwards when it was the last.
    core::PrintedPage nextPage();
    // Progress over the chart's points: those on the pages made so far.
    std::size_t pointsPrinted() const { return printed_; }
    std::size_t pointCount() const { return x_.size(); }

private:
    void addTitlePage(core::PrintedPage& page) const;
    double chartLeft(std::size_t page) const { return page == 0 ? titleWidth_ : 0; }

    const ScrollResView& view_;
    const core::Workstation& ws_;
    core::PageFormat format_;
    const core::TextMeasure& measure_;
    std::vector<double> x_;
    double unit_ = 1;
    double titleWidth_ = 0;
    double titleColumn_ = 0;
    std::size_t pageCount_ = 0;
    std::size_t page_ = 0;
    double start_ = 0;  // chart position at the next page's left edge
    std::size_t printed_ = 0;
};

}  // namespace lumo::review
