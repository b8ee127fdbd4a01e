#include "core/texts/review.h"

namespace lumo::txt {

namespace {

constexpr core::TextPair kTexts[] = {
    // Chart review views: shared captions
    {ReviewCharts, "Charts :", "Карты :"},
    {ReviewExitHint, "Exit to the main menu", "Выход в основное меню"},

    // Scrolling chart review
    {ScrlResCaption, "Examinee : %s / %s / CHART_0%s ( %s )", "Субъект : %s / %s / CHART_0%s  ( %s )"},
    {ScrlResPrintHint, "Print polygram", "Печать полиграммы"},
    {ScrlResCalcPage, "Calc", "Счет"},
    {ScrlResEditPage, "Edit", "Ред."},
    {ScrlResSeconds, "Seconds :", "Секунды :"},
    {ScrlResSum, "SUM", "СУММА"},
    {ScrlResGainHint, "drag for changing offset, change number for changing gain",
     "перетащите для смены смещения, измените число для смены усиления"},
    {ScrlResPrintConfirm, "Do you really want to print the polygram ?",
     "Вы действительно хотите напечатать полиграмму ?"},
    {ScrlResPreparing, "Preparing to print : %s / EXAM_%d / CHART_0%d  ( %s )",
     "Подготовка к печати : %s / EXAM_%d / CHART_0%d  ( %s )"},

    // Scrolling chart review: title block of the printout
    {ScrlResPrintTitle, "L U M O - 7.0", "Л У М О - 7.0"},
    {ScrlResPrintPolygram, "  P O L I G R A M  ", "  П О Л И Г Р А М М А  "},
    {ScrlResPrintExaminee, "Examinee : %s", "Субъект  : %s"},
    {ScrlResPrintExaminer, "Examiner : %s", "Оператор : %s"},
    {ScrlResPrintMethod, "Method   : %s", "Метод    : %s"},
    {ScrlResPrintStart, "Start at : %s", "Начало   : %s"},
    {ScrlResPrintFinish, "Finish at: %s", "Конец    : %s"},
    {ScrlResPrintTime, "Time        : %d sec.", "Время       : %d сек."},
    {ScrlResPrintReactions, "Reactions   : %d sec.", "Реакции     : %d сек."},
    {ScrlResPrintDate, "D a t e  : %s", "Д а т а  : %s"},

    // Parameter scroll view
    {ScrlParCaption, "Examinee : %s / %s  ( %s )", "Субъект : %s / %s  ( %s )"},
    {ScrlParScale, "Scale in screens :", "Масштаб в экранах :"},
    {ScrlParScaleHint, "Choose scale to view and press \"Enter\"",
     "Выберите масштаб для просмотра и нажмите \"Enter\""},
    {ScrlParAtAll, "at all", "целиком"},
    {ScrlParStandard, "standard", "стандарт"},

    // Scrolling chart review: controls, messages and the print job
    {ScrlResZoom, "Zoom", "Масштаб"},
    {ScrlResZoomHint, "Zoom|Stretches the polygram five times or back (F3)",
     "Масштаб|Растягивает полиграмму в пять раз или возвращает обратно (F3)"},
    {ScrlResExclude, "Exclude", "Исключить"},
    {ScrlResExcludeHint, "Exclude question|Excludes the question from scoring or takes it back (Del)",
     "Исключить вопрос|Исключает вопрос из оценки или возвращает его (Del)"},
    {ScrlResChartArea, "Polygram", "Полиграмма"},
    {ScrlResChartAreaHint,
     "Polygram|Click to put the cursor, move it with the arrows (with Ctrl further), type 1 ... 9 for another chart",
     "Полиграмма|Щелчок ставит курсор, стрелки двигают его (с Ctrl дальше), 1 ... 9 открывают другую карту"},
    {ScrlResPosition, "Position in the polygram", "Положение на полиграмме"},
    {ScrlResQuestions, "Questions", "Вопросы"},
    {ScrlResHandScoreHint, "Hand score|From -3 to +3; the sum is kept with the question",
     "Ручная оценка|От -3 до +3; сумма сохраняется с вопросом"},
    {ScrlResSaveFailed, "The results of the chart could not be saved:", "Не удалось сохранить результаты карты:"},
    {ScrlResChartFailed, "The chart could not be opened:", "Не удалось открыть карту:"},
    {ScrlResPrintAbort, "Esc stops printing", "Esc прекращает печать"},
    {ScrlResPrintJob, "LUMO7 Polygram", "Полиграмма ЛУМО7"},

    // Parameter scroll view: scales, controls and messages
    {ScrlParX2, "x 2", "x 2"},
    {ScrlParX4, "x 4", "x 4"},
    {ScrlParX8, "x 8", "x 8"},
    {ScrlParGrid, "Grid", "Сетка"},
    {ScrlParGridHint, "Grid|Shows or hides the time grid of this chart",
     "Сетка|Показывает или скрывает сетку времени этой карты"},
    {ScrlParUpper, "Upper chart", "Верхняя карта"},
    {ScrlParLower, "Lower chart", "Нижняя карта"},
    {ScrlParException, "Exception: ", "Исключение: "},
    {ScrlParCondition, "Condition: ", "Условие: "},
    {ScrlParBadWeight, "The band weight ScrlParW%d is %d: every band needs a weight above 0",
     "Вес полосы ScrlParW%d равен %d: вес каждой полосы должен быть больше 0"},
    {ScrlParReadProblems, "Chart %d is shown with what could be read:",
     "Карта %d показана с тем, что удалось прочесть:"},
    {ScrlParFewPoints, "The chart holds %d point(s): there is no line to draw",
     "Точек в полиграмме: %d, линию не построить"},
    {ScrlParShortTable,
     "The results table counts %d samples, fewer than the %d points of the chart: the whole chart is shown",
     "В таблице результатов отсчётов %d, меньше, чем %d точек полиграммы: показана вся полиграмма"},

    // Scrolling chart review: the chart written as EDF+
    {ScrlResExportEdf, "Export EDF+", "Экспорт EDF+"},
    {ScrlResExportEdfHint, "Export EDF+|Writes the chart as an EDF+ file for other programs",
     "Экспорт EDF+|Записывает карту в файл EDF+ для других программ"},
    {ScrlResExportCaption, "Export the chart as EDF+", "Экспорт карты в EDF+"},
    {ScrlResExportFilter, "EDF+ files (*.edf)", "Файлы EDF+ (*.edf)"},
    {ScrlResExportExists, "File %s already exists. Overwrite?", "Файл %s уже существует. Заменить?"},
    {ScrlResExportDone, "The chart is written to %s", "Карта записана в файл %s"},
    {ScrlResExportFailed, "The chart %s could not be written to %s:", "Не удалось записать карту %s в файл %s:"},
};

}  // namespace

std::span<const core::TextPair> reviewTexts() {
    return kTexts;
}

}  // namespace lumo::txt
