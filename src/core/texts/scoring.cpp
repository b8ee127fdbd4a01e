#include "core/texts/scoring.h"

namespace lumo::txt {

namespace {

constexpr core::TextPair kTexts[] = {
    // Feature extraction
    {SpectrumError, "Error  SPECTR", "Ошибка  SPECTR"},

    // Scoring run and question-table view: duplicate check
    {DuplicatedQuestion, "Chart %d has duplicated question %d ( %s )",
     "В предъявлении %d задублирован вопрос %d ( %s )"},

    // Results window: caption, menu and decision parameters
    {ResultCaption, "Exam Results", "Результаты обследования"},
    {ResultMenuExit, "&Exit to main menu", "&Выход в основное меню"},
    {ResultExitConfirm, "Return to the main menu?", "Вернуться в основное меню?"},
    {ResultMenuEditChart, "Edit &Chart", "&Редактирование полиграммы"},
    {ResultMenuTables, "  &Tables", "  &Таблицы"},
    {ResultMenuSummary, "&Summary table", "&Итоговая таблица"},
    {ResultMenuParams, "&Params table", "Таблица &параметров"},
    {ResultMenuStress, "S t &r e s s   table", "Таблица   &с т р е с с а"},
    {ResultMenuLie, "&L i e   table", "Таблица   &л ж и"},
    {ResultProbDemands, "Prob. demands to expert system", "Требования к экспертной системе"},
    {ResultProbToMistake, "Prob. to mistake", "Вероятность ошибки"},
    {ResultAprior, "Aprior. Prob.", "Априорн. вероятн."},
    {ResultFindAbsent, "Find absent feature", "Найти отсутствующий признак"},
    {ResultMissPresent, "Miss present feature", "Пропустить имеющийся признак"},
    {ResultProbabilityHint, "Choose desired probability", "Выберите нужную вероятность"},
    {ResultDecisionBounds, "Decision Bounds", "Границы решения"},
    {ResultFeatures, "Features", "Признаки"},
    {ResultModeStress, "Stress", "Стресс"},
    {ResultModeLie, "Lie", "Ложь"},
    {ResultModeHint, "Stress / Lie Toggle", "Переключатель Стресс / Ложь"},
    {ResultCharts, " Charts", " Полиграммы"},
    {ResultChartsHint, "Choose involved charts", "Выберите учитываемые полиграммы"},

    // Results window: decision texts and scale ends
    {ResultIndefinity, "00/ INDEFINITY ", "00/ НЕОПРЕДЕЛЕННОСТЬ "},
    {ResultWeak, "1/WEAK ", "1/СЛАБЫЕ "},
    {ResultObvious, "2/OBVIOUS ", "2/ЯВНЫЕ  "},
    {ResultStrong, "3/STRONG ", "3/СТРОГИЕ"},
    {ResultSigns, " signs ", " признаки "},
    {ResultOfTruth, "OF TRUTH", "ИСТИНЫ"},
    {ResultOfLie, " OF   L I E", " Л Ж И"},
    {ResultTruth, "TRUTH", "ИСТИНА"},
    {ResultLie, "L I E", "Л О Ж Ь"},
    {ResultRelax, "RELAX", "РЕЛАКС"},
    {ResultStress, "STRESS", "СТРЕСС"},

    // Results window: summary table
    {ResultType, "TYPE", "ТИП"},
    {ResultSummary, "SUMMARY", "ИТОГ"},
    {ResultRelevantSummary, "Relevant SUMMARY", "ИТОГ по значимым"},
    {ResultComponents, "Components state", "Состояние компонент"},
    {ResultQstNum, "Qst Num", "Число вопр."},
    {ResultScore, "Score", "Оценка"},
    {ResultProb, "Prob.", "Вер."},
    {ResultDecision, "Decision", "Решение"},
    {ResultRsp, "RSP", "ДЫХ"},
    {ResultGsc, "GSC", "КГР"},
    {ResultCrd, "CRD", "ССС"},
    {ResultVzm, "VZM", "ВЗМ"},
    {ResultQuestionsBody, "Q u e s t i o n s   b o d y", "Т е к с т   в о п р о с о в"},
    {ResultErgo, "ERGO", "ИТАК"},

    // Results window: parameter, stress and lie tables
    {ResultParamsTitle, "Absolute ordered primary parameters table",
     "Таблица упорядоченных абсолютных первичных параметров"},
    {ResultStressTitle, "Parameters table in stress score terms.", "Таблица параметров в оценках стресса."},
    {ResultLieTitle, "Parameters table in lie score terms.", "Таблица параметров в оценках лжи."},
    {ResultQst, "Qst", "Вопр."},
    {ResultTypeSpaced, "T y p e", "Т и п"},
    {ResultPerMinute, "/min", "/мин"},
    {ResultKOm, "kOm", "кОм"},
    {ResultChart, "Chart", "Полиграмма"},
    {ResultRGsc, "R gsc", "R кгр"},
    {ResultTotal, "TOTAL", "ИТОГ"},

    // Results window: printing
    {ResultPrintHeader, "E X P E R T    P O L Y G R A M S    C A L C U L A T I O N",
     "Э К С П Е Р Т Н А Я    О Б Р А Б О Т К А    П О Л И Г Р А М М"},
    {ResultPrintLieExplanation, "Lie score is determined by difference between amount of sincerity and deception signs",
     "Оценка лжи определяется разностью между количеством признаков искренности и обмана"},
    {ResultPrintStressExplanation, "Stress score is determined by difference between amount of relax and stress signs",
     "Оценка стресса определяется разностью между количеством признаков релаксации и стресса"},
    {ResultPrintFp, "1. Max. perm. probability to charge innocent = ",
     "1. Макс. доп. вероятность обвинить невиновного = "},
    {ResultPrintFm, "2. Max. perm. probability to acquit guilty = ",
     "2. Макс. доп. вероятность оправдать виновного = "},
    {ResultPrintPrior, "3. Probability of aprior deception and indeception signs balance = ",
     "3. Априорная вероятность баланса признаков обмана и его отсутствия = "},
    {ResultPrintZone1, "1. STRONG    L I E  signs", "1. СТРОГИЕ   признаки   Л Ж И"},
    {ResultPrintZone2, "2. OBVIOUS   L I E  signs", "2. ЯВНЫЕ     признаки   Л Ж И"},
    {ResultPrintZone3, "3. WEAK      L I E  signs", "3. СЛАБЫЕ    признаки   Л Ж И"},
    {ResultPrintZone4, "4. INDEFINITY", "4. НЕОПРЕДЕЛЕННОСТЬ"},
    {ResultPrintZone5, "5. WEAK     TRUTH   signs", "5. СЛАБЫЕ    признаки   ИСТИНЫ"},
    {ResultPrintZone6, "6. OBVIOUS  TRUTH   signs", "6. ЯВНЫЕ     признаки   ИСТИНЫ"},
    {ResultPrintZone7, "7. STRONG   TRUTH   signs", "7. СТРОГИЕ   признаки   ИСТИНЫ"},
    {ResultPrintMore, "more", "более"},
    {ResultPrintLess, "less", "менее"},
    {ResultPrintFinal, "F I N A L   R E L E V A N T   D E C E P T I O N   T O T A L",
     "И Т О Г О В А Я   О Ц Е Н К А   О Б М А Н А   П О   З Н А Ч И М Ы М"},
    {ResultPrintLieProbability, "LIE probability = ", "Вероятность ЛЖИ = "},
    {ResultPrinterNotReady, "Printer is not ready:", "Принтер не готов:"},

    // Question-table decision view
    {QtViewCaption, "Viewing examination results : Examinee %s / %s  ( %s )",
     "Просмотр результатов обследования : Субъект %s / %s  ( %s )"},
    {QtViewChart, "Chart #", "Полиграмма #"},
    {QtViewQuestions, "Test questions", "Вопросы теста"},
    {QtViewNumber, "#", "№"},
    {QtViewType, "Type", "Тип"},
    {QtViewInfScore, "Inf. quest. score", "Оценка информ. вопр."},
    {QtViewRelScore, "Rel. quest. score", "Оценка значим. вопр."},
    {QtViewDecisionTable, "Decision table", "Таблица решений"},
    {QtViewSum, "SUM :", "СУММА :"},
    {QtViewDecisionBy, " Decision by : ", " Решение по : "},
    {QtViewCandid, "Candid (NDI)", "Правдив (NDI)"},
    {QtViewInconclusive, "? (INC) ?", "? (INC) ?"},
    {QtViewCheat, "Cheat (DI)", "Лжив (DI)"},
    {QtViewBackster, "Backster", "Бакстер"},
    {QtViewMatte, "Matte", "Матте"},
    {QtViewNoDeception, "No Deception", "Нет обмана"},
    {QtViewInconclusion, "Inconclusion", "Неопределенность"},
    {QtViewDeception, "Deception", "Обман"},

    // Chart editor
    {EditCaption, "Chart Editor", "Редактор полиграмм"},
    {EditExitConfirm, "Exit without save ?", "Выйти без сохранения ?"},
    {EditMenuResults, "&Results", "&Результаты"},
    {EditSaved, "Changes are saved successfully", "Изменения успешно сохранены"},
    {EditChart, "Chart #", "Полиграмма #"},
    {EditChartHint, "Choose chart #", "Выберите полиграмму #"},
    {EditScale, "Qsts", "Вопр."},
    {EditScaleHint, "Choose chart viewing scale in terms of questions",
     "Выберите масштаб просмотра полиграммы в вопросах"},
    {EditScaleAll, "All", "Все"},
    {EditScale3, "3 >", "  3 >"},
    {EditScale1, "1 >", "  1 >"},
    {EditGains, "Gains", "Усиления"},
    {EditGainsHint, "Editing / Viewing gains toggle", "Переключатель правки / просмотра усилений"},
    {EditChannelHint, "Check channel to delete cell", "Отметьте канал, чтобы исключить ячейку"},
    {EditChannels, "Chan-s", "Каналы"},
    {EditGainHint, "Screen gain of channel", "Экранное усиление канала"},
    {EditDate, "Chart creating date :", "Дата создания полиграммы :"},
    {EditTime, "Time :", "Время :"},
    {EditDuration, "Dur-n (s) :", "Длит. (с) :"},
    {EditNoQuestions, "Questions amount = 0", "Количество вопросов = 0"},
    {EditLegendRelax, "Relax", "Релакс"},
    {EditLegendStress, "Stress", "Стресс"},

    // Chart chooser
    {ChooseChartCaption, "Choose exam to analize . Examinee : %s ( %s )",
     "Выбор обследования для анализа . Субъект : %s ( %s )"},

    // Chart editor: further texts
    {EditMissingTotal, "Af", "Аф"},
    {EditImage, "Chart image", "Изображение полиграммы"},
    {EditQuestion, "Current question", "Текущий вопрос"},

    // Scoring run: charts and results tables the workspace cannot take
    {ChartNoRecord, "Chart file %s holds no complete record", "Файл полиграммы %s не содержит ни одной полной записи"},
    {ChartUnreadable, "Chart file %s cannot be read: %s", "Файл полиграммы %s не читается: %s"},
    {ChartTooLong, "Chart file %s holds %d samples; at most 32767 can be scored",
     "Файл полиграммы %s содержит %d отсчетов; обработать можно не более 32767"},
    {TableBadQuestion, "Results table %s: row %d names question %d, outside 1 ... 20",
     "Таблица результатов %s: в строке %d указан вопрос %d вне диапазона 1 ... 20"},
    {ExamNoCharts, "Exam %s has no charts to score", "Обследование %s не содержит полиграмм для обработки"},

    // lumo-score
    {ScoreUsage,
     "Usage: lumo-score [--home DIR] CODE NN [--charts 1,2,3] [--prior P] [--fp X] [--fm Y] [--json]\n"
     "Scores exam NN of examinee CODE as the exam results command does and prints the summary table\n"
     "(or, with --json, one JSON object). Probabilities default to 0.5, 0.10 and 0.15; charts to all.",
     "Запуск: lumo-score [--home КАТАЛОГ] КОД NN [--charts 1,2,3] [--prior P] [--fp X] [--fm Y] [--json]\n"
     "Обрабатывает обследование NN субъекта КОД, как команда результатов обследования, и печатает итоговую\n"
     "таблицу (или, с --json, один объект JSON). Вероятности по умолчанию 0.5, 0.10 и 0.15; полиграммы все."},
    {ScoreBadArgument, "lumo-score: invalid argument: %s", "lumo-score: неверный аргумент: %s"},
    {ScoreNoExaminee, "Examinee %s not found", "Субъект %s не найден"},

    // Hand-score decision view and the hand-score tool: further texts
    {QtViewTotal, "Total", "Итого"},
    {QtViewExit, "Exit", "Выход"},
    {QtViewExitHint, "Exit|Return to the main menu", "Выход|Возврат в основное меню"},
    {QtViewChartHint, "Involve the chart|Counts the chart's hand scores in the decision (keys 1 ... 9)",
     "Учитывать полиграмму|Включает ручные оценки полиграммы в решение (клавиши 1 ... 9)"},
    {QtViewTableHint, "Decision table|Choose the table the decision is read from",
     "Таблица решений|Выберите таблицу, по которой принимается решение"},
    {QtViewInvolved, "involved", "учитывается"},
    {QtViewNotInvolved, "not involved", "не учитывается"},
    {QtViewNoTable, "no results table", "нет таблицы результатов"},
    {QtViewCharts, "Charts", "Полиграммы"},
    {QtViewList, "Question list", "Список вопросов"},
    {QtViewScores, "Hand scores", "Ручные оценки"},
    {QtViewTotals, "Question totals", "Итоги по вопросам"},
    {QtViewQuestionGrid, "Listed questions", "Вопросы в таблицах"},
    {ScoreHandUsage,
     "       lumo-score [--home DIR] CODE NN --hand [--charts 1,3] [--table backster|matte] [--json]\n"
     "With --hand decides the exam from the hand scores of its results tables (charts: every chart\n"
     "with a results table; table: Backster).",
     "       lumo-score [--home КАТАЛОГ] КОД NN --hand [--charts 1,3] [--table backster|matte] [--json]\n"
     "С --hand принимает решение по ручным оценкам таблиц результатов (полиграммы: все, у которых\n"
     "есть таблица результатов; таблица: Бакстер)."},
    {ScoreMatteNeedsThree, "Exam %s: the Matte table needs exactly three relevant questions",
     "Обследование %s: таблица Матте требует ровно трех значимых вопросов"},

    // Chart chooser: further texts
    {ChooseChartBadQuestion, "Results table %s: row %d names question %d; the exam has %d questions",
     "Таблица результатов %s: в строке %d указан вопрос %d, а в обследовании %d вопросов"},
    {ChooseChartExams, "&Exams :", "&Обследования :"},
    {ChooseChartExamsHint, "Choose exam|Choose the exam to analyse",
     "Выбор обследования|Выберите обследование для анализа"},
    {ChooseChartChart, "C&hart # :", "&Полиграмма # :"},
    {ChooseChartChartHint, "Choose chart #|Choose the chart of the exam",
     "Выбор полиграммы|Выберите полиграмму обследования"},
    {ChooseChartQuestions, "&Questions presented :", "Предъявленные &вопросы :"},
    {ChooseChartOkHint, "Choose|Make the exam and chart current and return to the main menu",
     "Выбор|Сделать обследование и предъявление текущими и вернуться в главное меню"},
    {ChooseChartCancelHint, "Cancel|Return to the main menu without changes",
     "Отмена|Вернуться в главное меню без изменений"},

    // Results window: further texts
    {ResultPrintExaminee, "Examinee : ", "Обследуемый : "},
    {ResultPrintExaminer, "Examiner : ", "Полиграфолог : "},
    {ResultPrintMethod, "Method : ", "Методика : "},
    {ResultPrintChartList, "Chart  Date        Time      Duration  Questions", "Пол.   Дата        Время     Длит.     Вопросы"},
    {ResultPrintDate, "Printed : ", "Напечатано : "},
    {ResultPrintBounds, "Decision bounds : ", "Границы решения : "},
    {ResultPrintCharts, "Charts involved : ", "Учтены полиграммы : "},
    {ResultPrintConditions, "Examination : ", "Обследование : "},
    {ResultTableBars, "Totals by row", "Итоги по строкам"},

    // Menu bars: items reached with Alt and their letter
    {EditMenuExit, "&Exit", "&Выход"},
    {EditMenuSave, "&Save", "&Сохранить"},
    {ResultMenuPrint, "&Print", "&Печать"},
};

}  // namespace

std::span<const core::TextPair> scoringTexts() {
    return kTexts;
}

}  // namespace lumo::txt
