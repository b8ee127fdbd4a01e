#include "authoring/question_editor.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/file_size_limit.h"
#include "authoring/template_chooser.h"
#include "authoring/template_store.h"
#include "core/clock.h"
#include "core/errors.h"
#include "core/test_home.h"
#include "core/workstation.h"

namespace lumo::authoring {
namespace {

namespace fs = std::filesystem;
using Kind = QuestionEditor::SaveResult::Kind;
using Lines = std::vector<std::string>;

class QuestionEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::writeMinimalIni(home.path());
        ws = std::make_unique<core::Workstation>(home.path(), std::make_unique<core::ManualClock>());
        ws->initialise();
        fs::create_directories(home / "QST");
    }
    std::unique_ptr<QuestionEditor> skeleton(int method, int count) {
        auto editor = std::make_unique<QuestionEditor>(*ws);
        TemplateSkeleton given{method, "Method : Test", {}};
        for (int i = 1; i <= count; ++i) given.rows.push_back({rowNumber(i), " N1", "-", "Question " + std::to_string(i) + "?"});
        editor->setSkeleton(given);
        return editor;
    }
    QuestionEditor::SaveResult save(QuestionEditor& editor) {
        return editor.save([this](const std::string& question) {
            asked.push_back(question);
            return overwrite;
        });
    }

    test::TempHome home;
    std::unique_ptr<core::Workstation> ws;
    Lines asked;
    bool overwrite = true;
};

TEST_F(QuestionEditorTest, SavesTheTemplateByteForByte) {
    auto editor = skeleton(3, 5);
    editor->rows().change({1, QuestionRows::Column::Sign}, "R");
    editor->rows().change({1, QuestionRows::Column::Text}, "Is it  you.  Really?");
    editor->setFileName("Theft");
    const QuestionEditor::SaveResult result = save(*editor);
    ASSERT_EQ(result.kind, Kind::Saved) << result.message;
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(test::readFile(home / "QST/Theft.QS3"),
              " 1. N1.-.Question 1?\r\n 2. R1.-.Is it  you.  Really?\r\n 3. N2.-.Question 3?\r\n"
              " 4. N3.-.Question 4?\r\n 5. N4.-.Question 5?\r\n");
    EXPECT_EQ(editor->printHeading(), "File Name : Theft");
    EXPECT_EQ(editor->printLines().size(), 5u);

    // Loading it back gives the same rows, method and caption.
    QuestionEditor loaded(*ws);
    loaded.loadTemplate(home / "QST/Theft.QS3");
    EXPECT_EQ(loaded.method(), 3);
    EXPECT_EQ(loaded.fileName(), "Theft");
    EXPECT_EQ(loaded.caption(), "Method : Control question");
    EXPECT_EQ(loaded.rows().rowsInUse(), editor->rows().rowsInUse());
}

TEST_F(QuestionEditorTest, AnExistingTemplateOfTheSameMethodIsOverwrittenOnlyOnYes) {
    test::writeLines(home / "QST/THEFT.qs3", {" 1. N1.-.Old?"});
    auto editor = skeleton(3, 5);
    editor->setFileName("theft");
    overwrite = false;
    EXPECT_EQ(save(*editor).kind, Kind::Declined);
    EXPECT_EQ(asked, (Lines{"Template with the same name already exists. Overwrite?"}));
    EXPECT_EQ(test::readFile(home / "QST/THEFT.qs3"), " 1. N1.-.Old?\r\n");

    // The same name under another method is another file: no question.
    asked.clear();
    auto other = skeleton(4, 5);
    other->setFileName("theft");
    EXPECT_EQ(save(*other).kind, Kind::Saved);
    EXPECT_TRUE(asked.empty());
    EXPECT_TRUE(fs::exists(home / "QST/theft.QS4"));

    overwrite = true;
    EXPECT_EQ(save(*editor).kind, Kind::Saved);
    EXPECT_EQ(asked.size(), 1u);
    // Written over the file as it is spelt on disk.
    EXPECT_EQ(listTemplates(home / "QST"), (Lines{"THEFT.qs3", "theft.QS4"}));
    EXPECT_EQ(editor->fileName(), "THEFT");
}

TEST_F(QuestionEditorTest, BadNamesAndFileFailuresAreReportedAndWriteNothing) {
    auto editor = skeleton(1, 5);
    const auto failure = [&](const std::string& name) {
        editor->setFileName(name);
        const QuestionEditor::SaveResult result = save(*editor);
        EXPECT_EQ(result.kind, Kind::FileError) << name;
        return result.message;
    };
    EXPECT_EQ(failure(""), "Error creating file .QS1 :\nTemplate name is empty");
    EXPECT_EQ(failure("a/b"), "Error creating file a/b.QS1 :\nA template name may not hold \"/\", \"\\\", \"..\" or control characters");
    EXPECT_NE(failure("..").find("may not hold"), std::string::npos);
    EXPECT_NE(failure(std::string("a\0b", 3)).find("may not hold"), std::string::npos);
    EXPECT_NE(failure(std::string(300, 'n')).find("The template name is too long"), std::string::npos);
    EXPECT_TRUE(asked.empty());
    EXPECT_TRUE(listTemplates(home / "QST").empty());

    // The template folder cannot be made: a creation error.
    fs::remove_all(home / "QST");
    test::writeFile(home / "QST", "not a folder");
    EXPECT_EQ(failure("Theft").rfind("Error creating file Theft.QS1 :\n", 0), 0u);
    fs::remove(home / "QST");
    fs::create_directories(home / "QST");

    // A full disk while writing: a write error, the old template intact.
    test::writeLines(home / "QST/Theft.QS1", {" 1. N1.-.Old?"});
    std::string message;
    {
        test::FileSizeLimit limit(20);
        message = failure("Theft");
    }
    EXPECT_EQ(message.rfind("Write error at file Theft.QS1 :\n", 0), 0u) << message;
    EXPECT_EQ(test::readFile(home / "QST/Theft.QS1"), " 1. N1.-.Old?\r\n");
    EXPECT_EQ(listTemplates(home / "QST"), (Lines{"Theft.QS1"}));
}

TEST_F(QuestionEditorTest, ARowFaultStopsTheSaveBeforeTheName) {
    auto editor = skeleton(1, 5);
    editor->rows().change({3, QuestionRows::Column::Text}, std::string(121, 'x'));
    const QuestionEditor::SaveResult result = save(*editor);
    EXPECT_EQ(result.kind, Kind::Fault);
    EXPECT_EQ(result.message, "Too big question text at line 4");
    EXPECT_EQ(result.field, (QuestionRows::Field{3, QuestionRows::Column::Text}));
}

TEST_F(QuestionEditorTest, DamagedTemplatesAreRefusedWithFileAndLine) {
    const auto error = [&](const std::vector<std::string>& lines) -> std::string {
        test::writeLines(home / "QST/bad.QS2", lines);
        QuestionEditor editor(*ws);
        try {
            editor.loadTemplate(home / "QST/bad.QS2");
        } catch (const EInOutError& e) {
            EXPECT_EQ(editor.rows().count(), 0);
            return e.what();
        }
        return "loaded";
    };
    EXPECT_EQ(error({" 1. N1.-.Fine?", "no full stops"}),
              "Line 2 of template bad.QS2 is not a question (number.sign.answer.text)");
    EXPECT_EQ(error({" 1. N1.-.Fine?", std::string("\x01\x02junk.x.y.z", 12)}),
              "Line 2 of template bad.QS2 holds characters that are not text");
    EXPECT_EQ(error({" 1. N1.-." + std::string(121, 'q')}),
              "The question in line 1 of template bad.QS2 is longer than 120 characters");
    EXPECT_EQ(error(Lines(21, " 1. N1.-.Q?")), "Template bad.QS2 holds more than 20 questions");
    // Blank lines carry no question; 20 questions and 120 characters are fine.
    Lines twenty(20, " 1. N1.-." + std::string(119, 'q') + "?");
    twenty.insert(twenty.begin() + 3, "   ");
    EXPECT_EQ(error(twenty), "loaded");
    EXPECT_NE(error({}).find("loaded"), std::string::npos);
    QuestionEditor missing(*ws);
    EXPECT_THROW(missing.loadTemplate(home / "QST/none.QS1"), EInOutError);
}

TEST_F(QuestionEditorTest, TheChooserListsPreviewsAndDeletes) {
    test::writeLines(home / "QST/b.QS2", {" 1. R1.-.Were you there?", " 2. Q1.+.Odd?"});
    test::writeLines(home / "QST/a.qs1", {" 1. N1.-.Neutral?"});
    test::writeLines(home / "QST/c.QS7", {" 1. N1.-.Not a method?"});
    test::writeLines(home / "QST/d.QS6", {"broken"});
    fs::create_directories(home / "QST/e.QS1");
    TemplateChooser chooser(*ws);
    EXPECT_EQ(chooser.names(), (Lines{"a.qs1", "b.QS2", "d.QS6"}));
    EXPECT_EQ(chooser.selected(), 0);
    chooser.select(1);
    EXPECT_EQ(chooser.methodCaption(), "Method : Peak of tension");
    const auto preview = chooser.preview();
    ASSERT_EQ(preview.size(), 2u);
    EXPECT_EQ(preview[0].text, " 1. R1.-.Were you there?");
    EXPECT_EQ(preview[0].colour, (core::Rgb{0, 0, 255}));
    EXPECT_EQ(preview[1].colour, (core::Rgb{0, 0, 0}));  // no type: black
    EXPECT_EQ(chooser.printHeading(), "File Name : b");
    EXPECT_EQ(chooser.printLines().size(), 2u);
    chooser.select(2);
    ASSERT_EQ(chooser.preview().size(), 1u);
    EXPECT_EQ(chooser.preview()[0].text, "Line 1 of template d.QS6 is not a question (number.sign.answer.text)");

    // Deleting keeps the position, or goes to the last entry.
    chooser.select(1);
    EXPECT_TRUE(chooser.deleteSelected());
    EXPECT_EQ(chooser.names(), (Lines{"a.qs1", "d.QS6"}));
    EXPECT_EQ(chooser.selected(), 1);
    EXPECT_TRUE(chooser.deleteSelected());
    EXPECT_EQ(chooser.selected(), 0);
    EXPECT_FALSE(chooser.deleteSelected());
    EXPECT_TRUE(chooser.empty());
    EXPECT_EQ(chooser.selected(), -1);
    EXPECT_TRUE(fs::exists(home / "QST/c.QS7"));
}

}  // namespace
}  // namespace lumo::authoring
