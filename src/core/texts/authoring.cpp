#include "core/texts/authoring.h"

namespace lumo::txt {

namespace {

constexpr core::TextPair kTexts[] = {
    // Method chooser
    {MethodChooserCaption, "Choose Test Method", "Выбор метода тестирования"},
    {MethodListLabel, "Test Method :", "Метод тестирования :"},
    {MethodFormatLabel, "Method Format :", "Формат метода :"},
    {MethodListHint, "Test methods list|Test method can be choosen here",
     "Список методов тестирования|Здесь можно выбрать метод тестирования"},
    {MethodEdit, "Edit", "Правка"},
    {MethodEditHint, "Create new template|Create and edit new template of given format",
     "Создать новый бланк|Создать и отредактировать новый бланк заданного формата"},
    {MethodCancelHint, "Cancel template|Exit to the main menu without creating template",
     "Отменить бланк|Выход в основное меню без создания бланка"},
    {MethodTotal, "%d questions at all", "Всего вопросов : %d"},
    {MethodIndexError, "Methods index error", "Ошибка индексации методов"},

    // Method chooser: count fields of the six question types
    {MethodRelevant, "Rel.", "Знач."},
    {MethodRelevantHint, "Relevant questions count|Relevant questions deal with one issue aspect",
     "Число значимых вопросов|Значимые вопросы касаются одного аспекта дела"},
    {MethodInformative, "Inf.", "Инф."},
    {MethodInformativeHint, "Informative questions count|Informative questions deal with different issue aspects",
     "Число информативных вопросов|Информативные вопросы касаются разных аспектов дела"},
    {MethodControl, "Contr.", "Контр."},
    {MethodControlHint, "Control questions count|Control questions cause stress",
     "Число контрольных вопросов|Контрольные вопросы вызывают стресс"},
    {MethodNeutral, "Neutr.", "Нейтр."},
    {MethodNeutralHint, "Neutral questions count|Neutral questions do not cause stress",
     "Число нейтральных вопросов|Нейтральные вопросы не вызывают стресса"},
    {MethodOuter, "Outer", "Внешн."},
    {MethodOuterHint, "Outer questions count|Outer questions check outer issue existance",
     "Число внешних вопросов|Внешние вопросы проверяют наличие постороннего дела"},
    {MethodSacrificial, "Sacr.", "Жертв."},
    {MethodSacrificialHint, "Sacrified questions count|Sacrified questions are not computable",
     "Число жертвенных вопросов|Жертвенные вопросы не обрабатываются"},

    // Method chooser: format labels of methods 1 to 6
    {MethodFormat1, "<<[n]-o-(v)-[c-r]-c-(o-[n])>>", "<<[н]-в-(ж)-[к-з]-к-(в-[н])>>"},
    {MethodFormat2, "<<[n]-o-(v-[c-r])-<c>-<i>-c-<r>-c-(o-[n])>>", "<<[н]-в-(ж-[к-з])-<к>-<и>-к-<з>-к-(в-[н])>>"},
    {MethodFormat3, "<<[n]-o-(v)-[c-i]-(v-[n])>>", "<<[н]-в-(ж)-[к-и]-(в-[н])>>"},
    {MethodFormat4, "<<[n]-[[c]-r-[c]]-([n])>>", "<<[н]-[[к]-з-[к]]-([н])>>"},
    {MethodFormat5, "<<[n]-[r]-([n])>>", "<<[н]-[з]-([н])>>"},
    {MethodFormat6, "<< custom >>", "<< произвольный >>"},

    // Method chooser: standard questions of method 2
    {MethodSuspect, "Do you suspect ?", "Вы подозреваете ?"},
    {MethodKnowWho, "Do you know, who ?", "Вы знаете, кто ?"},
    {MethodYouDid, "Is it you who did ?", "Это Вы ?"},

    // Question editor: commands, labels and grid
    {QstSave, "&Save", "&Сохранить"},
    {QstSaveHint, "Save all changes|Checks out template and saves all changes if no errors were encountered",
     "Сохранить все изменения|Проверяет бланк и сохраняет все изменения, если ошибок не обнаружено"},
    {QstCancel, "&Cancel", "&Отмена"},
    {QstCancelHint, "Cancel all changes and exit|Cancels creating or editing end exits to the main menu",
     "Отменить все изменения и выйти|Отменяет создание или правку бланка и выходит в основное меню"},
    {QstInsert, "&Insert question", "&Вставить вопрос"},
    {QstInsertHint,
     "Insert a question before current one|Allows to insert a question before last edited one (Alt-Ins can be used)",
     "Вставить вопрос перед текущим|Позволяет вставить вопрос перед последним редактировавшимся (можно использовать "
     "Alt-Ins)"},
    {QstDelete, "&Delete question", "&Удалить вопрос"},
    {QstDeleteHint, "Delete current question|Allows to delete last edited question (Alt-Del can be used)",
     "Удалить текущий вопрос|Позволяет удалить последний редактировавшийся вопрос (можно использовать Alt-Del)"},
    {QstLoadFromBase, "&Load from Base", "&Загрузить из Базы"},
    {QstLoadFromBaseHint, "Load questions from Question Base|Allows to fill text of any question from Base",
     "Загрузить вопросы из Базы вопросов|Позволяет заполнить текст любого вопроса из Базы"},
    {QstPrint, "&Print", "&Печать"},
    {QstPrintHint, "Print template|Allows to print template", "Печать бланка|Позволяет напечатать бланк"},
    {QstFileName, "File &Name :", "&Имя файла :"},
    {QstFileNameHint, "File name|Type here template file name", "Имя файла|Введите здесь имя файла бланка"},
    {QstHeaderNumber, " #", " №"},
    {QstHeaderType, "Type", "Тип"},
    {QstHeaderAnswer, "±", "±"},
    {QstHeaderText, "Question Text", "Текст вопроса"},
    {QstRowHint, "Question editor|Allows to edit type, possible answer and text of questions",
     "Редактор вопросов|Позволяет редактировать тип, предполагаемый ответ и текст вопросов"},
    {QstPrintJob, "LUMO7 Document", "Документ ЛУМО7"},

    // Question editor: warnings on leaving a field
    {QstEmptyType, "Empty type", "Поле типа вопроса пусто"},
    {QstInvalidType, "Invalid type", "Неверно указан тип вопроса"},
    {QstInvalidTypeIndex, "Invalid type index", "В поле типа вопроса пропущен индекс"},
    {QstEmptyAnswer, "Empty answer", "Поле ответа пусто"},
    {QstInvalidAnswer, "Invalid answer", "Неверно указан тип ответа"},

    // Question editor: saving, cancelling and the question base
    {QstEmptyTypeAt, "Empty type at line %d", "Поле типа вопроса в строке %d пусто"},
    {QstInvalidTypeAt, "Invalid type at line %d", "В строке %d неправильно указан тип вопроса"},
    {QstTooBigTypeAt, "Too big type at line %d", "В строке %d поле типа вопроса слишком велико"},
    {QstEmptyAnswerAt, "Empty answer at line %d", "Поле предполагаемого ответа в строке %d пусто"},
    {QstTooBigAnswerAt, "Too big answer at line %d", "Поле предполагаемого ответа в строке %d слишком велико"},
    {QstInvalidAnswerAt, "Invalid answer at line %d : \"+\" and \"-\" are only allowed",
     "Ошибка в строке %d : ответом может быть только \"+\" или \"-\""},
    {QstTooBigTextAt, "Too big question text at line %d", "В строке %d текст вопроса слишком велик"},
    {QstNameEmpty, "Template name is empty", "Пустое имя вопросника"},
    {QstCreateError, "Error creating file %s :", "Не могу создать файл с именем %s :"},
    {QstWriteError, "Write error at file %s :", "Ошибка записи в файл %s :"},
    {QstExitConfirm, "Exit without saving?", "Выйти без сохранения?"},
    {QstNoResourcesBase, "Not enough resources to call Question Base", "Не хватает ресурсов для вызова Базы вопросов"},

    // Template chooser
    {TplCaption, "Choose Template to Edit", "Выбор бланка для правки"},
    {TplFileName, "File Name :", "Имя файла :"},
    {TplListHint, "Templates list|Choose a template to edit", "Список бланков|Выберите бланк для правки"},
    {TplOkHint, "Choose template|Launches template editor", "Выбрать бланк|Запускает редактор бланков"},
    {TplDeleteHint, "Delete template|Deletes template choosen", "Удалить бланк|Удаляет выбранный бланк"},
    {TplPrintHint, "Print template|Prints template choosen", "Печать бланка|Печатает выбранный бланк"},
    {TplExitHint, "Exit without editing|Exits to the main menu without template editing",
     "Выход без правки|Выход в основное меню без правки бланка"},
    {TplNoMore, "No more templates", "Больше бланков нет"},

    // Question bank manager
    {BankCaption, "Question Base Manager", "Менеджер Базы вопросов"},
    {BankTopicList, "Topic List :", "Список тем :"},
    {BankTopicListHint, "Registered topics list|Choose topic to edit its question list",
     "Список зарегистрированных тем|Выберите тему для правки списка ее вопросов"},
    {BankTopicTitle, "TOPIC : %s (%s)", "ТЕМА : %s (%s)"},
    {BankQuestionsHint, "List of questions linked to the topic|Editing questions, follow each of them with '?'",
     "Список вопросов темы|При правке вопросов завершайте каждый из них знаком '?'"},
    {BankClipboard, "Clipboard :", "Буфер :"},
    {BankClipboardHint,
     "Questions can be moved or copied here or pasted from here|Questions can be moved/copied from topic to topic "
     "through the clipboard",
     "Вопросы можно перенести или скопировать сюда или вставить отсюда|Вопросы можно переносить и копировать из темы "
     "в тему через буфер"},
    {BankAddTopic, "Add Topic", "Добавить тему"},
    {BankAddTopicHint, "Add new topic|To add a topic, click the button and type topic name followed by '.'",
     "Добавить новую тему|Чтобы добавить тему, нажмите кнопку и введите название темы с точкой '.' в конце"},
    {BankModifyTopic, "Modify Topic", "Изменить тему"},
    {BankModifyTopicHint, "Modify topic name or file name|To modify topic name or topic file name, click the button",
     "Изменить название или имя файла темы|Чтобы изменить название темы или имя файла темы, нажмите кнопку"},
    {BankDeleteTopic, "Delete Topic", "Удалить тему"},
    {BankDeleteTopicHint,
     "Delete topic file with all its questions|To delete topic, topic questions and topic file, click the button",
     "Удалить файл темы со всеми вопросами|Чтобы удалить тему, ее вопросы и файл темы, нажмите кнопку"},
    {BankCut, "Cut", "Вырезать"},
    {BankCutHint, "Moves questions to the clipboard|Moves selected questions from the topic to the clipboard",
     "Переносит вопросы в буфер|Переносит выбранные вопросы из темы в буфер"},
    {BankCopy, "Copy", "Копировать"},
    {BankCopyHint, "Copies questions to the clipboard|Copies selected questions from the topic to the clipboard",
     "Копирует вопросы в буфер|Копирует выбранные вопросы из темы в буфер"},
    {BankPaste, "Paste", "Вставить"},
    {BankPasteHint, "Pastes questions from the clipboard|Pastes selected questions from the clipboard to the topic",
     "Вставляет вопросы из буфера|Вставляет выбранные вопросы из буфера в тему"},
    {BankExitHint, "Saves all changes and exits|Saves all changes and exits from QBM to the main menu",
     "Сохраняет все изменения и выходит|Сохраняет все изменения и выходит из менеджера Базы вопросов в основное меню"},

    // Question bank manager: messages
    {BankFileExists, "File %s already exists", "Файл %s уже существует"},
    {BankCannotCreate, "Can not create file %s", "Не могу создать файл %s"},
    {BankWriteError, "File write error", "Ошибка записи в файл"},
    {BankNoResourcesNewTopic, "Not enough resources to create new topic",
     "Не хватает ресурсов для создания новой темы"},
    {BankCannotRename, "Can not rename topic or topic file:\n%s", "Не могу переименовать тему или файл темы:\n%s"},
    {BankCannotRenameFile, "Can not rename file to %s", "Не могу переименовать файл в %s"},
    {BankDeleteConfirm, "Do you want to delete topic \n\"%s\" ?", "Вы хотите удалить тему \n\"%s\" ?"},
    {BankCannotDelete, "Can not delete the topic", "Не могу удалить тему"},

    // New-topic dialog
    {NewTopicCaption, "Adding new topic", "Добавление новой темы"},
    {NewTopicName, "Type new  t o p i c  name :", "Введите название новой  т е м ы :"},
    {NewTopicNameHint, "Type name of new topic|Type here new topic name followed by point",
     "Введите название новой темы|Введите здесь название новой темы с точкой в конце"},
    {NewTopicDefault, "New topic.", "Новая тема."},
    {NewTopicFile, "Type new  topic file name :", "Введите имя файла новой темы :"},
    {NewTopicFileHint,
     "Type name of new topic file|Type here new topic file name to work with the file without the System",
     "Введите имя файла новой темы|Введите здесь имя файла новой темы, чтобы работать с файлом без Системы"},
    {NewTopicAdd, "Add", "Добавить"},
    {NewTopicAddHint, "Add the topic|Add the topic and return to QBM",
     "Добавить тему|Добавить тему и вернуться в менеджер Базы вопросов"},
    {NewTopicCancelHint, "Cancel the topic|Return to QBM without adding the topic",
     "Отменить тему|Вернуться в менеджер Базы вопросов без добавления темы"},

    // Topic editor
    {TopicEditCaption, "Topic editor", "Редактор темы"},
    {TopicEditName, "Type  t o p i c  new name :", "Введите новое название  т е м ы :"},
    {TopicEditNameHint, "Type topic new name", "Введите новое название темы"},
    {TopicEditFile, "Type topic file new name :", "Введите новое имя файла темы :"},
    {TopicEditFileHint, "Type topic new file name|Type topic file name to use it without the System",
     "Введите новое имя файла темы|Введите имя файла темы, чтобы пользоваться им без Системы"},
    {TopicEditSaveHint, "Save changes|Save changes and return to QBM",
     "Сохранить изменения|Сохранить изменения и вернуться в менеджер Базы вопросов"},
    {TopicEditCancelHint, "Cancel changes|Return to QBM without saving changes",
     "Отменить изменения|Вернуться в менеджер Базы вопросов без сохранения изменений"},

    // Base chooser
    {AddBaseCaption, "Filling questions from Questions Base", "Заполнение вопросов из Базы вопросов"},
    {AddBaseTopics, "Topics List :", "Список тем :"},
    {AddBaseTopicsHint, "List of Questions Base Topics|All registered question topics are listed there",
     "Список тем Базы вопросов|Здесь перечислены все зарегистрированные темы вопросов"},
    {AddBaseQuestions, "Base Questions :", "Вопросы Базы :"},
    {AddBaseQuestionsHint, "List of the topic questions|Questions to download to template are listed there",
     "Список вопросов темы|Здесь перечислены вопросы для загрузки в бланк"},
    {AddBaseTopicTitle, "TOPIC : ", "ТЕМА : "},
    {AddBaseTemplate, "Template Questions :", "Вопросы бланка :"},
    {AddBaseTemplateHint,
     "Template being edited|Question choosen there will be replaced by Base questions after pressing 'Enter'",
     "Редактируемый бланк|Выбранный здесь вопрос будет заменен вопросом Базы после нажатия 'Enter'"},
    {AddBasePasteHint, "Pastes question|Pastes question from Base to the template",
     "Вставляет вопрос|Вставляет вопрос из Базы в бланк"},
    {AddBaseSave, "Save pasting", "Сохранить вставки"},
    {AddBaseSaveHint, "Saves all pastes|Saves all pastes and returns to the editor",
     "Сохраняет все вставки|Сохраняет все вставки и возвращается в редактор"},
    {AddBaseCancelHint, "Cancels all pastes|Exits to the editor without saving pastes",
     "Отменяет все вставки|Возвращается в редактор без сохранения вставок"},

    // Exam chooser
    {ExamListCaption, "Select exam for test.   Examinee : %s   ( %s )",
     "Выбор обследования для теста.   Субъект : %s   ( %s )"},
    {ExamListExam, "Exam", "Обследование"},
    {ExamListCharts, "Charts", "Полиграммы"},
    {ExamListHint, "Templates and exams list|Exams are red and templates are black",
     "Список бланков и обследований|Обследования показаны красным, бланки - черным"},
    {ExamListOrder, "Questions order", "Порядок вопросов"},
    {ExamListSet, "Set", "Задать"},
    {ExamListSetHint, "Set question order|Allows to set up to three question orders",
     "Задать порядок вопросов|Позволяет задать до трех порядков вопросов"},
    {ExamListChooseHint, "Choose question order|Allows to choose any question order from the list",
     "Выбрать порядок вопросов|Позволяет выбрать любой порядок вопросов из списка"},
    {ExamListEdit, "Edit exam", "Правка обследования"},
    {ExamListEditHint, "Edit exam semanthics|Allows to edit anything except of questions number and charts",
     "Правка содержания обследования|Позволяет изменить все, кроме числа вопросов и полиграмм"},
    {ExamListDelete, "Delete exam", "Удалить обследование"},
    {ExamListDeleteHint, "Delete exam and charts|Deletes exam together with all its charts",
     "Удалить обследование и полиграммы|Удаляет обследование вместе со всеми его полиграммами"},
    {ExamListTest, "Test", "Тест"},
    {ExamListTestHint, "Begin/Continue test|Allows to begin exam chart",
     "Начать/продолжить тест|Позволяет начать запись полиграммы обследования"},
    {ExamListCreate, "Create exam by template", "Создать обследование по бланку"},
    {ExamListCreateHint, "Creates an exam using the template|Allows to use any template for creating exam",
     "Создает обследование по бланку|Позволяет использовать любой бланк для создания обследования"},
    {ExamListToTemplate, "To Template", "В бланк"},
    {ExamListExitHint, "Exit to the main menu|Allows to return to the main menu",
     "Выход в основное меню|Позволяет вернуться в основное меню"},
    {ExamListNotFound, "Exams and templates not found", "Обследования и бланки не найдены"},
    {ExamListNoMore, "No more exams and templates", "Больше обследований и бланков нет"},

    // Exam editor
    {ExamEditCaption, "Exam Editor", "Редактор обследования"},
    {ExamEditMethod, "Test method :", "Метод тестирования :"},
    {ExamEditMethodHint, "Test method information", "Сведения о методе тестирования"},
    {ExamEditFormat, "Exam format :", "Формат обследования :"},
    {ExamEditExaminee, "Examinee: %s", "Субъект: %s"},
    {ExamEditExaminer, "Examiner : %s", "Оператор : %s"},
    {ExamEditMark, "Exam mark :", "Отметка обследования :"},
    {ExamEditMarkHint, "Type here any exam mark", "Введите здесь любую отметку обследования"},
    {ExamEditSaveHint, "Save all changes and exit to the prepare window",
     "Сохранить все изменения и вернуться в окно подготовки"},
    {ExamEditPrintHint, "Print exam questions list", "Печать списка вопросов обследования"},
    {ExamEditCancelHint, "Exit to the prepare window without saving changes",
     "Вернуться в окно подготовки без сохранения изменений"},

    // Question order dialog
    {OrderSetCaption, "Edit question order. Examinee : %s / %s ( %s )",
     "Правка порядка вопросов. Субъект : %s / %s ( %s )"},
    {OrderChooseCaption, "Choose question order. Examinee : %s / %s ( %s )",
     "Выбор порядка вопросов. Субъект : %s / %s ( %s )"},
    {OrderRow, "Order %d", "Порядок %d"},
    {OrderRowHint, "Question orders list|Choose one question order from the list",
     "Список порядков вопросов|Выберите один порядок вопросов из списка"},
    {OrderQuestionsHint, "Exam questions list|Exam questions are listed by the order choosen",
     "Список вопросов обследования|Вопросы обследования перечислены в выбранном порядке"},
    {OrderSaveHint, "Save question orders|Save question orders and exit",
     "Сохранить порядки вопросов|Сохранить порядки вопросов и выйти"},
    {OrderChooseHint, "Choose question order|Test Examinee using the order choosen",
     "Выбрать порядок вопросов|Тестировать субъекта в выбранном порядке"},
    {OrderCancelSetHint, "Cancel changes|Exit without saving changes",
     "Отменить изменения|Выйти без сохранения изменений"},
    {OrderCancelChooseHint, "Cancel choice|Exit without testing", "Отменить выбор|Выйти без тестирования"},

    // Method chooser and question editors: further texts
    // (2801 ... 2849)

    // Question bank: further texts
    // (2851 ... 2899)

    // Exam chooser, exam editor and question orders: further texts
    {ExamDeleteFailed, "The file %s cannot be deleted", "Не удается удалить файл %s"},
    {ExamTemplateNameRefused, "A template name cannot hold the character \"%s\"",
     "Имя бланка не может содержать символ \"%s\""},
    {ExamNumbersExhausted, "All exam numbers of the examinee are in use",
     "Все номера обследований субъекта уже заняты"},
    {ExamPreviewLabel, "Questions :", "Вопросы :"},
    {OrderGridLabel, "Question signs by order :", "Знаки вопросов по порядкам :"},
    {ExamNameBoxHint, "Template name|The template is written to the templates folder under this name",
     "Имя бланка|Бланк записывается в папку бланков под этим именем"},

    // Printing of question lists
    // (2951 ... 2999)
};

}  // namespace

std::span<const core::TextPair> authoringTexts() {
    return kTexts;
}

}  // namespace lumo::txt
