#include "core/texts/admin.h"

namespace lumo::txt {

namespace {

constexpr core::TextPair kTexts[] = {
    // Examinee chooser
    {SubjectsCaption, "Choose / Delete Examinee", "Выбор / удаление субъекта"},
    {SubjectsFile, "File", "Файл"},
    {SubjectsExaminee, "Examinee", "Субъект"},
    {SubjectsDate, "Date", "Дата"},
    {SubjectsIssue, "Issue", "Дело"},
    {SubjectsNote, "Note", "Примечание"},
    {SubjectsArchived, "Archd", "Арх."},
    {SubjectsSearchByCrime, "Search by Crime :", "Поиск по преступлению :"},
    {SubjectsDeleteConfirm, "Do you want to delete all info about the Examinee?",
     "Вы хотите удалить все сведения о субъекте?"},
    {SubjectsNoMore, "There are no more Examinees to choose", "Больше нет субъектов для выбора"},
    {SubjectsCannotDelete, "Can not delete Examinee info", "Не могу удалить сведения о субъекте"},

    // New-examinee dialog and examinee editor: field labels
    {SubjName, "Examinee name :", "Имя субъекта :"},
    {SubjExaminer, "Examiner :", "Оператор :"},
    {SubjCrime, "Crime :", "Преступление :"},
    {SubjIssue, "Issue :", "Дело :"},
    {SubjNote, "Note :", "Примечание :"},

    // New-examinee dialog
    {SubjNewCaption, "New Examinee", "Новый субъект"},
    {SubjNewIssues, "Issues list :", "Список дел :"},
    {SubjNewCode, "Examinee code :", "Код субъекта :"},
    {SubjNewPostingFailure, "Examinee info posting failure", "Ошибка записи сведений о субъекте"},
    {SubjNewCreatingFailure, "Examinee info creating failure:", "Ошибка создания сведений о субъекте:"},
    {SubjNewCancelConfirm, "Do you want to cancel Examinee info creating?",
     "Вы хотите отменить создание сведений о субъекте?"},

    // Examinee editor
    {SubjEditCaption, "Edit Examinee", "Правка субъекта"},
    {SubjEditNoExaminee, "No Examinee is chosen", "Субъект не выбран"},
    {SubjEditArchived, "Info archived", "Сведения в архиве"},
    {SubjEditPost, "Post", "Записать"},
    {SubjEditPostingFailure, "Posting failure :", "Ошибка записи :"},
    {SubjEditPostingFails, "Posting fails", "Запись не удалась"},

    // Crime list editor
    {CrimeCaption, "Crime list editor", "Редактор списка преступлений"},
    {CrimeSaveConfirm, "Do you want to save changes and exit?", "Вы хотите сохранить изменения и выйти?"},
    {CrimeCancelConfirm, "Do you want to cancel changes and exit?", "Вы хотите отменить изменения и выйти?"},

    // Operator dialog
    {UsersCaption, "Examiners List Browser", "Просмотр списка операторов"},
    {UsersNameColumn, "Examiner Name", "Имя оператора"},
    {UsersDateColumn, "Date", "Дата"},
    {UsersNoteColumn, "Note", "Примечание"},
    {UsersList, "Examiners &List :", "&Список операторов :"},
    {UsersListHint, "Choose Examiner to edit|Choose Examiner to edit or delete",
     "Выберите оператора для правки|Выберите оператора для правки или удаления"},
    {UsersName, "Examiner &Name :", "&Имя оператора :"},
    {UsersNameHint, "Type Examiner new name|Type Examiner new name",
     "Введите новое имя оператора|Введите новое имя оператора"},
    {UsersNote, "No&te :", "П&римечание :"},
    {UsersNoteHint, "Type any note about Examiner|Type any note about Examiner",
     "Введите примечание об операторе|Введите любое примечание об операторе"},
    {UsersAdd, "&Add", "&Добавить"},
    {UsersAddHint, "Add new Examiner|Add empty Examiner record", "Добавить оператора|Добавить пустую запись оператора"},
    {UsersDelete, "&Delete", "&Удалить"},
    {UsersDeleteHint, "Delete Examiner|Delete Examiner choosen", "Удалить оператора|Удалить выбранного оператора"},
    {UsersOkHint, "Save all changes and exit|Save all changes and exit to the main menu",
     "Сохранить все изменения и выйти|Сохранить все изменения и выйти в основное меню"},
    {UsersCancelHint, "Cancel all changes and exit|Cancel all changes and exit to the main menu",
     "Отменить все изменения и выйти|Отменить все изменения и выйти в основное меню"},
    {UsersNotUnique, "Examiner name is not unique", "Имя оператора не уникально"},
    {UsersDeleteConfirm, "Delete Examiner data?", "Удалить данные оператора?"},
    {UsersNoMemory, "Not enough memory to store Examiners data",
     "Недостаточно памяти для сохранения данных операторов"},

    // System parameters dialog
    {SysCaption, "LUMO - 7.0 System parameters", "ЛУМО - 7.0 Параметры системы"},
    {SysChannels, "Channels settings", "Настройка каналов"},
    {SysPort, "Port : ", "Порт : "},
    {SysQuestionTime, "Reactions recording time :", "Время записи реакций :"},
    {SysLanguage, "Language : ", "Язык : "},
    {SysArtefacts, "Artefacts' Names :", "Названия артефактов :"},
    {SysWorkArea, "Work Area (mm) : ", "Рабочая область (мм) : "},
    {SysScrolling, "Scrolling : ", "Прокрутка : "},
    {SysPrinter, "PRN", "PRN"},
    {SysColorHint, "Channel color|Assignes colors to channels in polygrams",
     "Цвет канала|Назначает цвета каналам на полиграммах"},
    {SysSwitchHint, "Toggle channel on / off|Sets computing or skipping channel data",
     "Включить / выключить канал|Задает обработку или пропуск данных канала"},
    {SysVisibleHint, "Channel visibility|Make the channel visible", "Видимость канала|Сделать канал видимым"},
    {SysBandHint, "Channel scaling|Channel scaling in relative units",
     "Масштаб канала|Масштаб канала в относительных единицах"},
    {SysPortHint, "Choose serial port number|Choose serial port with attached sensor unit",
     "Выберите номер последовательного порта|Выберите последовательный порт, к которому подключен блок датчиков"},
    {SysQuestionTimeHint, "Choose reactions recording time|Choose minimal time interval between questions",
     "Выберите время записи реакций|Выберите минимальный интервал времени между вопросами"},
    {SysLanguageHint, "Choose interface language|Choose language for menu, labels and protocol",
     "Выберите язык интерфейса|Выберите язык меню, надписей и протокола"},
    {SysArtefactHint, "Artefact name editor|Name of artefact corresponding to this button can be changed here",
     "Редактор названий артефактов|Здесь можно изменить название артефакта, соответствующего этой кнопке"},
    {SysWorkAreaHint, "Monitor Work Area size (mm)|Monitor work area diagonal size (mm)",
     "Размер рабочей области монитора (мм)|Размер диагонали рабочей области монитора (мм)"},
    {SysScrollingHint, "Chart scrolling|Continuous chart scrolling during a test",
     "Прокрутка полиграммы|Непрерывная прокрутка полиграммы во время теста"},
    {SysPrinterHint, "Printer setup|Call the system Printer Setup",
     "Настройка принтера|Вызов системной настройки принтера"},
    {SysOkHint, "Save all changes and exit|Save all changes and exit to the main menu",
     "Сохранить все изменения и выйти|Сохранить все изменения и выйти в основное меню"},
    {SysCancelHint, "Cancel all changes|Exit to the main menu without saving changes",
     "Отменить все изменения|Выход в основное меню без сохранения изменений"},

    // Archive folder chooser
    {ArchDirCaption, "Archive Directory", "Каталог архива"},
    {ArchDirDriveHint, "Archive Drive|Examinee archive storage drive", "Диск архива|Диск для хранения архива субъекта"},
    {ArchDirTreeHint, "Directory for the Archive|Directory for Examinee info archive",
     "Каталог для архива|Каталог для архива сведений о субъекте"},
    {ArchDirFiles, "Files in the Directory", "Файлы в каталоге"},
    {ArchDirOkHint, "Archivation / dearchivation|Launches Archiver", "Архивация / разархивация|Запускает архиватор"},
    {ArchDirCancelHint, "Cancel archivation / dearchivation|Exits to the main menu",
     "Отменить архивацию / разархивацию|Выход в основное меню"},
    {ArchDirOverwrite, "This Examinee archive also exists here. Overwrite?",
     "Архив этого субъекта здесь уже существует. Переписать?"},

    // Archiver: compressing
    {ArchiveCaption, "Examinee Info Archiver", "Архиватор сведений о субъекте"},
    {ArchiveSearching, "Searching Examinee info...", "Поиск сведений о субъекте..."},
    {ArchiveSolidCreating, "Creating solid archive...", "Создание сплошного архива..."},
    {ArchiveSolidError, "Solid archive creating error :", "Ошибка создания сплошного архива :"},
    {ArchiveSolidFailure, "Solid archive creating failure", "Сбой создания сплошного архива"},
    {ArchiveCompressing, "Data compressing...", "Сжатие данных..."},
    {ArchiveCompressionFailure, "Compression failure", "Сбой сжатия"},
    {ArchiveVolumesCreating, "Archive volumes creating...", "Создание томов архива..."},
    {ArchiveDisksNeeded, "%d empty disks are needed", "Нужно пустых дисков: %d"},
    {ArchiveAreYouReady, "Are you ready?", "Вы готовы?"},
    {ArchiveFailure, "Archivation failure", "Сбой архивации"},
    {ArchiveInsertDiskA, "Insert disk # %d to drive A:", "Вставьте диск № %d в дисковод A:"},
    {ArchiveInsertDiskB, "Insert disk # %d to drive B:", "Вставьте диск № %d в дисковод B:"},
    {ArchiveDriveError, "The following error is encountered accessing drive:",
     "При обращении к диску произошла ошибка:"},
    {ArchiveRetry, "Retry?", "Повторить?"},
    {ArchiveCleanup, "Directory cleanup...", "Очистка каталога..."},
    {ArchiveComplete, "Archivation complete", "Архивация завершена"},
    {ArchiveError, "Archivation error", "Ошибка архивации"},

    // Archiver: decompressing
    {ArchiveJoining, "Archive volumes joining...", "Объединение томов архива..."},
    {ArchiveMissingFile, "Missing file ", "Отсутствует файл "},
    {ArchiveForeignVolume, "Label of another archive", "Метка другого архива"},
    {ArchiveDearchivationFailure, "Dearchivation failure", "Сбой разархивации"},
    {ArchiveDecompressing, "Data decompressing...", "Распаковка данных..."},
    {ArchiveDecompressionFailure, "Decompression failure", "Сбой распаковки"},
    {ArchiveExtracting, "Extracting files from archive...", "Извлечение файлов из архива..."},
    {ArchiveExtractionError, "File extraction error", "Ошибка извлечения файла"},
    {ArchiveExtractionFailure, "Files extraction failure", "Сбой извлечения файлов"},
    {ArchiveDearchivationComplete, "Dearchivation complete", "Разархивация завершена"},

    // Compression component
    {LzrwNoMemoryCompress, "Lzrw1 : Cannot get memory for I/O Buffers",
     "Lzrw1 : Не удается получить память для буферов ввода-вывода"},
    {LzrwNoMemoryDecompress, "Lzrw1 : no memory for I/O Buffers !!", "Lzrw1 : нет памяти для буферов ввода-вывода !!"},
    {LzrwCannotGetSize, "Lzrw1 : Cannot obtain size of %s", "Lzrw1 : Не удается определить размер %s"},
    {LzrwKhInputNotFound, "LZRWKH1 : Inputfile %s not found !", "LZRWKH1 : Входной файл %s не найден !"},
    {LzrwInputNotFound, "Lzrw1 : Inputfile %s not found !", "Lzrw1 : Входной файл %s не найден !"},
    {LzrwOutputNotOpened, "Lzrw1 : Outputfile %s can not be opened !", "Lzrw1 : Выходной файл %s не может быть открыт !"},
    {LzrwWriteError, "Lzrw1 : ERROR WRITING TO %s !", "Lzrw1 : ОШИБКА ЗАПИСИ В %s !"},
    {LzrwReadError, "Lzrw1 : ERROR READING FROM %s !", "Lzrw1 : ОШИБКА ЧТЕНИЯ ИЗ %s !"},
    {LzrwKhReadError, "Lzrw1/KH : READ ERROR ON %s !", "Lzrw1/KH : ОШИБКА ЧТЕНИЯ %s !"},
    {LzhReadError, "Lzrw1/LZH : READ ERROR ON %s !", "Lzrw1/LZH : ОШИБКА ЧТЕНИЯ %s !"},
    {LzrwNotCompressed, "Lzrw1 : %s : NOT A COMPRESSED FILE !", "Lzrw1 : %s : ЭТО НЕ СЖАТЫЙ ФАЙЛ !"},
    {LzrwKhCorrupt, "Lzrw1/KH : Sizes do not match !! Corruption", "Lzrw1/KH : Размеры не совпадают !! Файл испорчен"},
    {LzhCorrupt, "Lzrw1/LZH : Sizes do not match !! Corruption", "Lzrw1/LZH : Размеры не совпадают !! Файл испорчен"},

    // Solid file and volumes
    {SolidWritingHeaderSize, "Error writing header size", "Ошибка записи размера заголовка"},
    {SolidWritingHeader, "Error writing header", "Ошибка записи заголовка"},
    {SolidReadingHeaderSize, "Error reading header size", "Ошибка чтения размера заголовка"},
    {SolidReadingHeader, "Error reading header", "Ошибка чтения заголовка"},
    {SolidReadingData, "Error reading data", "Ошибка чтения данных"},
    {SolidWritingData, "Error writing data", "Ошибка записи данных"},
    {VolumeWritingLabel, "Error writing volume label", "Ошибка записи метки тома"},
    {VolumeReadingLabel, "Error reading volume label", "Ошибка чтения метки тома"},
    {SolidUnsafeName, "Unsafe file name in the archive : %s", "Недопустимое имя файла в архиве : %s"},
    {ArchiveVerifyFailed, "The archive read back differs from the Examinee info",
     "Прочитанный архив не совпадает со сведениями о субъекте"},
    {SolidNameTooLong, "File name can not be stored in the archive : %s", "Имя файла не может быть сохранено в архиве : %s"},

    // Archive folder chooser: the drives of this machine
    {ArchDirHomeFolder, "Home folder", "Домашняя папка"},
    {ArchDirRemovable, "Removable disk", "Съемный диск"},

    // Batch archiving tool
    {ArchToolNoExaminee, "Examinee %s not found", "Субъект %s не найден"},
    {ArchToolArchived, "The Examinee charts are already archived", "Полиграммы субъекта уже в архиве"},
    {ArchToolNotArchived, "The Examinee charts are not archived", "Полиграммы субъекта не в архиве"},

    // Examinee chooser: buttons and hints
    {SubjectsGridLabel, "&Examinees :", "&Субъекты :"},
    {SubjectsGridHint,
     "Examinees|Enter or a double click chooses the Examinee, Del deletes it; a click on a column head or Ctrl+1 ... "
     "Ctrl+6 sorts by that column",
     "Субъекты|Enter или двойной щелчок выбирает субъекта, Del удаляет его; щелчок по заголовку столбца или "
     "Ctrl+1 ... Ctrl+6 сортирует по нему"},
    {SubjectsCrimeHint, "Search by Crime|Shows only the Examinees of the crime chosen; crimes in blue have Examinees",
     "Поиск по преступлению|Показывает только субъектов выбранного преступления; преступления с субъектами "
     "выделены синим"},
    {SubjectsChooseHint, "Choose Examinee|Makes the selected Examinee current",
     "Выбрать субъекта|Делает выбранного субъекта текущим"},
    {SubjectsDeleteHint, "Delete Examinee|Deletes all info about the selected Examinee, exams and charts included",
     "Удалить субъекта|Удаляет все сведения о выбранном субъекте, включая экзамены и полиграммы"},
    {SubjectsCancelHint, "Cancel|Closes the list without choosing an Examinee",
     "Отмена|Закрывает список, не выбирая субъекта"},

    // New-examinee dialog and examinee editor: buttons and hints
    {SubjCodeHint, "Examinee code|Choose a free code for the new Examinee: it names the Examinee's folder",
     "Код субъекта|Выберите свободный код нового субъекта: он дает имя папке субъекта"},
    {SubjNameHint,
     "Examinee name|Type the name and surname of the Examinee; letters other than Latin and Cyrillic are stored as \"?\"",
     "Имя субъекта|Введите имя и фамилию субъекта; буквы, кроме латинских и русских, записываются как \"?\""},
    {SubjExaminerHint, "Examiner|Choose the examiner working with the Examinee",
     "Оператор|Выберите оператора, работающего с субъектом"},
    {SubjCrimeHint, "Crime|Choose the crime the Examinee is filed under",
     "Преступление|Выберите преступление, по которому проходит субъект"},
    {SubjIssueHint, "Issue|Type the case designation or pick an issue of other Examinees",
     "Дело|Введите обозначение дела или выберите дело других субъектов"},
    {SubjNoteHint, "Note|A free note on the Examinee", "Примечание|Произвольное примечание о субъекте"},
    {SubjCodePageWarning, "Characters that the record files cannot hold will be stored as \"?\"",
     "Символы, которых нет в кодировке файлов, будут записаны как \"?\""},
    {SubjNewOkHint, "Create Examinee|Writes the new Examinee's info and makes the Examinee current",
     "Создать субъекта|Записывает сведения о новом субъекте и делает его текущим"},
    {SubjNewCancelHint, "Cancel|Closes the dialog without creating an Examinee",
     "Отмена|Закрывает окно, не создавая субъекта"},
    {SubjEditPostHint, "Post|Writes the changed Examinee info", "Записать|Записывает измененные сведения о субъекте"},
    {SubjEditCancelHint, "Cancel|Closes the editor without changes", "Отмена|Закрывает окно без изменений"},
    {SubjEditArchivedHint, "Info archived|Checked while the Examinee's charts are compressed into an archive",
     "Сведения в архиве|Отмечено, пока полиграммы субъекта сжаты в архив"},
    {SubjDate, "Date :", "Дата :"},
    {SubjEditCode, "File code :", "Код :"},

    // Crime list editor and operator dialog: further texts
    {CrimeNames, "Crime &names, one a line :", "&Названия преступлений, по одному в строке :"},
    {CrimeNamesHint,
     "Type crime names|Type one crime name a line. Characters the Cyrillic code page (Windows-1251) cannot hold "
     "are stored as \"?\"",
     "Введите названия преступлений|Введите по одному названию преступления в строке. Символы, которых нет в "
     "кодировке Windows-1251, сохраняются как \"?\""},
    {CrimeOkHint, "Save changes and exit|Save the crime list and exit to the main menu",
     "Сохранить изменения и выйти|Сохранить список преступлений и выйти в основное меню"},
    {CrimeCancelHint, "Cancel changes and exit|Cancel the changes of the crime list and exit to the main menu",
     "Отменить изменения и выйти|Отменить изменения списка преступлений и выйти в основное меню"},
    {UsersFieldLimits,
     "At most 20 characters; characters the Cyrillic code page (Windows-1251) cannot hold are stored as \"?\"",
     "Не более 20 символов; символы, которых нет в кодировке Windows-1251, сохраняются как \"?\""},
    {UsersNameEmpty, "Examiner name is empty", "Имя оператора не задано"},
    {UsersSaveFailure, "Examiners data are not saved:", "Данные операторов не сохранены:"},
    {UsersReadFailure, "Examiners data can not be read again:", "Не удалось заново прочитать данные операторов:"},

    // System parameters dialog: further texts
    {SysChannelHeader, "Channel", "Канал"},
    {SysColorHeader, "Color", "Цвет"},
    {SysSwitchHeader, "On", "Вкл."},
    {SysVisibleHeader, "Visible", "Видим"},
    {SysBandHeader, "Height, %", "Высота, %"},
    {SysChannelColorName, "%s color", "%s: цвет"},
    {SysChannelSwitchName, "%s on", "%s: включен"},
    {SysChannelVisibleName, "%s visible", "%s: видим"},
    {SysChannelBandName, "%s height", "%s: высота"},
    {SysChannelUnnamed, "Channel %d", "Канал %d"},
    {SysBackgroundUnnamed, "Background", "Фон"},
    {SysArtefactCodePageHint,
     "Artefact name editor|Name of artefact corresponding to this button can be changed here "
     "(letters other than Latin and Cyrillic are stored as \"?\")",
     "Редактор названий артефактов|Здесь можно изменить название артефакта, соответствующего этой кнопке "
     "(буквы, кроме латинских и русских, сохраняются как \"?\")"},
    {SysArtefactFieldName, "Artefact %s", "Артефакт %s"},
    {SysPrinterLabel, "Printer : ", "Принтер : "},
    {SysPrinterDefault, "system default", "по умолчанию"},
    {SysPrinterPdf, "PDF file", "файл PDF"},
    {SysUnitGroup, "Unit and display", "Блок и экран"},
    {SysPrinterSetupCaption, "Printer setup", "Настройка принтера"},
};

}  // namespace

std::span<const core::TextPair> adminTexts() {
    return kTexts;
}

}  // namespace lumo::txt
