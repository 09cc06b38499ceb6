#include "editor/runtime_doc.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/file_system.h"
#include "support/recording_desktop.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace qlr {
namespace {

using Texts = std::vector<std::string>;
const std::string kCreated = "New Job Documentation file created.";
const std::string kClip = "Would you like the job description putting on the Windows clipboard?";

class RuntimeDocTest : public ::testing::Test {
 protected:
  RuntimeDocTest() {
    s_.IniFile = dir_.File("night.ini");
    s_.JobDocPath = dir_.File("docs");
    s_.TextEditor = "xdg-open";
    for (auto [name, description] : {std::pair{"PAY1", " Pay run "}, {"NODESC", ""}}) {
      Job& job = s_.Jobs.emplace_back();
      job.JobName = name;
      job.Description = description;
    }
  }
  // Fresh files: the template, and PAY1's file ("" none, "<dir>" a folder in its place).
  void Files(bool with_template, const std::string& pay1) {
    std::filesystem::remove_all(s_.JobDocPath);
    std::filesystem::create_directory(s_.JobDocPath);
    if (with_template) dir_.Write("docs/template.rtd", "notes");
    if (pay1 == "<dir>")
      std::filesystem::create_directory(dir_.File("docs/PAY1.rtd"));
    else if (!pay1.empty())
      dir_.Write("docs/PAY1.rtd", pay1);
    op_ = {};
    desktop_ = {};
  }

  testing::TempDir dir_;
  Schedule s_;
  testing::ScriptedOperator op_;
  testing::RecordingDesktop desktop_;
};

TEST_F(RuntimeDocTest, EditJobDocCreatesAsksAndStartsTheEditor) {
  const std::string pay1 = dir_.File("docs/PAY1.rtd");
  const std::string failed = "Failed to create Job Documentation file from template.\n\n  ";
  struct Case {
    const char* job;
    bool with_template;
    std::string existing;
    Answer answer;
    Texts asked, clipboard;
    const char* content;  // of PAY1.rtd afterwards; nullptr: no file
  };
  // clang-format off
  const Case cases[] = {
      {"pay1", true, "", Answer::Yes, {kCreated + "  " + kClip}, {"Pay run"}, "notes"},
      {"PAY1", false, "", Answer::Yes, {kClip}, {"Pay run"}, nullptr},  // the question alone, no file
      {"PAY1", true, "mine", Answer::Yes, {}, {}, "mine"},              // an existing file: no message
      {"PAY1", true, "<dir>", Answer::No, {failed + kClip}, {}, nullptr},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.existing + std::to_string(c.with_template));
    Files(c.with_template, c.existing);
    op_.AnswerNext(c.answer);
    EditJobDoc(s_, op_, desktop_, c.job);
    EXPECT_EQ(op_.asked, c.asked);
    EXPECT_EQ(op_.titles, c.asked.empty() ? Texts{} : Texts{"New Quillrun Documentation"});
    EXPECT_EQ(desktop_.clipboard, c.clipboard);
    EXPECT_EQ(desktop_.edited, Texts{pay1});
    EXPECT_EQ(FileExists(pay1) ? dir_.Read("docs/PAY1.rtd") : "<none>",
              c.content ? c.content : "<none>");
  }
  Files(true, "");
  EditJobDoc(s_, op_, desktop_, "NODESC");  // no description: the message alone, OK/Cancel
  EXPECT_EQ(op_.asked, Texts{kCreated});
  EditJobDoc(s_, op_, desktop_, "NOBODY");
  EXPECT_EQ(desktop_.edited, Texts{dir_.File("docs/NODESC.rtd")});
  desktop_.edit_result = false;
  EditJobDoc(s_, op_, desktop_, "NODESC");
  s_.JobDocPath = "";
  EditJobDoc(s_, op_, desktop_, "NODESC");
  EXPECT_EQ(op_.told,
            (Texts{"Cannot start the text editor xdg-open on " + dir_.File("docs/NODESC.rtd"),
                   "No Runtime Documentation Path specification in " + s_.IniFile}));
}

TEST_F(RuntimeDocTest, RenameJobDocFollowsTheJobButKeepsOtherNotes) {
  const std::tuple<bool, bool, Texts, std::string> cases[] = {
      // old, new exist; told; new's text
      {true,
       false,
       {"Job Runtime Documentation file renamed in line with job name change."},
       "old"},
      {false, false, {}, ""},
      {true, true, {"Attempted Runtime Documentation file rename failed"}, "other"},
  };
  for (const auto& [old_exists, new_exists, told, new_content] : cases) {
    Files(false, "");
    if (old_exists) dir_.Write("docs/OLD.rtd", "old");
    if (new_exists) dir_.Write("docs/NEW.rtd", "other");
    RenameJobDoc(s_, op_, "OLD ", "NEW");
    EXPECT_EQ(op_.told, told);
    EXPECT_EQ(dir_.Read("docs/NEW.rtd"), new_content);
  }
}

TEST_F(RuntimeDocTest, OpenJobDocFromListTakesTheNameBeforeTheBracket) {
  const std::string question =
      "There is no runtime documentation file for job PAY1.  Do you wish to create one?";
  // clang-format off
  const std::tuple<const char*, std::string, Answer, Texts, bool> cases[] = {
      {"PAY1(Daily) \tSubmission failed at 06:00:00", "", Answer::Yes, {question, kClip}, true},
      {"PAY1     (Daily) \tSubmitted at 06:00:00", "", Answer::No, {question}, false},
      {"PAY1    \tCompleted at 06:01:00 (Duration 00:01:00)", "", Answer::Yes, {}, false},  // no job
  };
  // clang-format on
  for (const auto& [line, existing, answer, asked, edited] : cases) {
    Files(false, existing);
    op_.AnswerNext(answer);
    OpenJobDocFromList(s_, op_, desktop_, line);
    EXPECT_EQ(op_.asked, asked) << line;
    EXPECT_EQ(desktop_.edited, edited ? Texts{dir_.File("docs/PAY1.rtd")} : Texts{}) << line;
  }
}

}  // namespace
}  // namespace qlr
