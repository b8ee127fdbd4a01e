#pragma once

#include <span>

#include "core/string_table.h"

// Texts of the examination recording: the test run, its display and dialogs, the examinee state estimate and
// the score board. The test run keeps the identifiers it has always had. English under the odd identifier,
// Russian under the next one.
namespace lumo::txt {

// Test run: the unit could not be opened
inline constexpr int TestMaybePortWrong = 239;

// Test run: skin resistance label
inline constexpr int TestResistanceUnit = 401;

// Test run: an exam without questions, and the Protocol.log lines
inline constexpr int TestProtocolHeader = 403;
inline constexpr int TestProtocolSaved = 405;
inline constexpr int TestProtocolDiscarded = 407;
inline constexpr int TestProtocolCancelled = 409;
inline constexpr int TestProtocolSaveFailed = 411;
inline constexpr int TestProtocolQuestions = 413;
inline constexpr int TestNoQuestions = 415;

// The unattended demo examination
inline constexpr int DemoHome = 421;
inline constexpr int DemoExam = 423;
inline constexpr int DemoChartSaved = 425;
inline constexpr int DemoChartFailed = 427;
inline constexpr int DemoConclusion = 429;
inline constexpr int DemoNoConclusion = 431;
inline constexpr int DemoExamineeName = 433;
inline constexpr int DemoDeceptive = 435;
inline constexpr int DemoTruthful = 437;
inline constexpr int DemoTemplateMissing = 439;

// Test run window
inline constexpr int TestCaption = 677;
inline constexpr int TestWaitSeconds = 679;
inline constexpr int TestTimeRemained = 681;
inline constexpr int TestNoLink = 683;
inline constexpr int TestAskQuestion = 685;
inline constexpr int TestEndQuestion = 687;
inline constexpr int TestWaitAnswer = 689;
inline constexpr int TestRecordingReactions = 691;
inline constexpr int TestEnds = 693;
inline constexpr int TestBegins = 695;
inline constexpr int TestSpaceToStart = 697;
inline constexpr int TestSensorsTuning = 699;
inline constexpr int TestInitError = 703;
inline constexpr int TestInvalidSequence = 705;
inline constexpr int TestQuestionsLoadError = 707;
inline constexpr int TestUnitStartError = 709;
inline constexpr int TestAbortConfirm = 711;
inline constexpr int TestQuestionSeconds = 713;
inline constexpr int TestAbortedTimeLimit = 715;
inline constexpr int TestNoResourcesSave = 717;
inline constexpr int TestQuestionsExhausted = 719;
inline constexpr int TestInvalidChartNumber = 721;
inline constexpr int TestAborted = 725;
inline constexpr int TestQuestionListHint = 727;

// Keep-or-discard dialog
inline constexpr int SaveChartCaption = 731;
inline constexpr int SaveChartYes = 733;
inline constexpr int SaveChartYesHint = 735;
inline constexpr int SaveChartNo = 739;

// Continue dialog
inline constexpr int ContinueTestQuestion = 1677;
inline constexpr int ContinueTestContinue = 1679;
inline constexpr int ContinueTestTerminate = 1681;

// State estimate window
inline constexpr int StateCaption = 751;
inline constexpr int StateSignals = 753;
inline constexpr int StateHistogram = 755;
inline constexpr int StateDataReceived = 757;
inline constexpr int StateRestart = 759;
inline constexpr int StateFinish = 761;
inline constexpr int StateNoLink = 763;

// State estimate report, one text per line
inline constexpr int StateReportFrequency = 765;
inline constexpr int StateReportPerMinute = 767;
inline constexpr int StateReportMainTone = 769;
inline constexpr int StateReportSpan = 771;
inline constexpr int StateReportSeconds = 773;
inline constexpr int StateReportVariance = 775;
inline constexpr int StateReportBloodVolume = 777;
inline constexpr int StateReportGscTrend = 779;

// ANS summary window
inline constexpr int SummaryCaption = 781;
inline constexpr int SummaryDistribution = 783;
inline constexpr int SummaryTitle = 785;
inline constexpr int SummaryScale = 787;
inline constexpr int SummaryLabel = 789;
inline constexpr int SummaryMeanFrequency = 791;
inline constexpr int SummaryMainTone = 793;
inline constexpr int SummaryVariance = 795;
inline constexpr int SummaryBloodVolume = 797;
inline constexpr int SummaryFrequencyIndex = 799;
inline constexpr int SummaryMainToneIndex = 801;
inline constexpr int SummaryStabilityIndex = 803;
inline constexpr int SummaryBloodVolumeIndex = 805;
inline constexpr int SummaryRelax = 807;
inline constexpr int SummaryStimulate = 809;
inline constexpr int SummaryStress = 811;
inline constexpr int SummaryCalm = 813;
inline constexpr int SummaryBalance = 815;

// Test run display: speed list and centring button
inline constexpr int DisplaySpeed1 = 821;
inline constexpr int DisplaySpeed2 = 823;
inline constexpr int DisplaySpeed3 = 825;
inline constexpr int DisplaySpeed4 = 827;
inline constexpr int DisplaySpeedHint = 829;
inline constexpr int DisplayCentringHint = 831;

// Score board
inline constexpr int BoardCaption = 837;
inline constexpr int BoardBreath = 839;
inline constexpr int BoardResistance = 841;
inline constexpr int BoardPulse = 843;
inline constexpr int BoardQuestion = 845;
inline constexpr int BoardTotal = 847;

// Test run window: hints of its buttons, the pause
inline constexpr int TestAskHint = 849;
inline constexpr int TestYesHint = 851;
inline constexpr int TestNoHint = 853;
inline constexpr int TestAbortHint = 855;
inline constexpr int TestUnitHint = 857;
inline constexpr int TestArtefactHint = 859;
inline constexpr int TestPaused = 861;
inline constexpr int TestResistanceHint = 863;

// State estimate: why no report follows
inline constexpr int StateNoPeriods = 865;
inline constexpr int StateTooShort = 867;
inline constexpr int StateReportImpossible = 869;


std::span<const core::TextPair> recordingTexts();

}  // namespace lumo::txt
