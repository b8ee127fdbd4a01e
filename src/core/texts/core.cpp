#include "core/texts/core.h"

namespace lumo::txt {

namespace {

constexpr core::TextPair kTexts[] = {
    // Keyboard layout indicator of the dialogs that take typed names
    {KeyboardFont, "FONT :", "ШРИФТ :"},
    {KeyboardLatin, "L A T", "Л А Т"},
    {KeyboardCyrillic, "C Y R", "Р У С"},
    {KeyboardUnknown, "? ? ?", "? ? ?"},

    // Buttons and captions shared by many windows
    {ButtonOk, "OK", "OK"},
    {ButtonCancel, "Cancel", "Отмена"},
    {ButtonYes, "&Yes", "&Да"},
    {ButtonNo, "&No", "&Нет"},
    {ButtonAbort, "&Abort", "&Прервать"},
    {ButtonRetry, "&Retry", "П&овторить"},
    {ButtonExit, "Exit", "Выход"},
    {ButtonPrint, "Print", "Печать"},
    {ButtonDelete, "Delete", "Удалить"},
    {ButtonSave, "Save", "Сохранить"},
    {ButtonChoose, "Choose", "Выбрать"},
    {MethodNameCaption, "Method : %s", "Метод : %s"},

    // Templates and exams
    {TemplateOverwrite, "Template with the same name already exists. Overwrite?",
     "Опросник с таким именем уже существует. Переписать?"},

    // Start-up and shut-down
    {AppTitleStart, "LUMO (version 7/W).", "ЛУМО (версия 7/W)."},
    {SplashVersion, "Version 7.0", "Версия 7.0"},
    {ProgressLoading, "Loading", "Идет загрузка программы"},
    {ProgressShuttingDown, "Shutting down", "Завершение работы программы"},
    {ExitConfirm, "Do you want to exit LUMO-7.0?", "Вы хотите выйти из системы \"ЛУМО-7.0\"?"},

    // Main window: caption, panels and strip headings
    {MainTitle, "LUMO (version 7.0).", "ЛУМО (версия 7.0)."},
    {MainCaptionExaminee, "   Examinee : %s   ( %s )", "   Субъект : %s   ( %s )"},
    {MainHelpPanel, "Help : ", "Подсказка : "},
    {MainLogo, "Electronic Polygraph System", "Электронная полиграфная система"},
    {MainTemplatesHeading, "Templates #", "Бланки #"},
    {MainExamsHeading, "Exams #", "Обследования #"},
    {MainChartsHeading, "Charts #", "Полиграммы #"},

    // Main window: menus (the access letters reopen them)
    {MainMenuExaminee, "&Examinee", "&Субъект"},
    {MainMenuPreparations, "&Preparations", "&Подготовка"},
    {MainMenuTest, "&Test", "&Тест"},
    {MainMenuResults, "&Results", "&Результаты"},
    {MainMenuSystem, "&System", "С&истема"},
    {MainMenuHelp, "&?", "&?"},

    // Main window: Examinee menu
    {MainChooseExaminee, "&Choose / delete Examinee", "&Выбор / удаление субъекта"},
    {MainChooseExamineeHint,
     "Choose / delete Examinee|Allows to choose an Examinee or to delete all info about the Examinee",
     "Выбор / удаление субъекта|Позволяет выбрать субъекта или удалить все сведения о нем"},
    {MainNewExaminee, "&N   e   w             Examinee", "&Н   о   в   ы   й        субъект"},
    {MainNewExamineeHint, "New Examinee|Allows to enter new Examinee info",
     "Новый субъект|Позволяет ввести сведения о новом субъекте"},
    {MainEditExaminee, "&E  d  i  t              Examinee", "&П  р  а  в  к  а          субъекта"},
    {MainEditExamineeHint, "Edit Examinee|Allows to edit current Examinee info",
     "Правка субъекта|Позволяет изменить сведения о текущем субъекте"},
    {MainArchiveCompress, "C&ompress          Examinee", "&Архивация          субъекта"},
    {MainArchiveDecompress, "Dec&ompress      Examinee", "Р&азархивация      субъекта"},
    {MainArchiveNone, "Archive     &o f     Examinee", "&А р х и в     субъекта"},
    {MainArchiveHint, "Examinee archive|Allows to compress Examinee charts into archive or to decompress them",
     "Архив субъекта|Позволяет сжать полиграммы субъекта в архив или восстановить их из архива"},
    {MainExamineeState, "&S t a t e     o f     Examinee", "&С о с т о я н и е     субъекта"},
    {MainExamineeStateHint, "Examinee state|Allows to estimate Examinee ANS state",
     "Состояние субъекта|Позволяет оценить состояние ВНС субъекта"},
    {MainExit, "               E  &x  i  t", "               В  &ы  х  о  д"},
    {MainExitHint, "Exit|Exit from the System", "Выход|Выход из системы"},

    // Main window: Preparations and Test menus
    {MainNewTemplate, "&N e w    template", "&Н о в ы й    бланк"},
    {MainNewTemplateHint, "New template|Allows to create new template of the chosen test method",
     "Новый бланк|Позволяет создать новый бланк выбранного метода тестирования"},
    {MainEditTemplate, "&E d i t    template", "&П р а в к а    бланка"},
    {MainEditTemplateHint, "Edit template|Allows to choose and edit a template",
     "Правка бланка|Позволяет выбрать и отредактировать бланк"},
    {MainQuestionBase, "Questions  &Base", "&База  вопросов"},
    {MainQuestionBaseHint, "Questions Base|Allows to edit Questions Base",
     "База вопросов|Позволяет редактировать Базу вопросов"},
    {MainTestHint, "Test|Allows to choose an exam and to examine Examinee",
     "Тест|Позволяет выбрать обследование и провести тестирование субъекта"},

    // Main window: Results menu
    {MainChooseExam, "C h o o s e   &e x a m", "&В ы б о р   обследования"},
    {MainChooseExamHint, "Choose exam|Allows to choose exam and chart for analysis",
     "Выбор обследования|Позволяет выбрать обследование и полиграмму для анализа"},
    {MainAnalysePolygram, "&Analize     polygram", "&Анализ     полиграммы"},
    {MainAnalysePolygramHint, "Analyse polygram|Allows to view, measure and score the chart by hand",
     "Анализ полиграммы|Позволяет просмотреть, измерить и оценить полиграмму вручную"},
    {MainComparePolygrams, "&Compare polygrams", "&Сравнение полиграмм"},
    {MainComparePolygramsHint, "Compare polygrams|Allows to compare two charts of the exam",
     "Сравнение полиграмм|Позволяет сравнить две полиграммы обследования"},
    {MainHandResults, "Hand  Exam  &results", "&Ручные  результаты"},
    {MainHandResultsHint, "Hand exam results|Allows to decide the exam by hand scores",
     "Ручные результаты|Позволяет принять решение по обследованию на основе ручных оценок"},
    {MainExamResults, "E x a m         resu&lts", "Р е з у л ь т а т ы   &обследования"},
    {MainExamResultsHint, "Exam results|Allows to score exam charts and to view the decision",
     "Результаты обследования|Позволяет обработать полиграммы обследования и просмотреть решение"},

    // Main window: System and help menus
    {MainExaminersList, "&Examiners       l i s t", "Список   &операторов"},
    {MainExaminersListHint, "Examiners list|Allows to edit Examiners list",
     "Список операторов|Позволяет редактировать список операторов"},
    {MainSystemParameters, "&System  parameters", "&Параметры  системы"},
    {MainSystemParametersHint, "System parameters|Allows to change System parameters",
     "Параметры системы|Позволяет изменить параметры системы"},
    {MainCrimesList, "&C r i m e s        l i s t", "&Список  преступлений"},
    {MainCrimesListHint, "Crimes list|Allows to edit crimes list",
     "Список преступлений|Позволяет редактировать список преступлений"},
    {MainCalibrateUnit, "Calibrate Unit", "Юстировка блока"},
    {MainCalibrateUnitHint, "Unit calibrating|Unit recalibrating caused by Operator request",
     "Юстировка блока|Переюстировка блока по желанию оператора"},
    {MainHelpContents, "Contents", "Содержание"},
    {MainHelpSearch, "Search Help On ...", "Поиск в справке ..."},
    {MainHelpUsing, "Using Help", "Как пользоваться справкой"},
    {MainAbout, "&About", "&О программе"},

    // Main window: strip buttons
    {MainTemplateEditHint, "Template editor|Allows to edit template choosen",
     "Редактор бланков|Позволяет редактировать выбранный бланк"},
    {MainTemplateDeleteHint, "Delete template|Allows to delete template choosen",
     "Удалить бланк|Позволяет удалить выбранный бланк"},
    {MainPrepareExamHint, "Prepare to exam|Allows to create an exam based on the template",
     "Подготовить обследование|Позволяет создать обследование на основе бланка"},
    {MainExamineHint, "Examine|Allows to examine Examinee", "Тестировать|Позволяет провести тестирование субъекта"},
    {MainExamEditHint, "Edit exam|Allows to edit exam semanthics",
     "Правка обследования|Позволяет редактировать содержание обследования"},
    {MainEditOrderHint, "Edit questions order|Allows to edit exam questions order",
     "Правка порядка вопросов|Позволяет редактировать порядок вопросов обследования"},
    {MainChooseOrderHint, "Choose questions order|Allows to choose exam questions order",
     "Выбор порядка вопросов|Позволяет выбрать порядок вопросов обследования"},
    {MainExamDeleteHint, "Delete exam|Allows to delete all information concerned with the exam",
     "Удалить обследование|Позволяет удалить все данные, относящиеся к обследованию"},
    {MainConvertToTemplateHint, "Convert to template|Create a template, based on the selected exam",
     "Преобразовать в бланк|Создать бланк на основе выбранного обследования"},

    // Main window commands: the message of each command's error box
    {CmdNoResourcesExamsList, "Not enough system resources to call exams list",
     "Недостаточно системных ресурсов для вызова списка обследований"},
    {CmdNoResourcesSummary, "Not enough system resources to view summary",
     "Недостаточно системных ресурсов для просмотра итогов"},
    {CmdNoResourcesState, "Not enough system resources to test Examinee ANS state",
     "Недостаточно системных ресурсов для оценки состояния ВНС субъекта"},
    {CmdNoResourcesTemplatesList, "Not enough system resources to call templates list",
     "Недостаточно системных ресурсов для вызова списка бланков"},
    {CmdNoResourcesTemplateEditor,
     "It is impossible to use template editor because of system resources lack\nYou may try to close some "
     "applications and call this menu item again",
     "Невозможно использовать редактор бланков из-за нехватки системных ресурсов\nПопробуйте закрыть некоторые "
     "приложения и снова вызвать этот пункт меню"},
    {CmdNoResourcesMethodChooser, "Not enough system resources to describe template format",
     "Недостаточно системных ресурсов для задания формата бланка"},
    {CmdNoResourcesExamineesList, "Not enough system resources to call Examinees list",
     "Недостаточно системных ресурсов для вызова списка субъектов"},
    {CmdNoResourcesNewExaminee, "Not enough system resources to enter new Examinee",
     "Недостаточно системных ресурсов для ввода нового субъекта"},
    {CmdNoResourcesEditExaminee, "Not enough system resources to edit Examinee data",
     "Недостаточно системных ресурсов для правки данных субъекта"},
    {CmdNoResourcesArchiver, "Not enough system resources to call archiver",
     "Недостаточно системных ресурсов для вызова архиватора"},
    {CmdNoResourcesQuestionBase, "Not enough system resources to edit Questions Base",
     "Недостаточно системных ресурсов для правки Базы вопросов"},
    {CmdNoResourcesPolygrams, "Not enough system resources to view polygrams",
     "Недостаточно системных ресурсов для просмотра полиграмм"},
    {CmdNoResourcesPolygram, "Not enough system resources to view polygram",
     "Недостаточно системных ресурсов для просмотра полиграммы"},
    {CmdNoResourcesExamResults, "Not enough system resources to view exam results",
     "Недостаточно системных ресурсов для просмотра результатов обследования"},
    {CmdNoResourcesSystemParameters,
     "It is impossible to call System customizer because of system resources lack\nYou may try to close some "
     "applications and choose this menu item again",
     "Невозможно вызвать настройку системы из-за нехватки системных ресурсов\nПопробуйте закрыть некоторые "
     "приложения и снова выбрать этот пункт меню"},
    {CmdNoResourcesCrimesList, "Not enough system resources to call crimes list",
     "Недостаточно системных ресурсов для вызова списка преступлений"},
    {CmdNoResourcesExamEditor,
     "Not enough system resources to edit the exam\nYou can close one or more applications and try again",
     "Недостаточно системных ресурсов для правки обследования\nЗакройте одно или несколько приложений и попробуйте "
     "снова"},

    // Main window commands: warnings, questions and prompts
    {CmdNoExamineesToChoose, "There are no Examinees to choose", "Нет субъектов для выбора"},
    {CmdExamineeLimit, "Maximal available Examinee count is achieved",
     "Достигнуто максимально допустимое число субъектов"},
    {CmdCompressConfirm, "Do you want to compress Examinee charts ?", "Вы хотите архивировать полиграммы субъекта ?"},
    {CmdDecompressConfirm, "Do you want to decompress Examinee charts",
     "Вы хотите разархивировать полиграммы субъекта"},
    {CmdDeleteTemplateConfirm, "Are you shure you want to delete the template?",
     "Вы уверены, что хотите удалить данный бланк?"},
    {CmdNoMoreCharts, "No more charts allowed to deal with the exam",
     "Новые полиграммы для этого обследования недопустимы"},
    {CmdDeleteExamConfirm, "Do you want to delete ALL data concerned with the exam?",
     "Вы хотите удалить ВСЕ данные, относящиеся к обследованию?"},
    {CmdNameNewTemplate, "Name new template :", "Имя нового бланка :"},
    {CmdChartsNotFound, "Charts not found", "Результаты тестов отсутствуют"},
    {HelpWindowTitle, "LUMO Help", "Справка ЛУМО"},
    {HelpSearchTab, "Search", "Поиск"},
};

}  // namespace

std::span<const core::TextPair> coreTexts() {
    return kTexts;
}

}  // namespace lumo::txt
