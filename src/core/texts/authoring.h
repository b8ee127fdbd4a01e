#pragma once

#include <span>

#include "core/string_table.h"

// Texts of question authoring: the method chooser, the question editor and template chooser, the question
// bank, the exam chooser, the exam editor and the question order dialog. English under the odd identifier,
// Russian under the next one.
namespace lumo::txt {

// Method chooser
inline constexpr int MethodChooserCaption = 1301;
inline constexpr int MethodListLabel = 1303;
inline constexpr int MethodFormatLabel = 1305;
inline constexpr int MethodListHint = 1307;
inline constexpr int MethodEdit = 1309;
inline constexpr int MethodEditHint = 1311;
inline constexpr int MethodCancelHint = 1313;
inline constexpr int MethodTotal = 1315;
inline constexpr int MethodIndexError = 1317;

// Method chooser: count fields of the six question types
inline constexpr int MethodRelevant = 1319;
inline constexpr int MethodRelevantHint = 1321;
inline constexpr int MethodInformative = 1323;
inline constexpr int MethodInformativeHint = 1325;
inline constexpr int MethodControl = 1327;
inline constexpr int MethodControlHint = 1329;
inline constexpr int MethodNeutral = 1331;
inline constexpr int MethodNeutralHint = 1333;
inline constexpr int MethodOuter = 1335;
inline constexpr int MethodOuterHint = 1337;
inline constexpr int MethodSacrificial = 1339;
inline constexpr int MethodSacrificialHint = 1341;

// Method chooser: format labels of methods 1 to 6
inline constexpr int MethodFormat1 = 1343;
inline constexpr int MethodFormat2 = 1345;
inline constexpr int MethodFormat3 = 1347;
inline constexpr int MethodFormat4 = 1349;
inline constexpr int MethodFormat5 = 1351;
inline constexpr int MethodFormat6 = 1353;

// Method chooser: standard questions of method 2
inline constexpr int MethodSuspect = 1355;
inline constexpr int MethodKnowWho = 1357;
inline constexpr int MethodYouDid = 1359;

// Question editor: commands, labels and grid
inline constexpr int QstSave = 1365;
inline constexpr int QstSaveHint = 1367;
inline constexpr int QstCancel = 1369;
inline constexpr int QstCancelHint = 1371;
inline constexpr int QstInsert = 1373;
inline constexpr int QstInsertHint = 1375;
inline constexpr int QstDelete = 1377;
inline constexpr int QstDeleteHint = 1379;
inline constexpr int QstLoadFromBase = 1381;
inline constexpr int QstLoadFromBaseHint = 1383;
inline constexpr int QstPrint = 1385;
inline constexpr int QstPrintHint = 1387;
inline constexpr int QstFileName = 1389;
inline constexpr int QstFileNameHint = 1391;
inline constexpr int QstHeaderNumber = 1393;
inline constexpr int QstHeaderType = 1395;
inline constexpr int QstHeaderAnswer = 1397;
inline constexpr int QstHeaderText = 1399;
inline constexpr int QstRowHint = 1401;
inline constexpr int QstPrintJob = 1403;

// Question editor: warnings on leaving a field
inline constexpr int QstEmptyType = 1405;
inline constexpr int QstInvalidType = 1407;
inline constexpr int QstInvalidTypeIndex = 1409;
inline constexpr int QstEmptyAnswer = 1411;
inline constexpr int QstInvalidAnswer = 1413;

// Question editor: saving, cancelling and the question base
inline constexpr int QstEmptyTypeAt = 1415;
inline constexpr int QstInvalidTypeAt = 1417;
inline constexpr int QstTooBigTypeAt = 1419;
inline constexpr int QstEmptyAnswerAt = 1421;
inline constexpr int QstTooBigAnswerAt = 1423;
inline constexpr int QstInvalidAnswerAt = 1425;
inline constexpr int QstTooBigTextAt = 1427;
inline constexpr int QstNameEmpty = 1429;
inline constexpr int QstCreateError = 1431;
inline constexpr int QstWriteError = 1433;
inline constexpr int QstExitConfirm = 1435;
inline constexpr int QstNoResourcesBase = 1437;

// Template chooser
inline constexpr int TplCaption = 1439;
inline constexpr int TplFileName = 1441;
inline constexpr int TplListHint = 1443;
inline constexpr int TplOkHint = 1445;
inline constexpr int TplDeleteHint = 1447;
inline constexpr int TplPrintHint = 1449;
inline constexpr int TplExitHint = 1451;
inline constexpr int TplNoMore = 1453;

// Question bank manager
inline constexpr int BankCaption = 1459;
inline constexpr int BankTopicList = 1461;
inline constexpr int BankTopicListHint = 1463;
inline constexpr int BankTopicTitle = 1465;
inline constexpr int BankQuestionsHint = 1467;
inline constexpr int BankClipboard = 1469;
inline constexpr int BankClipboardHint = 1471;
inline constexpr int BankAddTopic = 1473;
inline constexpr int BankAddTopicHint = 1475;
inline constexpr int BankModifyTopic = 1477;
inline constexpr int BankModifyTopicHint = 1479;
inline constexpr int BankDeleteTopic = 1481;
inline constexpr int BankDeleteTopicHint = 1483;
inline constexpr int BankCut = 1485;
inline constexpr int BankCutHint = 1487;
inline constexpr int BankCopy = 1489;
inline constexpr int BankCopyHint = 1491;
inline constexpr int BankPaste = 1493;
inline constexpr int BankPasteHint = 1495;
inline constexpr int BankExitHint = 1497;

// Question bank manager: messages
inline constexpr int BankFileExists = 1499;
inline constexpr int BankCannotCreate = 1501;
inline constexpr int BankWriteError = 1503;
inline constexpr int BankNoResourcesNewTopic = 1505;
inline constexpr int BankCannotRename = 1507;
inline constexpr int BankCannotRenameFile = 1509;
inline constexpr int BankDeleteConfirm = 1511;
inline constexpr int BankCannotDelete = 1513;

// New-topic dialog
inline constexpr int NewTopicCaption = 1515;
inline constexpr int NewTopicName = 1517;
inline constexpr int NewTopicNameHint = 1519;
inline constexpr int NewTopicDefault = 1521;
inline constexpr int NewTopicFile = 1523;
inline constexpr int NewTopicFileHint = 1525;
inline constexpr int NewTopicAdd = 1527;
inline constexpr int NewTopicAddHint = 1529;
inline constexpr int NewTopicCancelHint = 1531;

// Topic editor
inline constexpr int TopicEditCaption = 1533;
inline constexpr int TopicEditName = 1535;
inline constexpr int TopicEditNameHint = 1537;
inline constexpr int TopicEditFile = 1539;
inline constexpr int TopicEditFileHint = 1541;
inline constexpr int TopicEditSaveHint = 1543;
inline constexpr int TopicEditCancelHint = 1545;

// Base chooser
inline constexpr int AddBaseCaption = 1547;
inline constexpr int AddBaseTopics = 1549;
inline constexpr int AddBaseTopicsHint = 1551;
inline constexpr int AddBaseQuestions = 1553;
inline constexpr int AddBaseQuestionsHint = 1555;
inline constexpr int AddBaseTopicTitle = 1557;
inline constexpr int AddBaseTemplate = 1559;
inline constexpr int AddBaseTemplateHint = 1561;
inline constexpr int AddBasePasteHint = 1563;
inline constexpr int AddBaseSave = 1565;
inline constexpr int AddBaseSaveHint = 1567;
inline constexpr int AddBaseCancelHint = 1569;

// Exam chooser
inline constexpr int ExamListCaption = 1575;
inline constexpr int ExamListExam = 1577;
inline constexpr int ExamListCharts = 1579;
inline constexpr int ExamListHint = 1581;
inline constexpr int ExamListOrder = 1583;
inline constexpr int ExamListSet = 1585;
inline constexpr int ExamListSetHint = 1587;
inline constexpr int ExamListChooseHint = 1589;
inline constexpr int ExamListEdit = 1591;
inline constexpr int ExamListEditHint = 1593;
inline constexpr int ExamListDelete = 1595;
inline constexpr int ExamListDeleteHint = 1597;
inline constexpr int ExamListTest = 1599;
inline constexpr int ExamListTestHint = 1601;
inline constexpr int ExamListCreate = 1603;
inline constexpr int ExamListCreateHint = 1605;
inline constexpr int ExamListToTemplate = 1607;
inline constexpr int ExamListExitHint = 1609;
inline constexpr int ExamListNotFound = 1611;
inline constexpr int ExamListNoMore = 1613;

// Exam editor
inline constexpr int ExamEditCaption = 1615;
inline constexpr int ExamEditMethod = 1617;
inline constexpr int ExamEditMethodHint = 1619;
inline constexpr int ExamEditFormat = 1621;
inline constexpr int ExamEditExaminee = 1623;
inline constexpr int ExamEditExaminer = 1625;
inline constexpr int ExamEditMark = 1627;
inline constexpr int ExamEditMarkHint = 1629;
inline constexpr int ExamEditSaveHint = 1631;
inline constexpr int ExamEditPrintHint = 1633;
inline constexpr int ExamEditCancelHint = 1635;

// Question order dialog
inline constexpr int OrderSetCaption = 1637;
inline constexpr int OrderChooseCaption = 1639;
inline constexpr int OrderRow = 1641;
inline constexpr int OrderRowHint = 1643;
inline constexpr int OrderQuestionsHint = 1645;
inline constexpr int OrderSaveHint = 1647;
inline constexpr int OrderChooseHint = 1649;
inline constexpr int OrderCancelSetHint = 1651;
inline constexpr int OrderCancelChooseHint = 1653;

// Method chooser and question editors: further texts
inline constexpr int TplLineNotQuestion = 2801;
inline constexpr int TplLineNotText = 2803;
inline constexpr int TplLineTooLong = 2805;
inline constexpr int TplTooManyQuestions = 2807;
inline constexpr int TplCannotRead = 2809;
inline constexpr int TplCannotDelete = 2811;
inline constexpr int TplPreview = 2813;
inline constexpr int QstNameInvalid = 2815;
inline constexpr int QstNameTooLong = 2817;
inline constexpr int QstCellName = 2819;

// Question bank: further texts
inline constexpr int BankNotText = 2851;
inline constexpr int BankNoTopicName = 2853;
inline constexpr int BankUnreadableEntry = 2855;
inline constexpr int BankBadFileName = 2857;
inline constexpr int BankFileTaken = 2859;
inline constexpr int BankCannotRead = 2861;
inline constexpr int BankQuestionsLabel = 2863;

// Exam chooser, exam editor and question orders: further texts
inline constexpr int ExamDeleteFailed = 2901;
inline constexpr int ExamTemplateNameRefused = 2903;
inline constexpr int ExamNumbersExhausted = 2905;
inline constexpr int ExamPreviewLabel = 2907;
inline constexpr int OrderGridLabel = 2909;
inline constexpr int ExamNameBoxHint = 2911;

// Printing of question lists, and the errors of every print job
inline constexpr int PrintNotReady = 2951;
inline constexpr int PrintPrinterRefuses = 2953;
inline constexpr int PrintPdfNotWritable = 2955;
inline constexpr int PrintPageFailed = 2957;
inline constexpr int PrintPdfCaption = 2959;
inline constexpr int PrintPdfFilter = 2961;

std::span<const core::TextPair> authoringTexts();

}  // namespace lumo::txt
