#pragma once

#include <QDialog>

namespace lumo::core {
class MainWindowState;
}

namespace lumo::core::ui {

// The splash at start and the About box: the product name picture and the
// version line. Any key or a click anywhere closes it.
class TfrmAbout : public QDialog {
    Q_OBJECT

public:
    explicit TfrmAbout(const MainWindowState& state, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace lumo::core::ui
