#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "authoring/ui/question_list_printing.h"
#include "core/clock.h"
#include "core/printed_page.h"
#include "core/test_home.h"
#include "core/workstation.h"
#include "platform/page_painter.h"
#include "platform/print_job.h"

namespace lumo::authoring::ui {
namespace {

namespace fs = std::filesystem;

// Pages of a PDF file as Qt writes them: one "/Type /Page" object each.
int pdfPages(const std::string& bytes) {
    int pages = 0;
    for (std::size_t at = bytes.find("/Type /Page"); at != std::string::npos; at = bytes.find("/Type /Page", at + 1)) {
        if (bytes.compare(at, 12, "/Type /Pages") != 0) ++pages;
    }
    return pages;
}

std::vector<std::string> template20() {
    std::vector<std::string> lines;
    for (int k = 1; k <= 20; ++k) {
        lines.push_back((k < 10 ? " " : "") + std::to_string(k) + ". R" + std::to_string(k) + ".-.Question " +
                        std::to_string(k) + " ?");
    }
    return lines;
}

class PrintQuestionListTest : public ::testing::Test {
protected:
    void start(const std::string& printer = "<PDF>", const std::string& language = "ENG") {
        test::installSettings(home.path());
        ws = std::make_unique<core::Workstation>(home.path(), std::make_unique<core::ManualClock>());
        ws->initialise();
        ws->settings().list().setValue("PrinterName", printer);
        ws->settings().list().setValue("Language", language);
        steps.printers = [this] { return installed; };
        steps.pdfFile = [this](QWidget*, const QString& caption, const QString& proposed) {
            asked.append(caption);
            proposals.append(proposed);
            return answer;
        };
        steps.error = [this](QWidget*, const QString&, const QString& text) { errors.append(text); };
        answer = QString::fromStdString((home / "print.pdf").string());
    }
    std::string pdf() const { return test::readFile(home / "print.pdf"); }

    test::TempHome home;
    std::unique_ptr<core::Workstation> ws;
    platform::PrintSteps steps;
    QStringList installed;
    QStringList asked;
    QStringList proposals;
    QStringList errors;
    QString answer;
};

TEST_F(PrintQuestionListTest, ATemplateGoesIntoOnePdfPage) {
    start();
    ASSERT_TRUE(printQuestionList(nullptr, *ws, "File Name : alpha", template20(), steps));
    EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
    EXPECT_EQ(asked, QStringList{"Print to PDF file"});
    EXPECT_TRUE(proposals.front().endsWith("LUMO7 Document.pdf"));
    const std::string bytes = pdf();
    ASSERT_GT(bytes.size(), 100u);
    EXPECT_EQ(bytes.substr(0, 4), "%PDF");
    EXPECT_EQ(pdfPages(bytes), 1);
    // The job title becomes the document's title (UTF-16 in the file).
    EXPECT_NE(bytes.find("/Title"), std::string::npos);
}

TEST_F(PrintQuestionListTest, LongListsTakeFurtherPages) {
    start();
    std::vector<std::string> lines;
    for (int k = 0; k < 6; ++k) {
        for (const std::string& line : template20()) lines.push_back(line);
    }
    ASSERT_TRUE(printQuestionList(nullptr, *ws, "Exam", lines, steps));
    EXPECT_GE(pdfPages(pdf()), 2);
}

TEST_F(PrintQuestionListTest, WithoutPrintersThePdfFileIsAskedForEvenForANamedPrinter) {
    start("Office laser");
    ASSERT_TRUE(printQuestionList(nullptr, *ws, "Heading", {" 1. N1.-.Is it ?"}, steps));
    EXPECT_EQ(asked.size(), 1);
    EXPECT_EQ(pdfPages(pdf()), 1);
}

TEST_F(PrintQuestionListTest, CancelledFileChoicePrintsNothing) {
    start();
    answer.clear();
    EXPECT_FALSE(printQuestionList(nullptr, *ws, "Heading", template20(), steps));
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_FALSE(fs::exists(home / "print.pdf"));
}

TEST_F(PrintQuestionListTest, AnUnwritableFileIsReportedInBothLanguages) {
    start();
    answer = QString::fromStdString((home / "no folder" / "print.pdf").string());
    EXPECT_FALSE(printQuestionList(nullptr, *ws, "Heading", template20(), steps));
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0], "Printer is not ready:\nCan not write the PDF file " + answer);

    ws->settings().list().setValue("Language", "RUS");
    EXPECT_FALSE(printQuestionList(nullptr, *ws, "Heading", template20(), steps));
    EXPECT_EQ(errors.last(), "Принтер не готов:\nНе могу записать файл PDF " + answer);
    EXPECT_EQ(asked.last(), "Печать в файл PDF");
}

TEST(PagePainterTest, DrawsRulesAndTextAtTheirPoints) {
    // 144 dots per inch: two pixels a point.
    QImage image(400, 200, QImage::Format_RGB32);
    image.setDotsPerMeterX(5669);
    image.setDotsPerMeterY(5669);
    image.fill(Qt::white);
    core::PrintedPage page;
    page.items.push_back(core::PageRule{{10, 50}, {190, 50}, 1});
    page.items.push_back(core::PageText{{100, 10}, "WWW", {"", 12, true}, core::TextAlign::Center});
    page.items.push_back(core::PagePolyline{{{10, 80}, {50, 80}, {50, 95}}, 1});
    {
        QPainter painter(&image);
        platform::paintPage(painter, page);
    }
    EXPECT_EQ(image.pixelColor(200, 100), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(10, 100), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(100, 160), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(100, 180), QColor(Qt::black));
    // The centred text covers the middle of its line and leaves the left margin white.
    int dark = 0;
    int darkLeft = 0;
    for (int y = 20; y < 50; ++y) {
        for (int x = 150; x < 250; ++x) dark += image.pixelColor(x, y).lightness() < 128 ? 1 : 0;
        for (int x = 0; x < 100; ++x) darkLeft += image.pixelColor(x, y).lightness() < 128 ? 1 : 0;
    }
    EXPECT_GT(dark, 50);
    EXPECT_EQ(darkLeft, 0);

    platform::DeviceTextMeasure measure(image);
    const core::TextStyle style{"", 12, false};
    EXPECT_GT(measure.lineHeight(style), 12);
    EXPECT_LT(measure.lineHeight(style), 24);
    EXPECT_NEAR(measure.width("WW", style), 2 * measure.width("W", style), 1);
}

}  // namespace
}  // namespace lumo::authoring::ui
