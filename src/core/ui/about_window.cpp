#include "core/ui/about_window.h"

#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "core/main_window_state.h"

namespace lumo::core::ui {

TfrmAbout::TfrmAbout(const MainWindowState& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName("frmAbout");
    setModal(true);
    setStyleSheet(
        "#frmAbout { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fdfcf4, stop:1 #e4ecf5);"
        " border: 2px solid #1f4e79; }"
        "#lblVersion { color: #1f4e79; }");

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(48, 36, 48, 28);
    layout->setSpacing(18);

    auto* picture = new QLabel(this);
    picture->setObjectName("imgProductName");
    picture->setAlignment(Qt::AlignCenter);
    const QString file = state.cyrillicProductName() ? QStringLiteral(":/images/product_name_cyr.svg")
                                                     : QStringLiteral(":/images/product_name_lat.svg");
    // Width from the font so the picture keeps its place on dense screens.
    const int width = fontMetrics().averageCharWidth() * 48;
    picture->setPixmap(QIcon(file).pixmap(QSize(width, width * 130 / 340)));
    layout->addWidget(picture);

    auto* version = new QLabel(QString::fromStdString(state.versionLine()), this);
    version->setObjectName("lblVersion");
    version->setAlignment(Qt::AlignCenter);
    QFont font = version->font();
    font.setPointSizeF(font.pointSizeF() * 1.6);
    font.setBold(true);
    version->setFont(font);
    layout->addWidget(version);

    auto* logo = new QLabel(this);
    logo->setAlignment(Qt::AlignCenter);
    const int side = fontMetrics().height() * 3;
    logo->setPixmap(QIcon(QStringLiteral(":/images/logo.svg")).pixmap(QSize(side, side)));
    layout->addWidget(logo);

    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmAbout::keyPressEvent(QKeyEvent* event) {
    event->accept();
    accept();
}

void TfrmAbout::mousePressEvent(QMouseEvent* event) {
    event->accept();
    accept();
}

}  // namespace lumo::core::ui
