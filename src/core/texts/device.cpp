#include "core/texts/device.h"

namespace lumo::txt {

namespace {

constexpr core::TextPair kTexts[] = {
    // Channel tuning
    {SpyDataReadyFailed, "Spy.DataReady failed on ", "Spy.DataReady вылетела по "},

    // Calibration window: instructions and results
    {CalibratePlugSensors,
     "Plug all sensors to their slots, plug adjusting device to the GSC slot and press 'Enter' key on the computer's "
     "keyboard",
     "Подключите все датчики к их разъемам, подключите юстировочное устройство к разъему КГР и нажмите клавишу "
     "'Enter' на клавиатуре компьютера"},
    {CalibrateAcquiring, "Data acquisition is running", "Идет сбор данных"},
    {CalibratePushButton, "Push button on adjusting device and keep it pressed down until data acquisition finishes",
     "Нажмите кнопку на юстировочном устройстве и удерживайте ее до окончания сбора данных"},
    {CalibrateDeviceFailure, "Adjusting device is unplugged or has a failure",
     "Юстировочное устройство не подключено или неисправно"},
    {CalibrateComplete, "Adjusting is complete", "Юстировка завершена"},

    // Serial port of the unit: why it cannot be opened
    {SerialPortMissing, "The serial port %s does not exist", "Последовательный порт %s не существует"},
    {SerialPortNoPermission,
     "No permission to use the serial port %s: the user must belong to the group \"%s\" that owns it. "
     "Add the user to it with \"sudo usermod -a -G %s %s\" and log in again",
     "Нет прав на последовательный порт %s: пользователь должен входить в группу \"%s\", владеющую им. "
     "Добавьте пользователя в группу командой \"sudo usermod -a -G %s %s\" и войдите в систему заново"},
    {SerialPortCannotOpen, "Cannot open the serial port %s: %s", "Не удается открыть последовательный порт %s: %s"},
};

}  // namespace

std::span<const core::TextPair> deviceTexts() {
    return kTexts;
}

}  // namespace lumo::txt
