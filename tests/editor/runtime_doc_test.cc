#include "editor/runtime_doc.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "platform/file_system.h"
#include "support/recording_desktop.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace qlr {
namespace {

using Texts = std::vector<std::string>;

constexpr const char* kClipboardQuestion =
    "Would you like the job description putting on the Windows clipboard?";

class RuntimeDocTest : public ::testing::Test {
 protected:
  RuntimeDocTest() {
    s_.IniFile = dir_.File("night.ini");
    s_.JobDocPath = dir_.File("docs");
    s_.TextEditor = "xdg-open";
    std::filesystem::create_directory(s_.JobDocPath);
    for (auto [name, description] : {std::pair{"PAY1", "  Monthly pay run "}, {"NODESC", ""}}) {
      s_.Jobs.emplace_back();
      s_.Jobs.back().JobName = name;
      s_.Jobs.back().Description = description;
    }
  }
  std::string Doc(const char* name) const { return dir_.File(std::string("docs/") + name); }

  testing::TempDir dir_;
  Schedule s_;
  testing::ScriptedOperator op_;
  testing::RecordingDesktop desktop_;
};

TEST_F(RuntimeDocTest, EditJobDocCreatesAsksAndStartsTheEditor) {
  const std::string created = "New Job Documentation file created.";
  struct Case {
    const char* label;
    const char* job;
    bool has_template = true, file_exists = false, doc_path = true, editor_starts = true;
    std::optional<Answer> answer = {};
    Texts asked = {}, told = {}, clipboard = {};
    bool edited = true;
    const char* content = "notes";  // of the job's file afterwards; nullptr: none
  };
  const Case cases[] = {
      {.label = "template, description, Yes",
       .job = "pay1",
       .answer = Answer::Yes,
       .asked = {created + "  " + kClipboardQuestion},
       .clipboard = {"Monthly pay run"}},
      {.label = "template, description, No",
       .job = "PAY1",
       .answer = Answer::No,
       .asked = {created + "  " + kClipboardQuestion}},
      {.label = "template, no description", .job = "NODESC", .asked = {created}},
      {.label = "no template, description: the question alone, no file",
       .job = "PAY1",
       .has_template = false,
       .answer = Answer::Yes,
       .asked = {kClipboardQuestion},
       .clipboard = {"Monthly pay run"},
       .content = nullptr},
      {.label = "no template, no description",
       .job = "NODESC",
       .has_template = false,
       .asked = {""},
       .content = nullptr},
      {.label = "existing file: no message", .job = "PAY1", .file_exists = true, .content = "mine"},
      {.label = "unknown job", .job = "NOBODY", .edited = false, .content = nullptr},
      {.label = "no JobDocPath",
       .job = "PAY1",
       .doc_path = false,
       .told = {"No Runtime Documentation Path specification in " + dir_.File("night.ini")},
       .edited = false,
       .content = nullptr},
      {.label = "editor cannot start",
       .job = "PAY1",
       .file_exists = true,
       .editor_starts = false,
       .told = {"Cannot start the text editor xdg-open on " + Doc("PAY1.rtd")},
       .content = "mine"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    std::filesystem::remove(Doc("template.rtd"));
    std::filesystem::remove(Doc("PAY1.rtd"));
    std::filesystem::remove(Doc("NODESC.rtd"));
    if (c.has_template) dir_.Write("docs/template.rtd", "notes");
    if (c.file_exists) dir_.Write("docs/PAY1.rtd", "mine");
    Schedule s = s_;
    if (!c.doc_path) s.JobDocPath = "";
    op_ = {};
    desktop_ = {};
    desktop_.edit_result = c.editor_starts;
    if (c.answer) op_.AnswerNext(*c.answer);

    EditJobDoc(s, op_, desktop_, c.job);

    std::string file = Doc(std::string(c.job) == "NODESC" ? "NODESC.rtd" : "PAY1.rtd");
    EXPECT_EQ(op_.asked, c.asked);
    EXPECT_EQ(op_.told, c.told);
    if (!c.asked.empty()) {
      EXPECT_EQ(op_.titles, Texts{"New Quillrun Documentation"});
    }
    EXPECT_EQ(desktop_.clipboard, c.clipboard);
    EXPECT_EQ(desktop_.edited, c.edited ? Texts{file} : Texts{});
    EXPECT_EQ(FileExists(file), c.content != nullptr);
    if (c.content) {
      EXPECT_EQ(dir_.Read(std::string("docs/") + BaseName(file)), c.content);
    }
  }
}

TEST_F(RuntimeDocTest, ATemplateThatCannotBeCopiedIsSaidSo) {
  dir_.Write("docs/template.rtd", "notes");
  std::filesystem::create_directory(
      Doc("PAY1.rtd"));  // neither a copy nor an empty file can go there
  EditJobDoc(s_, op_, desktop_, "PAY1");
  EXPECT_EQ(op_.asked, Texts{"Failed to create Job Documentation file from template.\n\n  " +
                             std::string(kClipboardQuestion)});
}

TEST_F(RuntimeDocTest, RenameJobDocFollowsTheJobButKeepsOtherNotes) {
  struct Case {
    bool old_exists, new_exists, doc_path;
    Texts told;
    const char* new_content;  // "" when there is no file of the new name
  } cases[] = {
      {true,
       false,
       true,
       {"Job Runtime Documentation file renamed in line with job name change."},
       "old"},
      {false, false, true, {}, ""},
      {true, true, true, {"Attempted Runtime Documentation file rename failed"}, "other"},
      {true, false, false, {}, ""},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(Doc("OLD.rtd"));
    std::filesystem::remove(Doc("NEW.rtd"));
    if (c.old_exists) dir_.Write("docs/OLD.rtd", "old");
    if (c.new_exists) dir_.Write("docs/NEW.rtd", "other");
    Schedule s = s_;
    if (!c.doc_path) s.JobDocPath = "";
    op_ = {};
    RenameJobDoc(s, op_, "OLD ", "NEW");
    EXPECT_EQ(op_.told, c.told);
    EXPECT_EQ(dir_.Read("docs/NEW.rtd"), c.new_content);
    EXPECT_EQ(FileExists(Doc("OLD.rtd")), c.old_exists && std::string(c.new_content) != "old");
  }
}

TEST_F(RuntimeDocTest, OpenJobDocFromListTakesTheNameBeforeTheBracket) {
  const std::string question =
      "There is no runtime documentation file for job PAY1.  Do you wish to create one?";
  struct Case {
    const char* line;
    bool file_exists;
    std::optional<Answer> answer;
    Texts asked;
    bool edited;
  } cases[] = {
      {"PAY1     (Daily) \tSubmitted at 06:00:00", true, {}, {}, true},
      {"PAY1     (Daily) \tSubmitted at 06:00:00",
       false,
       Answer::Yes,
       {question, kClipboardQuestion},
       true},
      {"PAY1(Daily) \tSubmission failed at 06:00:00", false, Answer::No, {question}, false},
      {"PAY1    \tCompleted at 06:01:00 (Duration 00:01:00)",
       false,
       {},
       {},
       false},  // no job of that name
      {"NOBODY (Daily)\tscheduled", false, {}, {}, false},
      {"", false, {}, {}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    std::filesystem::remove(Doc("PAY1.rtd"));
    if (c.file_exists) dir_.Write("docs/PAY1.rtd", "mine");
    op_ = {};
    desktop_ = {};
    if (c.answer) op_.AnswerNext(*c.answer);
    OpenJobDocFromList(s_, op_, desktop_, c.line);
    EXPECT_EQ(op_.asked, c.asked);
    if (!c.asked.empty()) {
      EXPECT_EQ(op_.titles.front(), "Job Documentation");
    }
    EXPECT_EQ(desktop_.edited, c.edited ? Texts{Doc("PAY1.rtd")} : Texts{});
  }
}

}  // namespace
}  // namespace qlr
