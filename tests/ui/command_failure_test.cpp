#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "app/workstation_commands.h"
#include "core/clock.h"
#include "core/test_home.h"
#include "core/ui/main_window.h"
#include "core/workstation.h"
#include "platform/help_viewer.h"
#include "platform/installed_data.h"
#include "scoring/chart_fixture.h"
#include "scoring/workspace.h"

namespace lumo::core::ui {
namespace {

namespace fs = std::filesystem;

// Every modal window that opens is written down and closed, so a window
// that did not fail cannot hold the test up.
class ModalCloser {
public:
    ModalCloser() {
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr) return;
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                opened.append("box: " + box->text());
            } else {
                opened.append(modal->metaObject()->className());
            }
            if (auto* dialog = qobject_cast<QDialog*>(modal)) {
                // Past the window's own questions on the way out.
                dialog->QDialog::done(QDialog::Rejected);
            } else {
                modal->close();
            }
        });
        timer_.start();
    }

    QStringList opened;

private:
    QTimer timer_;
};

// The workstation as the program wires it, on a home with one examinee whose
// exam 01 holds two recorded charts, the installed templates and bank.
class CommandFailureTest : public ::testing::Test {
public:
    void SetUp() override {
        workspace.allocateLazily();
        for (int k = 1; k <= 2; ++k) recipe.charts.push_back(test::regularChart(recipe.signs, 6, static_cast<std::uint32_t>(k)));
        test::writeExam(home.path(), recipe);
        fs::remove(home / "lumo7w.ini");
        platform::seedDataHome(home.path(), false);
        test::writeLines(folder() / "subject.dat",
                         {"Name=Petrov", "Operator=Operator 1", "Date=07-03-2001", "Archive= "});
    }

    void start(const std::string& language = "ENG") {
        ws = std::make_unique<Workstation>(home.path(), std::make_unique<ManualClock>());
        ws->initialise();
        ws->settings().list().setValue("Language", language);
        ws->settings().list().setValue("UnitDevice", "SIM");
        ws->records().makeCurrent(ws->records().examinees().at(0));
        main = std::make_unique<TfrmMain>(*ws);
        main->setErrorFunction([this](const QString&, const QString& text) { errors.append(text); });
        app::HelpViewerAccess helpAccess;
        helpAccess.open = [this]() -> platform::HelpViewer& {
            if (!help) help = std::make_unique<platform::HelpViewer>(home.path() / "help", ws->texts());
            return *help;
        };
        helpAccess.close = [this] { help.reset(); };
        app::installWorkstationCommands(*main, *ws, workspace, helpAccess);
        main->show();
        main->refreshStatus();
    }

    fs::path folder() const { return test::examineeFolder(home.path(), recipe); }

    // Runs the command and reports what came of it.
    QString run(Command command) {
        errors.clear();
        ModalCloser closer;
        EXPECT_TRUE(main->commandAction(command) == nullptr || main->state().enabled(command))
            << static_cast<int>(command);
        main->runCommand(command);
        QString seen = errors.join(" | ");
        if (!closer.opened.isEmpty()) seen += " [opened: " + closer.opened.join(", ") + "]";
        return seen;
    }

    test::TempHome home;
    test::ExamRecipe recipe;
    scoring::ScoringWorkspace workspace;
    std::unique_ptr<Workstation> ws;
    std::unique_ptr<TfrmMain> main;
    std::unique_ptr<platform::HelpViewer> help;
    QStringList errors;
};

// A file cut to its first `bytes` bytes.
void cutShort(const fs::path& file, std::size_t bytes) {
    test::writeFile(file, test::readFile(file).substr(0, bytes));
}

// A folder the window must list replaced by a plain file.
void replaceByFile(const fs::path& folder) {
    fs::remove_all(folder);
    test::writeFile(folder, "not a folder");
}

void damageSetting(CommandFailureTest& t, const std::string& key, const std::string& value) {
    t.ws->settings().list().setValue(key, value);
}

// A results table cut after its head: the exam list still reads it, its rows are gone.
constexpr std::size_t kResultsHeadBytes = 400;

struct Failure {
    Command command;
    std::function<void(CommandFailureTest&)> damage;
    const char* message;  // the command's message, "" when it has none
    const char* error;    // the start of the error's own text
};

// Each command's window made to fail by what it reads when it opens; the
// error box holds the command's message, a line break and the error's text,
// and the main window goes on working.
TEST_F(CommandFailureTest, EachCommandReportsItsWindowsFailureWithItsOwnMessage) {
    const std::vector<Failure> failures = {
        {Command::ChooseExaminee, [](auto& t) { damageSetting(t, "Eng_MaxCrime", "some"); },
         "Not enough system resources to call Examinees list", "'some' is not a valid integer value"},
        {Command::NewExaminee, [](auto& t) { damageSetting(t, "Eng_MaxCrime", "some"); },
         "Not enough system resources to enter new Examinee", "'some'"},
        {Command::EditExaminee, [](auto& t) { damageSetting(t, "Eng_MaxCrime", "some"); },
         "Not enough system resources to edit Examinee data", "'some'"},
        {Command::ExamineeState, [](auto& t) { damageSetting(t, "SpyDelay0", "soon"); },
         "Not enough system resources to test Examinee ANS state", "'soon'"},
        // The method chooser comes first and speaks for itself.
        {Command::NewTemplate, [](auto& t) { damageSetting(t, "NMethod", "six"); },
         "Not enough system resources to describe template format", "'six'"},
        {Command::EditSelectedTemplate, [](auto& t) { test::writeFile(t.home / "QST" / "LEAK.QS2", "garbage\r\n"); },
         "It is impossible to use template editor because of system resources lack\n"
         "You may try to close some applications and call this menu item again",
         "Line 1 of template LEAK.QS2"},
        {Command::QuestionBase, [](auto& t) { replaceByFile(t.home / "BNK"); },
         "Not enough system resources to edit Questions Base", "Cannot list folder"},
        {Command::HandResults, [](auto& t) { cutShort(t.folder() / "exam_01.qt1", kResultsHeadBytes); },
         "Not enough system resources to view exam results", "Read beyond end of file"},
        {Command::SystemParameters, [](auto& t) { damageSetting(t, "QuestionTime", "long"); },
         "It is impossible to call System customizer because of system resources lack\n"
         "You may try to close some applications and choose this menu item again",
         "'long'"},
        {Command::Crimes, [](auto& t) { damageSetting(t, "Eng_MaxCrime", "some"); },
         "Not enough system resources to call crimes list", "'some'"},
        // Commands without a message of their own show the error alone.
        {Command::Operators, [](auto& t) { damageSetting(t, "MaxUser", "ten"); }, "", "'ten'"},
        {Command::EditExam, [](auto& t) { cutShort(t.folder() / "exam_01.qs_", 40); }, "", "List index out of bounds"},
        {Command::ExamResults, [](auto& t) { test::writeFile(t.folder() / "exam_01.ch1", std::string(200, 'x')); },
         "", ""},
    };
    for (const Failure& failure : failures) {
        SCOPED_TRACE(failure.message);
        SetUp();
        start();
        failure.damage(*this);
        const std::string expected =
            *failure.message == '\0' ? failure.error : std::string(failure.message) + "\n" + failure.error;
        const QString seen = run(failure.command);
        EXPECT_TRUE(seen.startsWith(QString::fromStdString(expected))) << static_cast<int>(failure.command) << ": "
                                                                       << seen.toStdString();
        EXPECT_FALSE(seen.isEmpty() || seen.contains("[opened")) << seen.toStdString();
        // Still at work: the caption is the examinee's and the next command opens its window.
        EXPECT_TRUE(main->windowTitle().contains("#0000001 / EXAM_01"));
        if (failure.command == Command::Operators) {
            EXPECT_EQ(run(Command::ChooseOrder), " [opened: lumo::authoring::ui::TfrmTestOrder]");
        } else {
            EXPECT_EQ(run(Command::Operators), " [opened: lumo::admin::ui::TfrmUsers]");
        }
        main.reset();
        ws.reset();
        recipe = {};
        fs::remove_all(home.path());
    }
}

TEST_F(CommandFailureTest, TheErrorBoxSpeaksTheCurrentLanguage) {
    start("RUS");
    // The crime keys keep the prefix of the language the settings loaded with.
    damageSetting(*this, "Eng_MaxCrime", "some");
    EXPECT_TRUE(run(Command::Crimes)
                    .startsWith(QString::fromUtf8("Недостаточно системных ресурсов для вызова списка преступлений\n'some'")));
    damageSetting(*this, "NMethod", "six");
    EXPECT_TRUE(run(Command::NewTemplate)
                    .startsWith(QString::fromUtf8("Недостаточно системных ресурсов для задания формата бланка\n")));
}

}  // namespace
}  // namespace lumo::core::ui
