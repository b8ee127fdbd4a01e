#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "authoring/method_skeleton.h"
#include "authoring/question_row.h"

namespace lumo::core {
class Settings;
class StringTable;
}  // namespace lumo::core

namespace lumo::authoring {

// One count field of the chooser as the selected method sets it.
struct CountField {
    bool visible = true;
    bool enabled = true;
    int minimum = 0;
    int maximum = 0;
    int value = 0;
    bool operator==(const CountField&) const = default;
};

// The method chooser's rules: the method list, the six count fields with
// their bounds and interlocks, the total rule and the skeleton of the chosen
// method. A hidden field counts as 0.
class MethodChooser {
public:
    // `names` are the entries of the method list; the k-th one selects method k.
    MethodChooser(std::vector<std::string> names, SkeletonTexts texts, std::string captionFormat);

    const std::vector<std::string>& names() const { return names_; }

    // Selects list position `index` (from 0). False when it is not one of the
    // six methods (more names than methods, or no names at all): the chooser
    // then has no method and cannot generate.
    bool select(int index);
    // 1 ... 6, or 0 when no method is selected.
    int method() const { return method_; }

    const CountField& field(QuestionType type) const { return fields_[static_cast<std::size_t>(type)]; }
    TypeCounts counts() const;
    int total() const { return methodTotal(method_, counts()); }

    // The examiner set a field: it is brought within its bounds, then the
    // total rule keeps the template at 5 to 20 questions and the method's
    // interlock makes the control count follow. Returns the value the field
    // ends with.
    int change(QuestionType type, int value);

    // The rows of the selected method, its number and the editor's caption;
    // nothing without a method.
    std::optional<TemplateSkeleton> generate() const;

private:
    CountField& at(QuestionType type) { return fields_[static_cast<std::size_t>(type)]; }
    void applyInterlock(QuestionType changed);
    bool applyTotalRule(QuestionType changed);

    std::vector<std::string> names_;
    SkeletonTexts texts_;
    std::string captionFormat_;
    int method_ = 0;
    std::array<CountField, kTypeCount> fields_{};
};

// The chooser of the workstation: the method names MName1 ... MName<NMethod>
// under the language prefix, the sign letters of that language and the texts
// of the current language (the caption). Raises EConvertError when NMethod is no number.
MethodChooser makeMethodChooser(const core::Settings& settings, const core::StringTable& table);

}  // namespace lumo::authoring
