#include "editor/included_file.h"

#include <gtest/gtest.h>

#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace qlr {
namespace {

using Texts = std::vector<std::string>;

TEST(IncludedFileTest, IsValidFilePath) {
  testing::TempDir dir;
  const std::string d = dir.path();
  const std::pair<std::string, bool> cases[] = {
      {d + "/missing.txt", true},  // the folder exists, the file need not
      {d + "/", false},           {d + "/*.txt", false},
      {d + "/a?.txt", false},     {d + "/nofolder/x.txt", false},
      {"/x.txt", true},           {"x.txt", false},
  };
  for (const auto& [name, valid] : cases) EXPECT_EQ(IsValidFilePath(name), valid) << name;
  EXPECT_TRUE(IsOnFixedDrive("/mnt/share/x"));
  EXPECT_FALSE(IsOnFixedDrive("share/x"));
}

TEST(IncludedFileTest, OkChecksTheNameAndAsksAboutAmpersands) {
  testing::TempDir dir;
  const std::string invalid =
      "File name not present or invalid.  File name must be fully qualified and file must be on "
      "a fixed disk drive";
  const std::string question =
      "The filename contains at least one \"&\" character.\n\nDo you wish Quillrun to perform "
      "date variable subtitution on it at run time?";
  struct Case {
    std::string name;
    bool date_var;
    Answer answer;
    bool closed;
    Texts told, asked;
    bool date_var_after;
  } cases[] = {
      {" " + dir.File("out.txt") + " ", false, Answer::No, true, {}, {}, false},
      {"/x", false, Answer::No, false, {invalid}, {}, false},
      {"rel/out.txt", false, Answer::No, false, {invalid}, {}, false},
      {dir.File("&RUNDATE&.txt"), false, Answer::Yes, true, {}, {question}, true},
      {dir.File("&RUNDATE&.txt"), false, Answer::No, true, {}, {question}, false},
      {dir.File("&RUNDATE&.txt"), true, Answer::Yes, true, {}, {}, true},
  };
  for (const Case& c : cases) {
    testing::ScriptedOperator op;
    op.AnswerNext(c.answer);
    IncludedFile exchange{c.name, true, false, c.date_var, false};
    IncludedFileDialog dialog(op, exchange);
    EXPECT_EQ(dialog.Ok(), c.closed) << c.name;
    EXPECT_EQ(op.told, c.told);
    EXPECT_EQ(op.asked, c.asked);
    EXPECT_EQ(exchange.IncFileName, dialog.name);  // stored trimmed, even when refused
    EXPECT_EQ(exchange.IncDateVar, c.date_var_after);
  }
}

TEST(IncludedFileTest, BrowseStartsAtTheNameOrInTheCurrentFolder) {
  testing::ScriptedOperator op;
  IncludedFile exchange{"  ", false, false, false, false};
  IncludedFileDialog dialog(op, exchange);
  EXPECT_EQ(dialog.BrowseStart(), "");
  dialog.name = "/data/out.txt";
  EXPECT_EQ(dialog.BrowseStart(), "/data/out.txt");
}

}  // namespace
}  // namespace qlr
