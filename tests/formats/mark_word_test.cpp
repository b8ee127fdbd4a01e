#include "formats/mark_word.h"

#include <gtest/gtest.h>

namespace lumo::formats {
namespace {

TEST(MarkWord, ArtefactAndSpeedCodesStepByThousands) {
    EXPECT_EQ(artefactMark(0), 6000u);
    EXPECT_EQ(artefactMark(3), 9000u);
    EXPECT_EQ(speedMark(0), 30000u);
    EXPECT_EQ(speedMark(3), 33000u);
}

TEST(MarkWord, EventIsTheThousandsDigitBelowTheSpeedCodes) {
    EXPECT_EQ(markEvent(0), 0);
    EXPECT_EQ(markEvent(599), 0);               // a second tick alone
    EXPECT_EQ(markEvent(kMarkOnset + 42), 1);   // an onset with its tick
    EXPECT_EQ(markEvent(kMarkAnswerNo), 4);
    EXPECT_EQ(markEvent(kMarkTestBegins), 0);   // begin and end show as 0
    EXPECT_EQ(markEvent(kMarkTestEnds + artefactMark(0)), 6);
    EXPECT_EQ(markEvent(29999), 9);
    EXPECT_EQ(markEvent(speedMark(0)), 0);
    EXPECT_EQ(markEvent(speedMark(3) + kMarkOnset), 0);
    EXPECT_EQ(markEvent(-1000), 0);
}

TEST(MarkWord, ArtefactsAreDigitsSixToNine) {
    EXPECT_FALSE(isArtefactMark(5999));
    EXPECT_TRUE(isArtefactMark(artefactMark(0)));
    EXPECT_TRUE(isArtefactMark(artefactMark(3) + 999));
    EXPECT_FALSE(isArtefactMark(kMarkTestBegins));
    EXPECT_TRUE(isArtefactMark(kMarkTestBegins + artefactMark(1)));
    // Events summed in one period read as their digits' sum: ready and end of question look like artefact 2.
    EXPECT_TRUE(isArtefactMark(kMarkReady + kMarkQuestionEnd));
    EXPECT_FALSE(isArtefactMark(kMarkReady));
    EXPECT_FALSE(isArtefactMark(speedMark(0) + artefactMark(0)));
    EXPECT_FALSE(isArtefactMark(-6000));
}

}  // namespace
}  // namespace lumo::formats
