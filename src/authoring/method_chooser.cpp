#include "authoring/method_chooser.h"

#include <algorithm>

#include "core/settings.h"
#include "core/text_format.h"
#include "core/texts/authoring.h"
#include "core/texts/core.h"

namespace lumo::authoring {

namespace {

CountField range(int minimum, int maximum, int value) {
    return {true, true, minimum, maximum, value};
}
CountField fixed(int value) {
    return range(value, value, value);
}
CountField disabled() {
    return {true, false, 0, 0, 0};
}
CountField hidden() {
    return {false, false, 0, 0, 0};
}

using Fields = std::array<CountField, kTypeCount>;

// The fields of each method, in the order r, i, c, n, o, v.
Fields methodFields(int method) {
    switch (method) {
        case 1: return {range(2, 5, 2), disabled(), fixed(3), range(1, 3, 1), range(1, 2, 1), range(0, 1, 0)};
        case 2: return {range(1, 4, 1), fixed(1), fixed(3), range(1, 3, 1), range(1, 2, 1), range(0, 1, 0)};
        case 3: return {disabled(), range(2, 6, 2), fixed(2), range(1, 3, 1), range(1, 2, 1), range(0, 1, 0)};
        case 4: return {range(1, 3, 1), hidden(), range(0, 9, 4), range(0, 2, 0), hidden(), hidden()};
        case 5: return {range(4, 18, 4), hidden(), hidden(), range(0, 2, 1), hidden(), hidden()};
        default:
            return {range(0, 20, 1), range(0, 20, 1), range(0, 20, 1),
                    range(0, 20, 1), range(0, 20, 1), range(0, 20, 1)};
    }
}

// Each change of the total rule is repeated until the field keeps its value;
// the bounds make that happen in a few rounds, this only guards the loop.
constexpr int kRuleRounds = 64;

}  // namespace

MethodChooser::MethodChooser(std::vector<std::string> names, SkeletonTexts texts, std::string captionFormat)
    : names_(std::move(names)), texts_(std::move(texts)), captionFormat_(std::move(captionFormat)) {}

bool MethodChooser::select(int index) {
    if (index < 0 || index >= static_cast<int>(names_.size()) || index >= kMethodFormats) {
        method_ = 0;
        return false;
    }
    // The fields are set whole here: the total rule does not act on them, the interlocks hold by construction.
    method_ = index + 1;
    fields_ = methodFields(method_);
    return true;
}

TypeCounts MethodChooser::counts() const {
    TypeCounts result{};
    for (std::size_t type = 0; type < fields_.size(); ++type) {
        result[type] = fields_[type].visible ? fields_[type].value : 0;
    }
    return result;
}

int MethodChooser::change(QuestionType type, int value) {
    CountField& changed = at(type);
    if (method_ == 0 || !changed.visible || !changed.enabled) return changed.value;
    changed.value = std::clamp(value, changed.minimum, changed.maximum);
    for (int round = 0; round < kRuleRounds; ++round) {
        if (!applyTotalRule(type)) break;
    }
    return changed.value;
}

// One round of the total rule; true when the field had to move.
bool MethodChooser::applyTotalRule(QuestionType changed) {
    CountField& field = at(changed);
    const int before = field.value;
    if (field.minimum == field.maximum) {
        field.value = field.minimum;
    } else {
        while (total() > core::kMaxQuestions && field.value > field.minimum) --field.value;
        while (total() < kMinQuestions && field.value < field.maximum) ++field.value;
    }
    applyInterlock(changed);
    return field.value != before;
}

void MethodChooser::applyInterlock(QuestionType changed) {
    int control = -1;
    if (method_ == 1 && changed == kRelevant) control = at(kRelevant).value + 1;
    if (method_ == 2 && changed == kRelevant) control = at(kRelevant).value + 2;
    if (method_ == 3 && changed == kInformative) control = at(kInformative).value;
    if (control >= 0) at(kControl) = fixed(control);
}

std::optional<TemplateSkeleton> MethodChooser::generate() const {
    if (method_ == 0) return std::nullopt;
    TemplateSkeleton skeleton;
    skeleton.method = method_;
    skeleton.caption = core::formatText(captionFormat_, {names_[static_cast<std::size_t>(method_ - 1)]});
    skeleton.rows = skeletonRows(method_, counts(), texts_);
    return skeleton;
}

MethodChooser makeMethodChooser(const core::Settings& settings, const core::StringTable& table) {
    const core::SettingsList& list = settings.list();
    std::vector<std::string> names;
    const int count = list.integer("NMethod");
    for (int k = 1; k <= count; ++k) names.push_back(list.text(settings.prefixed("MName" + std::to_string(k))));

    // Signs and standard questions follow the language of the keys, the caption the language of the texts.
    const bool russian = settings.prefix() == "Rus_";
    const core::Language keys = russian ? core::Language::Russian : core::Language::English;
    SkeletonTexts skeleton;
    for (int type = 0; type < kTypeCount; ++type) {
        skeleton.signLetters[static_cast<std::size_t>(type)] =
            russian ? settings.russianSignLetter(type + 1) : settings.englishSignLetter(type + 1);
    }
    skeleton.suspect = table.text(txt::MethodSuspect, keys);
    skeleton.knowWho = table.text(txt::MethodKnowWho, keys);
    skeleton.youDid = table.text(txt::MethodYouDid, keys);
    return MethodChooser(std::move(names), std::move(skeleton), std::string(table.text(txt::MethodNameCaption, settings.language())));
}

}  // namespace lumo::authoring
