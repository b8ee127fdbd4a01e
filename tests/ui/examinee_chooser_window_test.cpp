#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <filesystem>

#include "admin/ui/frm_subjects.h"
#include "ui/accessible_names.h"
#include "ui/examinee_windows.h"
#include "ui/test_window_events.h"

namespace lumo::admin::ui {
namespace {

namespace fs = std::filesystem;

class ExamineeChooserWindowTest : public test::ExamineeWindowTest {
protected:
    std::unique_ptr<TfrmSubjects> open() {
        auto window = std::make_unique<TfrmSubjects>(*ws);
        window->setBoxes(boxes());
        window->show();
        return window;
    }
    static QStringList codes(const TfrmSubjects& window) {
        QStringList visible;
        for (int row = 0; row < window.grid()->rowCount(); ++row) {
            if (!window.grid()->isRowHidden(row)) visible.append(window.grid()->item(row, 0)->text());
        }
        return visible;
    }
    static void clickHeader(TfrmSubjects& window, SortColumn column) {
        QHeaderView* header = window.grid()->horizontalHeader();
        const int section = static_cast<int>(column);
        const QPoint at(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                        header->height() / 2);
        test::click(header->viewport(), Qt::LeftButton, at);
    }
    static QPoint rowCentre(const TfrmSubjects& window, int row) {
        return window.grid()->visualItemRect(window.grid()->item(row, 1)).center();
    }
};

TEST_F(ExamineeChooserWindowTest, ShowsTheRegisterWithItsColumnsAndCrimes) {
    ws->records().makeCurrent(ws->records().examinees().at(1));
    auto window = open();
    EXPECT_EQ(test::unnamedControls(*window), "");
    EXPECT_EQ(window->windowTitle(), "Choose / Delete Examinee");
    QTableWidget* grid = window->grid();
    ASSERT_EQ(grid->columnCount(), 6);
    QStringList titles;
    for (int c = 0; c < 6; ++c) titles.append(grid->horizontalHeaderItem(c)->text());
    EXPECT_EQ(titles, (QStringList{"File", "Examinee", "Date", "Issue", "Note", "Archd"}));
    EXPECT_EQ(grid->horizontalHeader()->sortIndicatorSection(), 2);
    EXPECT_EQ(grid->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_EQ(codes(*window), (QStringList{"#0000001", "#0000003"}));
    EXPECT_EQ(grid->item(0, 1)->text(), "Petrov");
    EXPECT_EQ(grid->item(1, 5)->textAlignment(), Qt::AlignCenter);
    EXPECT_EQ(grid->currentRow(), 1);  // the current examinee
    EXPECT_EQ(grid->accessibleName(), "Examinees :");

    QListWidget* crimes = window->crimeList();
    ASSERT_EQ(crimes->count(), 4);
    EXPECT_EQ(crimes->currentRow(), 0);
    EXPECT_EQ(crimes->accessibleName(), "Search by Crime :");
    // Theft has an examinee; the 20-character crime's examinee is not found by its first 15 characters.
    EXPECT_EQ(crimes->item(1)->foreground().color(), QColor(Qt::blue));
    EXPECT_NE(crimes->item(2)->foreground().color(), QColor(Qt::blue));
    EXPECT_NE(crimes->item(3)->foreground().color(), QColor(Qt::blue));
}

TEST_F(ExamineeChooserWindowTest, TheCrimeFilterHidesOtherRows) {
    auto window = open();
    window->crimeList()->setCurrentRow(2);  // the 20-character crime: nobody shown
    EXPECT_TRUE(codes(*window).isEmpty());
    window->crimeList()->setCurrentRow(1);
    EXPECT_EQ(codes(*window), QStringList{"#0000001"});
    EXPECT_EQ(window->grid()->currentRow(), 0);
    window->crimeList()->setCurrentRow(0);
    EXPECT_EQ(codes(*window).size(), 2);
}

TEST_F(ExamineeChooserWindowTest, SortDirectionSurvivesARestart) {
    {
        auto window = open();
        clickHeader(*window, SortColumn::Name);
        EXPECT_EQ(codes(*window), (QStringList{"#0000001", "#0000003"}));  // descending: Petrov, Ivanov
        clickHeader(*window, SortColumn::Name);
        EXPECT_EQ(window->grid()->horizontalHeader()->sortIndicatorOrder(), Qt::AscendingOrder);
        EXPECT_EQ(codes(*window), (QStringList{"#0000003", "#0000001"}));
        window->cancelButton()->click();
        EXPECT_EQ(window->result(), QDialog::Rejected);
    }
    restart();
    EXPECT_EQ(ws->settings().list().value("SortOrder"), "Name");
    EXPECT_EQ(ws->settings().list().value("Ascend"), "True");
    auto window = open();
    EXPECT_EQ(window->grid()->horizontalHeader()->sortIndicatorSection(), 1);
    EXPECT_EQ(codes(*window), (QStringList{"#0000003", "#0000001"}));
    // Twice on the same head: back to the first direction.
    clickHeader(*window, SortColumn::Name);
    clickHeader(*window, SortColumn::Name);
    EXPECT_EQ(codes(*window), (QStringList{"#0000003", "#0000001"}));
    // The keyboard sorts as the heads do: Ctrl+1 by code in the same direction, again reversed.
    test::pressKey(window->grid(), Qt::Key_1, Qt::ControlModifier);
    EXPECT_EQ(window->grid()->horizontalHeader()->sortIndicatorSection(), 0);
    EXPECT_EQ(codes(*window), (QStringList{"#0000001", "#0000003"}));
    test::pressKey(window->grid(), Qt::Key_1, Qt::ControlModifier);
    EXPECT_EQ(codes(*window), (QStringList{"#0000003", "#0000001"}));
}

TEST_F(ExamineeChooserWindowTest, EnterDoubleClickAndTheButtonChoose) {
    auto window = open();
    test::pressKey(window->grid(), Qt::Key_Down);
    test::pressKey(window->grid(), Qt::Key_Return);
    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_EQ(ws->records().current().record.fileCode, "#0000003");

    window = open();
    QWidget* viewport = window->grid()->viewport();
    const QPoint first = rowCentre(*window, 0);
    test::click(viewport, Qt::LeftButton, first);
    test::mouseButton(viewport, QEvent::MouseButtonDblClick, Qt::LeftButton, first);
    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_EQ(ws->records().current().record.fileCode, "#0000001");

    window = open();
    test::click(viewport = window->grid()->viewport(), Qt::LeftButton, rowCentre(*window, 1));
    window->chooseButton()->click();
    EXPECT_EQ(ws->records().current().record.fileCode, "#0000003");
    EXPECT_TRUE(shown.isEmpty());
}

TEST_F(ExamineeChooserWindowTest, DelAsksAndDeletesTheCurrentAndTheLastExaminee) {
    ws->records().makeCurrent(ws->records().examinees().at(0));
    auto window = open();
    answer = false;
    test::pressKey(window->grid(), Qt::Key_Delete);
    EXPECT_EQ(shown, QStringList{"confirm:Do you want to delete all info about the Examinee?"});
    EXPECT_EQ(codes(*window).size(), 2);

    answer = true;
    test::pressKey(window->grid(), Qt::Key_Delete);
    EXPECT_FALSE(fs::exists(home / "DAT" / "#0000001"));
    EXPECT_FALSE(ws->records().current().isSet());
    EXPECT_EQ(codes(*window), QStringList{"#0000003"});
    EXPECT_TRUE(window->isVisible());
    // The crime of the deleted examinee has nobody left.
    EXPECT_NE(window->crimeList()->item(1)->foreground().color(), QColor(Qt::blue));

    window->deleteButton()->click();
    EXPECT_EQ(shown.last(), "inform:There are no more Examinees to choose");
    EXPECT_EQ(window->result(), QDialog::Rejected);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(ws->records().examinees().empty());
}

TEST_F(ExamineeChooserWindowTest, AFolderThatCannotBeRemovedKeepsTheExaminee) {
    auto window = open();
    window->chooser().setFolderRemover([](const fs::path&) { return false; });
    window->deleteButton()->click();
    EXPECT_EQ(shown.last(), "error:Can not delete Examinee info");
    EXPECT_EQ(codes(*window).size(), 2);
    EXPECT_EQ(ws->records().examinees().size(), 2u);
}

TEST_F(ExamineeChooserWindowTest, AnEmptyRegisterClosesAtOnce) {
    fs::remove_all(home / "DAT");
    start();
    TfrmSubjects window(*ws);
    window.setBoxes(boxes());
    EXPECT_EQ(window.exec(), QDialog::Rejected);
    EXPECT_EQ(shown, QStringList{"inform:There are no Examinees to choose"});
}

TEST_F(ExamineeChooserWindowTest, BuildsInRussian) {
    start("RUS");
    auto window = open();
    EXPECT_EQ(window->windowTitle(), "Выбор / удаление субъекта");
    EXPECT_EQ(window->crimeList()->item(1)->text(), "Кража");
    EXPECT_EQ(window->grid()->horizontalHeaderItem(1)->text(), "Субъект");
    EXPECT_EQ(test::unnamedControls(*window), "");
    window->grid()->setFocus();
    EXPECT_TRUE(window->hintPanelText().startsWith("Enter или двойной щелчок"));
}

}  // namespace
}  // namespace lumo::admin::ui
