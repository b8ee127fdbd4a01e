#pragma once

#include <span>

#include "core/string_table.h"

// Texts of chart analysis and scoring: the scoring run, the results window, the question-table decision view,
// the chart editor and the chart chooser. English under the odd identifier, Russian under the next one.
namespace lumo::txt {

// Feature extraction
inline constexpr int SpectrumError = 901;

// Scoring run and question-table view: duplicate check
inline constexpr int DuplicatedQuestion = 907;

// Results window: caption, menu and decision parameters
inline constexpr int ResultCaption = 913;
inline constexpr int ResultMenuExit = 915;
inline constexpr int ResultExitConfirm = 917;
inline constexpr int ResultMenuEditChart = 919;
inline constexpr int ResultMenuTables = 921;
inline constexpr int ResultMenuSummary = 923;
inline constexpr int ResultMenuParams = 925;
inline constexpr int ResultMenuStress = 927;
inline constexpr int ResultMenuLie = 929;
inline constexpr int ResultProbDemands = 931;
inline constexpr int ResultProbToMistake = 933;
inline constexpr int ResultAprior = 935;
inline constexpr int ResultFindAbsent = 937;
inline constexpr int ResultMissPresent = 939;
inline constexpr int ResultProbabilityHint = 941;
inline constexpr int ResultDecisionBounds = 943;
inline constexpr int ResultFeatures = 945;
inline constexpr int ResultModeStress = 947;
inline constexpr int ResultModeLie = 949;
inline constexpr int ResultModeHint = 951;
inline constexpr int ResultCharts = 953;
inline constexpr int ResultChartsHint = 955;

// Results window: decision texts and scale ends
inline constexpr int ResultIndefinity = 957;
inline constexpr int ResultWeak = 959;
inline constexpr int ResultObvious = 961;
inline constexpr int ResultStrong = 963;
inline constexpr int ResultSigns = 965;
inline constexpr int ResultOfTruth = 967;
inline constexpr int ResultOfLie = 969;
inline constexpr int ResultTruth = 971;
inline constexpr int ResultLie = 973;
inline constexpr int ResultRelax = 975;
inline constexpr int ResultStress = 977;

// Results window: summary table
inline constexpr int ResultType = 979;
inline constexpr int ResultSummary = 981;
inline constexpr int ResultRelevantSummary = 983;
inline constexpr int ResultComponents = 985;
inline constexpr int ResultQstNum = 987;
inline constexpr int ResultScore = 989;
inline constexpr int ResultProb = 991;
inline constexpr int ResultDecision = 993;
inline constexpr int ResultRsp = 995;
inline constexpr int ResultGsc = 997;
inline constexpr int ResultCrd = 999;
inline constexpr int ResultVzm = 1001;
inline constexpr int ResultQuestionsBody = 1003;
inline constexpr int ResultErgo = 1005;

// Results window: parameter, stress and lie tables
inline constexpr int ResultParamsTitle = 1007;
inline constexpr int ResultStressTitle = 1009;
inline constexpr int ResultLieTitle = 1011;
inline constexpr int ResultQst = 1013;
inline constexpr int ResultTypeSpaced = 1015;
inline constexpr int ResultPerMinute = 1017;
inline constexpr int ResultKOm = 1019;
inline constexpr int ResultChart = 1021;
inline constexpr int ResultRGsc = 1023;
inline constexpr int ResultTotal = 1025;

// Results window: printing
inline constexpr int ResultPrintHeader = 1027;
inline constexpr int ResultPrintLieExplanation = 1029;
inline constexpr int ResultPrintStressExplanation = 1031;
inline constexpr int ResultPrintFp = 1033;
inline constexpr int ResultPrintFm = 1035;
inline constexpr int ResultPrintPrior = 1037;
inline constexpr int ResultPrintZone1 = 1039;
inline constexpr int ResultPrintZone2 = 1041;
inline constexpr int ResultPrintZone3 = 1043;
inline constexpr int ResultPrintZone4 = 1045;
inline constexpr int ResultPrintZone5 = 1047;
inline constexpr int ResultPrintZone6 = 1049;
inline constexpr int ResultPrintZone7 = 1051;
inline constexpr int ResultPrintMore = 1053;
inline constexpr int ResultPrintLess = 1055;
inline constexpr int ResultPrintFinal = 1057;
inline constexpr int ResultPrintLieProbability = 1059;
inline constexpr int ResultPrinterNotReady = 1061;

// Question-table decision view
inline constexpr int QtViewCaption = 1067;
inline constexpr int QtViewChart = 1069;
inline constexpr int QtViewQuestions = 1071;
inline constexpr int QtViewNumber = 1073;
inline constexpr int QtViewType = 1075;
inline constexpr int QtViewInfScore = 1077;
inline constexpr int QtViewRelScore = 1079;
inline constexpr int QtViewDecisionTable = 1081;
inline constexpr int QtViewSum = 1083;
inline constexpr int QtViewDecisionBy = 1085;
inline constexpr int QtViewCandid = 1087;
inline constexpr int QtViewInconclusive = 1089;
inline constexpr int QtViewCheat = 1091;
inline constexpr int QtViewBackster = 1093;
inline constexpr int QtViewMatte = 1095;
inline constexpr int QtViewNoDeception = 1097;
inline constexpr int QtViewInconclusion = 1099;
inline constexpr int QtViewDeception = 1101;

// Chart editor
inline constexpr int EditCaption = 1107;
inline constexpr int EditExitConfirm = 1109;
inline constexpr int EditMenuResults = 1111;
inline constexpr int EditSaved = 1113;
inline constexpr int EditChart = 1115;
inline constexpr int EditChartHint = 1117;
inline constexpr int EditScale = 1119;
inline constexpr int EditScaleHint = 1121;
inline constexpr int EditScaleAll = 1123;
inline constexpr int EditScale3 = 1125;
inline constexpr int EditScale1 = 1127;
inline constexpr int EditGains = 1129;
inline constexpr int EditGainsHint = 1131;
inline constexpr int EditChannelHint = 1133;
inline constexpr int EditChannels = 1135;
inline constexpr int EditGainHint = 1137;
inline constexpr int EditDate = 1139;
inline constexpr int EditTime = 1141;
inline constexpr int EditDuration = 1143;
inline constexpr int EditNoQuestions = 1145;
inline constexpr int EditLegendRelax = 1147;
inline constexpr int EditLegendStress = 1149;

// Chart chooser
inline constexpr int ChooseChartCaption = 1151;

// Scoring run: charts and results tables the workspace cannot take
inline constexpr int ChartNoRecord = 1201;
inline constexpr int ChartTooLong = 1203;
inline constexpr int ChartUnreadable = 1205;
inline constexpr int TableBadQuestion = 1207;
inline constexpr int ExamNoCharts = 1209;

// lumo-score
inline constexpr int ScoreUsage = 1211;
inline constexpr int ScoreBadArgument = 1213;
inline constexpr int ScoreNoExaminee = 1215;

// Hand-score decision view and the hand-score tool: further texts
inline constexpr int QtViewTotal = 1217;
inline constexpr int QtViewExit = 1219;
inline constexpr int QtViewExitHint = 1221;
inline constexpr int QtViewChartHint = 1223;
inline constexpr int QtViewTableHint = 1225;
inline constexpr int QtViewInvolved = 1227;
inline constexpr int QtViewNotInvolved = 1229;
inline constexpr int QtViewNoTable = 1231;
inline constexpr int QtViewCharts = 1233;
inline constexpr int QtViewList = 1235;
inline constexpr int QtViewScores = 1237;
inline constexpr int QtViewTotals = 1239;
inline constexpr int QtViewQuestionGrid = 1241;
inline constexpr int ScoreHandUsage = 1243;
inline constexpr int ScoreMatteNeedsThree = 1245;

// Chart chooser: further texts
inline constexpr int ChooseChartBadQuestion = 1261;
inline constexpr int ChooseChartExams = 1263;
inline constexpr int ChooseChartExamsHint = 1265;
inline constexpr int ChooseChartChart = 1267;
inline constexpr int ChooseChartChartHint = 1269;
inline constexpr int ChooseChartQuestions = 1271;
inline constexpr int ChooseChartOkHint = 1273;
inline constexpr int ChooseChartCancelHint = 1275;

// Results window: further texts
inline constexpr int ResultPrintExaminee = 1277;
inline constexpr int ResultPrintExaminer = 1279;
inline constexpr int ResultPrintMethod = 1281;
inline constexpr int ResultPrintChartList = 1283;
inline constexpr int ResultPrintDate = 1285;
inline constexpr int ResultPrintBounds = 1287;
inline constexpr int ResultPrintCharts = 1289;
inline constexpr int ResultPrintConditions = 1291;
inline constexpr int ResultTableBars = 1293;

// Menu bars of the chart editor and the results window
inline constexpr int EditMenuExit = 1295;
inline constexpr int EditMenuSave = 1297;
inline constexpr int ResultMenuPrint = 1299;

// Chart editor: further texts
inline constexpr int EditMissingTotal = 1153;
inline constexpr int EditImage = 1155;
inline constexpr int EditQuestion = 1157;


std::span<const core::TextPair> scoringTexts();

}  // namespace lumo::txt
