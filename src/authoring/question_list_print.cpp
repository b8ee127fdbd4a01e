#include "authoring/question_list_print.h"

namespace lumo::authoring {

namespace {

// Byte offsets of the UTF-8 characters of `text`, and its length as the last entry.
std::vector<std::size_t> characterStarts(const std::string& text) {
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) starts.push_back(i);
    }
    starts.push_back(text.size());
    return starts;
}

bool blank(const std::string& text) {
    return text.find_first_not_of(' ') == std::string::npos;
}

// The blanks at the split go; those at the line's ends (a row number's) stay.
std::string trimmedRight(const std::string& text) {
    const auto last = text.find_last_not_of(' ');
    return last == std::string::npos ? std::string() : text.substr(0, last + 1);
}
std::string trimmedLeft(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

class PageWriter {
public:
    PageWriter(const QuestionListPrint& print, const core::PageFormat& format, const core::TextMeasure& measure)
        : print_(print), format_(format), measure_(measure), headingStyle_(print.style) {
        headingStyle_.size += 2;
        headingStyle_.bold = true;
        headingLines_ = fitToWidth(print.heading, format.width, headingStyle_, measure);
        lineHeight_ = measure.lineHeight(print.style);
        document_.format = format;
        startPage();
    }

    void add(const std::string& line) {
        const std::vector<std::string> pieces = fitToWidth(line, format_.width, print_.style, measure_);
        // The halves of a split line stay together when a fresh page can hold them.
        if (!fits(pieces.size())) newPage();
        for (const std::string& piece : pieces) {
            if (!fits(1)) newPage();
            page().items.push_back(core::PageText{{0, y_}, piece, print_.style, core::TextAlign::Left});
            y_ += lineHeight_;
            linesOnPage_ = true;
        }
    }

    core::PrintedDocument take() { return std::move(document_); }

private:
    core::PrintedPage& page() { return document_.pages.back(); }
    bool fits(std::size_t lines) const { return y_ + static_cast<double>(lines) * lineHeight_ <= format_.height; }

    // A page that already holds a line may be closed; an empty one takes the
    // next line whatever its size, so that every line is printed somewhere.
    void newPage() {
        if (linesOnPage_) startPage();
    }

    void startPage() {
        document_.pages.emplace_back();
        const double height = measure_.lineHeight(headingStyle_);
        double y = 0;
        for (const std::string& line : headingLines_) {
            page().items.push_back(core::PageText{{format_.width / 2, y}, line, headingStyle_, core::TextAlign::Center});
            y += height;
        }
        const double rule = y - height + 1.5 * height;
        page().items.push_back(core::PageRule{{0, rule}, {format_.width, rule}, 0.5});
        y_ = rule + 0.5 * height;
        linesOnPage_ = false;
    }

    const QuestionListPrint& print_;
    const core::PageFormat& format_;
    const core::TextMeasure& measure_;
    core::TextStyle headingStyle_;
    std::vector<std::string> headingLines_;
    double lineHeight_ = 0;
    core::PrintedDocument document_;
    double y_ = 0;
    bool linesOnPage_ = false;
};

}  // namespace

std::pair<std::string, std::string> splitAtMiddle(const std::string& line) {
    const std::vector<std::size_t> starts = characterStarts(line);
    const std::size_t count = starts.size() - 1;
    const std::size_t middle = count / 2;
    std::size_t best = 0;
    bool found = false;
    for (std::size_t k = 0; k < count; ++k) {
        if (line[starts[k]] != ' ') continue;
        // A blank at an end would leave a half empty.
        if (blank(line.substr(0, starts[k])) || blank(line.substr(starts[k] + 1))) continue;
        const auto distance = [middle](std::size_t at) { return at > middle ? at - middle : middle - at; };
        if (!found || distance(k) < distance(best)) best = k;
        found = true;
    }
    if (found) return {trimmedRight(line.substr(0, starts[best])), trimmedLeft(line.substr(starts[best] + 1))};
    return {line.substr(0, starts[middle]), line.substr(starts[middle])};
}

std::vector<std::string> fitToWidth(const std::string& line, double width, const core::TextStyle& style,
                                    const core::TextMeasure& measure) {
    if (measure.width(line, style) <= width || characterStarts(line).size() <= 2) return {line};
    const auto [first, second] = splitAtMiddle(line);
    std::vector<std::string> pieces = fitToWidth(first, width, style, measure);
    for (std::string& piece : fitToWidth(second, width, style, measure)) pieces.push_back(std::move(piece));
    return pieces;
}

core::PrintedDocument layoutQuestionList(const QuestionListPrint& print, const core::PageFormat& format,
                                         const core::TextMeasure& measure) {
    PageWriter writer(print, format, measure);
    for (const std::string& line : print.lines) writer.add(line);
    return writer.take();
}

}  // namespace lumo::authoring
