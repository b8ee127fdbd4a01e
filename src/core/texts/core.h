#pragma once

#include <span>

#include "core/string_table.h"

// Texts of the main window and its commands, start-up and shut-down, and the captions shared by many windows.
// English under the odd identifier, Russian under the next one.
namespace lumo::txt {

// Keyboard layout indicator of the dialogs that take typed names
inline constexpr int KeyboardFont = 1;
inline constexpr int KeyboardLatin = 3;
inline constexpr int KeyboardCyrillic = 5;
inline constexpr int KeyboardUnknown = 7;

// Buttons and captions shared by many windows
inline constexpr int ButtonOk = 9;
inline constexpr int ButtonCancel = 11;
inline constexpr int ButtonYes = 13;
inline constexpr int ButtonNo = 15;
inline constexpr int ButtonAbort = 17;
inline constexpr int ButtonRetry = 19;
inline constexpr int ButtonExit = 21;
inline constexpr int ButtonPrint = 23;
inline constexpr int ButtonDelete = 25;
inline constexpr int ButtonSave = 27;
inline constexpr int ButtonChoose = 29;
inline constexpr int MethodNameCaption = 31;

// Templates and exams
inline constexpr int TemplateOverwrite = 35;

// Start-up and shut-down
inline constexpr int AppTitleStart = 39;
inline constexpr int SplashVersion = 41;
inline constexpr int ProgressLoading = 43;
inline constexpr int ProgressShuttingDown = 45;
inline constexpr int ExitConfirm = 47;

// Main window: caption, panels and strip headings
inline constexpr int MainTitle = 51;
inline constexpr int MainCaptionExaminee = 53;
inline constexpr int MainHelpPanel = 55;
inline constexpr int MainLogo = 57;
inline constexpr int MainTemplatesHeading = 59;
inline constexpr int MainExamsHeading = 61;
inline constexpr int MainChartsHeading = 63;

// Main window: menus (the access letters reopen them)
inline constexpr int MainMenuExaminee = 65;
inline constexpr int MainMenuPreparations = 67;
inline constexpr int MainMenuTest = 69;
inline constexpr int MainMenuResults = 71;
inline constexpr int MainMenuSystem = 73;
inline constexpr int MainMenuHelp = 75;

// Main window: Examinee menu
inline constexpr int MainChooseExaminee = 77;
inline constexpr int MainChooseExamineeHint = 79;
inline constexpr int MainNewExaminee = 81;
inline constexpr int MainNewExamineeHint = 83;
inline constexpr int MainEditExaminee = 85;
inline constexpr int MainEditExamineeHint = 87;
inline constexpr int MainArchiveCompress = 89;
inline constexpr int MainArchiveDecompress = 91;
inline constexpr int MainArchiveNone = 93;
inline constexpr int MainArchiveHint = 95;
inline constexpr int MainExamineeState = 97;
inline constexpr int MainExamineeStateHint = 99;
inline constexpr int MainExit = 101;
inline constexpr int MainExitHint = 103;

// Main window: Preparations and Test menus
inline constexpr int MainNewTemplate = 105;
inline constexpr int MainNewTemplateHint = 107;
inline constexpr int MainEditTemplate = 109;
inline constexpr int MainEditTemplateHint = 111;
inline constexpr int MainQuestionBase = 113;
inline constexpr int MainQuestionBaseHint = 115;
inline constexpr int MainTestHint = 117;

// Main window: Results menu
inline constexpr int MainChooseExam = 119;
inline constexpr int MainChooseExamHint = 121;
inline constexpr int MainAnalysePolygram = 123;
inline constexpr int MainAnalysePolygramHint = 125;
inline constexpr int MainComparePolygrams = 127;
inline constexpr int MainComparePolygramsHint = 129;
inline constexpr int MainHandResults = 131;
inline constexpr int MainHandResultsHint = 133;
inline constexpr int MainExamResults = 135;
inline constexpr int MainExamResultsHint = 137;

// Main window: System and help menus
inline constexpr int MainExaminersList = 139;
inline constexpr int MainExaminersListHint = 141;
inline constexpr int MainSystemParameters = 143;
inline constexpr int MainSystemParametersHint = 145;
inline constexpr int MainCrimesList = 147;
inline constexpr int MainCrimesListHint = 149;
inline constexpr int MainCalibrateUnit = 151;
inline constexpr int MainCalibrateUnitHint = 153;
inline constexpr int MainHelpContents = 155;
inline constexpr int MainHelpSearch = 157;
inline constexpr int MainHelpUsing = 159;
inline constexpr int MainAbout = 161;

// Main window: strip buttons
inline constexpr int MainTemplateEditHint = 163;
inline constexpr int MainTemplateDeleteHint = 165;
inline constexpr int MainPrepareExamHint = 167;
inline constexpr int MainExamineHint = 169;
inline constexpr int MainExamEditHint = 171;
inline constexpr int MainEditOrderHint = 173;
inline constexpr int MainChooseOrderHint = 175;
inline constexpr int MainExamDeleteHint = 177;
inline constexpr int MainConvertToTemplateHint = 179;

// Main window commands: the message of each command's error box
inline constexpr int CmdNoResourcesExamsList = 183;
inline constexpr int CmdNoResourcesSummary = 185;
inline constexpr int CmdNoResourcesState = 187;
inline constexpr int CmdNoResourcesTemplatesList = 189;
inline constexpr int CmdNoResourcesTemplateEditor = 191;
inline constexpr int CmdNoResourcesMethodChooser = 193;
inline constexpr int CmdNoResourcesExamineesList = 195;
inline constexpr int CmdNoResourcesNewExaminee = 197;
inline constexpr int CmdNoResourcesEditExaminee = 199;
inline constexpr int CmdNoResourcesArchiver = 201;
inline constexpr int CmdNoResourcesQuestionBase = 203;
inline constexpr int CmdNoResourcesPolygrams = 205;
inline constexpr int CmdNoResourcesPolygram = 207;
inline constexpr int CmdNoResourcesExamResults = 209;
inline constexpr int CmdNoResourcesSystemParameters = 211;
inline constexpr int CmdNoResourcesCrimesList = 213;
inline constexpr int CmdNoResourcesExamEditor = 215;

// Main window commands: warnings, questions and prompts
inline constexpr int CmdNoExamineesToChoose = 217;
inline constexpr int CmdExamineeLimit = 219;
inline constexpr int CmdCompressConfirm = 221;
inline constexpr int CmdDecompressConfirm = 223;
inline constexpr int CmdDeleteTemplateConfirm = 225;
inline constexpr int CmdNoMoreCharts = 227;
inline constexpr int CmdDeleteExamConfirm = 229;
inline constexpr int CmdNameNewTemplate = 231;
inline constexpr int CmdChartsNotFound = 233;

// Help window
inline constexpr int HelpWindowTitle = 235;
inline constexpr int HelpSearchTab = 237;

std::span<const core::TextPair> coreTexts();

}  // namespace lumo::txt
