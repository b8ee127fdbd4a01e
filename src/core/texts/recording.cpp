#include "core/texts/recording.h"

namespace lumo::txt {

namespace {

constexpr core::TextPair kTexts[] = {
    // Test run: the unit could not be opened
    {TestMaybePortWrong, "Maybe port number setting is wrong", "Возможно, неверно задан номер порта"},

    // Test run: skin resistance label
    {TestResistanceUnit, " kOm", " кОм"},

    // Test run: Protocol.log lines
    {TestProtocolHeader, "Test run: %s / %s / CHART_0%d, %s %s", "Тест: %s / %s / CHART_0%d, %s %s"},
    {TestProtocolSaved, "Chart saved: %s", "Полиграмма сохранена: %s"},
    {TestProtocolDiscarded, "Chart discarded", "Полиграмма удалена"},
    {TestProtocolCancelled, "Test cancelled", "Тест отменен"},
    {TestProtocolSaveFailed, "Chart not saved: %s", "Полиграмма не сохранена: %s"},
    {TestProtocolQuestions, "Presentations: %d, distinct questions: %d", "Предъявлений: %d, разных вопросов: %d"},
    {TestNoQuestions, "The exam has no questions", "В обследовании нет вопросов"},

    // The unattended demo examination
    {DemoHome, "Data home: %s", "Каталог данных: %s"},
    {DemoExam, "Examinee %s, exam %s from template %s, %s", "Субъект %s, обследование %s по шаблону %s, %s"},
    {DemoChartSaved, "Chart %d: %d presentations, %d s", "Полиграмма %d: предъявлений %d, %d с"},
    {DemoChartFailed, "Chart %d was not recorded: %s", "Полиграмма %d не записана: %s"},
    {DemoConclusion, "Conclusion: %s", "Заключение: %s"},
    {DemoNoConclusion, "Conclusion: none", "Заключение: нет"},
    {DemoExamineeName, "Demo examinee", "Демонстрационный субъект"},
    {DemoDeceptive, "deceptive examinee", "субъект лжет"},
    {DemoTruthful, "truthful examinee", "субъект говорит правду"},
    {DemoTemplateMissing, "No template of method 1 in %s", "Нет шаблона метода 1 в %s"},

    // Test run window
    {TestCaption, "Examinee : %s / %s / CHART_0%d ( %s )", "Субъект : %s / %s / CHART_0%d ( %s )"},
    {TestWaitSeconds, "Wait (%ds)", "Ждите (%d с)"},
    {TestTimeRemained, "Time remained", "Осталось времени"},
    {TestNoLink, "Cannot establish link to the sensor unit", "Невозможно установить связь с блоком датчиков"},
    {TestAskQuestion, "Ask\nquestion", "Задайте\nвопрос"},
    {TestEndQuestion, "End\nquestion", "Конец\nвопроса"},
    {TestWaitAnswer, "Wait\nyes/no", "Ждите\nда/нет"},
    {TestRecordingReactions, "Reactions\nrecording", "Запись\nреакций"},
    {TestEnds, "Test\nends", "Конец\nтеста"},
    {TestBegins, "Test\nbegins", "Начало\nтеста"},
    {TestSpaceToStart, "Test - space", "Тест - пробел"},
    {TestSensorsTuning, "Sensors\ntuning", "Настройка\nдатчиков"},
    {TestInitError, "Error initialising the unit:\n%s", "Ошибка инициализации блока:\n%s"},
    {TestInvalidSequence, "Invalid sequence number: %d", "Неверный номер порядка вопросов: %d"},
    {TestQuestionsLoadError, "Questions loading error:\n%s", "Ошибка загрузки вопросов:\n%s"},
    {TestUnitStartError, "Unable to start the unit:\n%s", "Невозможно запустить блок:\n%s"},
    {TestAbortConfirm, "Do you want to abort ?", "Вы хотите прервать тест ?"},
    {TestQuestionSeconds, "Time (%ds)", "Время (%d с)"},
    {TestAbortedTimeLimit, "Test is aborted because of time limit", "Тест прерван по истечении времени"},
    {TestNoResourcesSave, "Not enough system resources to save the chart",
     "Недостаточно системных ресурсов для сохранения полиграммы"},
    {TestQuestionsExhausted, "Questions\nexhausted", "Вопросы\nисчерпаны"},
    {TestInvalidChartNumber, "Invalid chart number : %d", "Неверный номер полиграммы : %d"},
    {TestAborted, "Test is aborted", "Тест прерван"},
    {TestQuestionListHint, "Exam questions list", "Список вопросов обследования"},

    // Keep-or-discard dialog
    {SaveChartCaption, "Test is finished", "Тест завершен"},
    {SaveChartYes, "Save chart", "Сохранить полиграмму"},
    {SaveChartYesHint, "Save and score chart", "Сохранить и обработать полиграмму"},
    {SaveChartNo, "Deny the chart", "Отказаться от полиграммы"},

    // Continue dialog
    {ContinueTestQuestion, "All questions are exhausted. Do you want to continue?",
     "Все вопросы исчерпаны. Вы хотите продолжить?"},
    {ContinueTestContinue, "&Continue", "&Продолжить"},
    {ContinueTestTerminate, "&Terminate", "&Завершить"},

    // State estimate window
    {StateCaption, "Subject State Estimate", "Оценка состояния субъекта"},
    {StateSignals, "Pulse and GSC Signals", "Сигналы пульса и КГР"},
    {StateHistogram, "Pulse Intervals Histogram", "Гистограмма пульсовых интервалов"},
    {StateDataReceived, "%d data received", "Получено данных : %d"},
    {StateRestart, "Restart", "Заново"},
    {StateFinish, "Finish", "Завершить"},
    {StateNoLink, "No link with the unit", "Связь с блоком отсутствует"},

    // State estimate report, one text per line
    {StateReportFrequency, "Pulse Mean Frequency = ", "Средняя частота пульса = "},
    {StateReportPerMinute, " rpm", " уд/мин"},
    {StateReportMainTone, "\nProbability of Main Tone Appearance = ", "\nВероятность появления основного тона = "},
    {StateReportSpan, "\nCardiointervals Span =", "\nРазмах кардиоинтервалов ="},
    {StateReportSeconds, " s", " с"},
    {StateReportVariance, "\nFrequency Variance = ", "\nВариабельность частоты = "},
    {StateReportBloodVolume, "\nBlood Volume Amplitude = ", "\nАмплитуда кровенаполнения = "},
    {StateReportGscTrend, "\nGSC Trend = ", "\nТренд КГР = "},

    // ANS summary window
    {SummaryCaption, "Examinee State - Press Any Key When Ready To Exit",
     "Состояние субъекта - для выхода нажмите любую клавишу"},
    {SummaryDistribution, "Distribution of Pulse Periods :", "Распределение периодов пульса :"},
    {SummaryTitle, "Summary", "Итог"},
    {SummaryScale, "R e l a x           Normal        S t r e s s", "Р е л а к с         Норма         С т р е с с"},
    {SummaryLabel, "Summary :", "Итог :"},
    {SummaryMeanFrequency, "Mean pulse frequency", "Средняя частота пульса"},
    {SummaryMainTone, "Main tone appearance probability", "Вероятность появления основного тона"},
    {SummaryVariance, "Frequency variance", "Вариабельность частоты"},
    {SummaryBloodVolume, "Blood volume amplitude", "Амплитуда кровенаполнения"},
    {SummaryFrequencyIndex, "Frequency = %d %%", "Частота = %d %%"},
    {SummaryMainToneIndex, "Main tone prob = %d %%", "Вер. осн. тона = %d %%"},
    {SummaryStabilityIndex, "Stability = %d %%", "Стабильность = %d %%"},
    {SummaryBloodVolumeIndex, "Blood volume = %d %%", "Кровенаполнение = %d %%"},
    {SummaryRelax, "Identified RELAX", "Выявлена РЕЛАКСАЦИЯ"},
    {SummaryStimulate, "It is recommended to stimulate ANS", "Рекомендуется стимулировать ВНС"},
    {SummaryStress, "Identified STRESS", "Выявлен СТРЕСС"},
    {SummaryCalm, "It is recommended to calm ANS", "Рекомендуется успокоить ВНС"},
    {SummaryBalance, "The ANS is in balance", "ВНС в равновесии"},

    // State estimate: why no report follows
    {StateNoPeriods,
     "No pulse period of 0.3 ... 1.5 s was found: the pulse signal is flat, saturated or missing",
     "Не найдено ни одного периода пульса от 0.3 до 1.5 с: сигнал пульса плоский, насыщен или отсутствует"},
    {StateTooShort, "The measurement was too short for a report: it needs two pulse spectra at least",
     "Измерение слишком короткое для отчета: нужно не менее двух спектров пульса"},
    {StateReportImpossible, "The report cannot be computed from the measured values",
     "Отчет невозможно вычислить по измеренным значениям"},

    // Test run display: speed list and centring button
    {DisplaySpeed1, "standard", "стандарт"},
    {DisplaySpeed2, "standard * 2", "стандарт * 2"},
    {DisplaySpeed3, "standard * 3", "стандарт * 3"},
    {DisplaySpeed4, "standard * 4", "стандарт * 4"},
    {DisplaySpeedHint, "Screen speed|Screen speed can be changed here",
     "Скорость экрана|Здесь можно изменить скорость развертки"},
    {DisplayCentringHint, "Signal centering|All channels can be centered at once",
     "Центровка сигналов|Все каналы можно отцентрировать одновременно"},

    // Score board
    {BoardCaption, "Stress Anatomy", "Анатомия стресса"},
    {BoardBreath, "Breath (min) :", "Дыхание (мин) :"},
    {BoardResistance, "Resist. (kOm):", "Сопротив.(кОм):"},
    {BoardPulse, "P u l s e   (min):", "П у л ь с   (мин):"},
    {BoardQuestion, "Qst", "Вопрос"},
    {BoardTotal, "TOTAL", "ИТОГ"},

    // Test run window: hints of its buttons, the pause
    {TestAskHint, "Question|Space starts the test, asks the selected question and ends it",
     "Вопрос|Пробел начинает тест, задает выбранный вопрос и завершает его"},
    {TestYesHint, "Answer yes|Right arrow: the examinee answered yes", "Ответ да|Стрелка вправо: субъект ответил да"},
    {TestNoHint, "Answer no|Left arrow: the examinee answered no", "Ответ нет|Стрелка влево: субъект ответил нет"},
    {TestAbortHint, "Abort|Esc aborts the test", "Прервать|Esc прерывает тест"},
    {TestUnitHint, "Sensor unit|F2 tunes all channels afresh", "Блок датчиков|F2 заново настраивает все каналы"},
    {TestArtefactHint, "Artefact|F5 ... F8 mark an artefact", "Артефакт|F5 ... F8 отмечают артефакт"},
    {TestPaused, "Pause\n(F9)", "Пауза\n(F9)"},
    {TestResistanceHint, "Click: skin resistance or phase message", "Щелчок: сопротивление кожи или сообщение фазы"},
};

}  // namespace

std::span<const core::TextPair> recordingTexts() {
    return kTexts;
}

}  // namespace lumo::txt
