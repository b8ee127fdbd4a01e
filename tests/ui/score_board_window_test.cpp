#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <memory>
#include <string>
#include <variant>

#include "core/clock.h"
#include "core/errors.h"
#include "core/test_home.h"
#include "core/workstation.h"
#include "recording/ui/frm_tablo.h"
#include "ui/accessible_names.h"
#include "ui/test_window_events.h"

namespace lumo::recording::ui {
namespace {

class ScoreBoardWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::installSettings(home.path());
        ws = std::make_unique<core::Workstation>(home.path(), std::make_unique<core::ManualClock>());
        ws->initialise();
        input.selection = "3*2";
        for (int u = 1; u <= kBoardFeatures; ++u) input.titles[u - 1] = ws->settings().parameterName(u);
        for (int k = 0; k < core::kErrorMessageCount; ++k) input.errorMessages[k] = ws->settings().errorMessage(k);
        input.marks = {1, 1, 0, 0, -1004, 1, -1, 0, 0, 0, 0, 0};
        input.breathRate = 14.5F;
        input.meanResistance = 122.5;
        input.pulseRate = 71.25F;
    }

    void open(const std::string& language = "ENG", QWidget* parent = nullptr) {
        ws->settings().list().setValue("Language", language);
        window = std::make_unique<TfrmTablo>(*ws, input, parent);
        window->show();
        QApplication::setActiveWindow(window.get());
        QApplication::processEvents();
    }
    QString text(const char* name) const { return window->findChild<QLabel*>(name)->text(); }
    QImage painted() const { return window->boardPanel()->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    QRgb pixel(const QImage& image, BoardPoint at) const {
        const qreal ratio = image.devicePixelRatio();
        return image.pixel(static_cast<int>(at.x * ratio), static_cast<int>(at.y * ratio));
    }
    // A pixel inside the first bar of the picture.
    BoardPoint insideFirstBar() const {
        for (const BoardItem& item : window->picture().items) {
            if (const auto* bar = std::get_if<BoardRect>(&item)) {
                return {(bar->from.x + bar->to.x) / 2, bar->from.y + 2};
            }
        }
        return {};
    }

    test::TempHome home;
    std::unique_ptr<core::Workstation> ws;
    ScoreBoardInput input;
    std::unique_ptr<TfrmTablo> window;
};

TEST_F(ScoreBoardWindowTest, NamedControlsShowTheRowAndItsValues) {
    open();
    EXPECT_EQ(test::unnamedControls(*window), "");
    EXPECT_EQ(window->windowTitle(), "Stress Anatomy");
    EXPECT_EQ(text("lblData"), "Qst < 3 >");
    EXPECT_EQ(text("lblPnevC"), "Breath (min) :");
    EXPECT_EQ(text("lblR"), "Resist. (kOm):");
    EXPECT_EQ(text("lblPul"), "P u l s e   (min):");
    EXPECT_EQ(text("lblPnev"), "14.50");
    EXPECT_EQ(text("lblCond"), "122");
    EXPECT_EQ(text("lblPuls"), "71.25");
    EXPECT_TRUE(window->rowLabel()->font().bold());
    EXPECT_TRUE(window->breathValue()->font().bold());
    EXPECT_EQ(window->okButton()->text(), "OK");
    EXPECT_TRUE(window->okButton()->isDefault());
    // The board tells a screen reader what it shows: titles, marks, missing texts and the total.
    const QString description = window->boardPanel()->accessibleDescription();
    EXPECT_TRUE(description.startsWith("Rsp.Amp +1 Rsp.Rate +1 Rsp.Line GSC.Peak GSC.Span NoPwr")) << description.toStdString();
    EXPECT_TRUE(description.endsWith("TOTAL +2")) << description.toStdString();
    // It opens in the top-left corner of its screen.
    EXPECT_EQ(window->pos(), window->screen()->geometry().topLeft());
}

TEST_F(ScoreBoardWindowTest, RussianTexts) {
    open("RUS");
    EXPECT_EQ(test::unnamedControls(*window), "");
    EXPECT_EQ(window->windowTitle(), "Анатомия стресса");
    EXPECT_EQ(text("lblData"), "Вопрос < 3 >");
    EXPECT_EQ(text("lblPnevC"), "Дыхание (мин) :");
    EXPECT_EQ(text("lblR"), "Сопротив.(кОм):");
    EXPECT_EQ(text("lblPul"), "П у л ь с   (мин):");
    EXPECT_TRUE(window->boardPanel()->accessibleDescription().endsWith("ИТОГ +2"));
}

TEST_F(ScoreBoardWindowTest, EnterEscAndOkClose) {
    for (const int key : {int(Qt::Key_Escape), int(Qt::Key_Return), int(Qt::Key_Enter), 0}) {
        open();
        if (key == 0) {
            window->okButton()->click();
        } else {
            test::pressKey(window.get(), key);
        }
        EXPECT_FALSE(window->isVisible()) << key;
    }
}

TEST_F(ScoreBoardWindowTest, PaintsThePictureTheSameOnEveryRepaint) {
    open();
    const QImage first = painted();
    // Another window over the board, then gone: the board is painted afresh.
    {
        QWidget cover;
        cover.setGeometry(window->geometry());
        cover.show();
        QApplication::processEvents();
    }
    window->boardPanel()->repaint();
    QApplication::processEvents();
    EXPECT_EQ(painted(), first);

    // The panel paints exactly the engine's picture, with the panel's font.
    QImage direct(first.size(), QImage::Format_RGB32);
    direct.setDevicePixelRatio(first.devicePixelRatio());
    direct.fill(Qt::white);
    {
        QPainter painter(&direct);
        painter.setFont(window->boardPanel()->font());
        paintBoard(painter, window->picture());
    }
    EXPECT_EQ(direct, first);

    EXPECT_EQ(pixel(first, insideFirstBar()), qRgb(192, 192, 192));
    EXPECT_EQ(pixel(first, {2, window->boardPanel()->height() - 3}), qRgb(0, 0, 0));
}

TEST_F(ScoreBoardWindowTest, StaysBlackUnderAStyleSheet) {
    QWidget parent;
    parent.setStyleSheet("QWidget { background: white; color: black; }");
    open("ENG", &parent);
    const QImage image = painted();
    EXPECT_EQ(pixel(image, {2, window->boardPanel()->height() - 3}), qRgb(0, 0, 0));
    EXPECT_EQ(pixel(image, insideFirstBar()), qRgb(192, 192, 192));
    window.reset();
}

TEST_F(ScoreBoardWindowTest, ShowScoreBoardRunsModallyUntilClosed) {
    ws->settings().list().setValue("Language", "ENG");
    QString shown;
    QTimer::singleShot(0, [&shown] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        shown = modal->findChild<QLabel*>("lblData")->text();
        test::pressKey(modal, Qt::Key_Escape);
    });
    showScoreBoard(nullptr, *ws, input);
    EXPECT_EQ(shown, "Qst < 3 >");

    input.selection = "*2";
    EXPECT_THROW(showScoreBoard(nullptr, *ws, input), EConvertError);
}

}  // namespace
}  // namespace lumo::recording::ui
