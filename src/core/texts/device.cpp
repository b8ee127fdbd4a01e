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
};

}  // namespace

std::span<const core::TextPair> deviceTexts() {
    return kTexts;
}

}  // namespace lumo::txt
