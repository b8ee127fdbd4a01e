#include "authoring/method_skeleton.h"

namespace lumo::authoring {

namespace {

// Rows in the making: each question gets the next row number.
class RowWriter {
public:
    explicit RowWriter(const SkeletonTexts& texts) : texts_(texts) {}

    void add(QuestionType type, int number, const std::string& text = " ?") {
        const auto index = static_cast<std::size_t>(type);
        rows_.push_back({rowNumber(static_cast<int>(rows_.size()) + 1), numberedSign(texts_.signLetters[index], number),
                         "-", text});
    }
    void addRange(QuestionType type, int first, int last) {
        for (int number = first; number <= last; ++number) add(type, number);
    }
    std::vector<QuestionRow> take() { return std::move(rows_); }

private:
    const SkeletonTexts& texts_;
    std::vector<QuestionRow> rows_;
};

int count(const TypeCounts& counts, QuestionType type) {
    return counts[static_cast<std::size_t>(type)];
}

// The neutral questions open and close a template: the larger half in front.
int leadingNeutrals(const TypeCounts& counts) {
    return (count(counts, kNeutral) + 1) / 2;
}

// Neutrals, the first outer and the sacrificial question: the opening of methods 1 to 3.
void opening(RowWriter& rows, const TypeCounts& counts) {
    rows.addRange(kNeutral, 1, leadingNeutrals(counts));
    rows.add(kOuter, 1);
    if (count(counts, kSacrificial) == 1) rows.add(kSacrificial, 1);
}

void closing(RowWriter& rows, const TypeCounts& counts) {
    if (count(counts, kOuter) == 2) rows.add(kOuter, 2);
    rows.addRange(kNeutral, leadingNeutrals(counts) + 1, count(counts, kNeutral));
}

void pairs(RowWriter& rows, QuestionType type, int last) {
    for (int k = 1; k <= last; ++k) {
        rows.add(kControl, k);
        rows.add(type, k);
    }
}

}  // namespace

int methodTotal(int method, const TypeCounts& counts) {
    if (method == 4) {
        return count(counts, kRelevant) + count(counts, kNeutral) + count(counts, kControl) * count(counts, kRelevant);
    }
    int total = 0;
    for (const int value : counts) total += value;
    return total;
}

std::vector<QuestionRow> skeletonRows(int method, const TypeCounts& counts, const SkeletonTexts& texts) {
    RowWriter rows(texts);
    const int r = count(counts, kRelevant);
    const int c = count(counts, kControl);
    switch (method) {
        case 1:
            opening(rows, counts);
            pairs(rows, kRelevant, r);
            rows.add(kControl, r + 1);
            closing(rows, counts);
            break;
        case 2:
            opening(rows, counts);
            pairs(rows, kRelevant, r - 1);
            rows.add(kControl, c - 2, texts.suspect);
            rows.add(kInformative, 1, texts.knowWho);
            rows.add(kControl, c - 1);
            rows.add(kRelevant, r, texts.youDid);
            rows.add(kControl, c);
            closing(rows, counts);
            break;
        case 3:
            opening(rows, counts);
            pairs(rows, kInformative, count(counts, kInformative));
            closing(rows, counts);
            break;
        case 4: {
            // Control numbers run on across the relevant questions, the larger half before each.
            const int before = (c + 1) / 2;
            if (count(counts, kNeutral) >= 1) rows.add(kNeutral, 1);
            for (int k = 1; k <= r; ++k) {
                const int base = c * (k - 1);
                rows.addRange(kControl, base + 1, base + before);
                rows.add(kRelevant, k);
                rows.addRange(kControl, base + before + 1, base + c);
            }
            if (count(counts, kNeutral) == 2) rows.add(kNeutral, 2);
            break;
        }
        case 5:
            rows.addRange(kNeutral, 1, leadingNeutrals(counts));
            rows.addRange(kRelevant, 1, r);
            rows.addRange(kNeutral, leadingNeutrals(counts) + 1, count(counts, kNeutral));
            break;
        case 6:
            for (int type = kRelevant; type < kTypeCount; ++type) {
                rows.addRange(static_cast<QuestionType>(type), 1, count(counts, static_cast<QuestionType>(type)));
            }
            break;
        default: break;
    }
    return rows.take();
}

}  // namespace lumo::authoring
