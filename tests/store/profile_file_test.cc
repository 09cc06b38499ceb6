#include "store/profile_file.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include "platform/file_system.h"
#include "store/settings_store.h"
#include "support/temp_dir.h"

namespace qlr {
namespace {

struct IniTest : ::testing::Test {
  testing::TempDir dir;
  const std::string ini = dir.Write("night.ini",
                                    "; Night schedule\r\n[Quillrun]\r\nScheduleName = NIGHT \r\n"
                                    "; LogFile=commented out\r\nLogFile=/var/log/night.log\r\n"
                                    "\r\n[Other]\r\nScheduleFile=/other.sch\r\n");
};

TEST_F(IniTest, ReadIgnoresCaseAndTrims) {
  const char* cases[][3] = {
      {"QUILLRUN", "schedulename", "NIGHT"},
      {" quillrun ", " LOGFILE ", "/var/log/night.log"},  // the commented line is not it
      {"Quillrun", "ScheduleFile", ""},                   // only in another section
      {"other", "SCHEDULEFILE", "/other.sch"},
      {"Missing", "ScheduleName", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(IniRead(c[0], c[1], ini), c[2]) << c[1];
  EXPECT_EQ(IniRead("Quillrun", "ScheduleName", dir.File("none.ini")), "");
  EXPECT_EQ(IniRead("Quillrun", "LogFile", dir.Write("lf.ini", "[Quillrun]\nLogFile=x.log\n")),
            "x.log");
}

TEST_F(IniTest, WriteChangesOnlyItsKeyAndDeleteSectionItsSection) {
  ASSERT_TRUE(IniWrite("QUILLRUN", "logfile", "/tmp/run.log", ini));  // replaced in place
  ASSERT_TRUE(IniWrite("Quillrun", "DayStart", "06:00", ini));        // end of its section
  ASSERT_TRUE(IniWrite("Other", "CPULimit", "50", ini));              // end of the last section
  ASSERT_TRUE(IniWrite("New", "Current", "/x/night.ini", ini));       // a new section at the end
  EXPECT_EQ(
      dir.Read("night.ini"),
      "; Night schedule\r\n[Quillrun]\r\nScheduleName = NIGHT \r\n"
      "; LogFile=commented out\r\nlogfile=/tmp/run.log\r\nDayStart=06:00\r\n\r\n"
      "[Other]\r\nScheduleFile=/other.sch\r\nCPULimit=50\r\n[New]\r\nCurrent=/x/night.ini\r\n");
  AppendToFile(ini, "[ QUILLRUN ] again\r\nDayStart=07:00\r\n");  // a second copy, read by no one
  EXPECT_TRUE(IniDeleteSection("quillrun", ini));
  EXPECT_TRUE(IniDeleteSection("New", ini));
  EXPECT_EQ(dir.Read("night.ini"),
            "; Night schedule\r\n[Other]\r\nScheduleFile=/other.sch\r\nCPULimit=50\r\n");
  EXPECT_FALSE(IniDeleteSection("Quillrun", ini));
  EXPECT_EQ(IniRead("Quillrun", "DayStart", ini), "");  // the copy went too
}

TEST_F(IniTest, WriteCreatesTheFileButNotItsFolderAndValuesAreCutAt254) {
  const std::string fresh = dir.File("new.ini"), long_value(300, 'x');
  ASSERT_TRUE(IniWrite("Quillrun", "ScheduleName", "NIGHT", fresh));
  ASSERT_TRUE(IniWrite("Quillrun", "HelpPath", long_value, fresh));
  EXPECT_EQ(dir.Read("new.ini"),
            "[Quillrun]\r\nScheduleName=NIGHT\r\nHelpPath=" + long_value.substr(0, 254) + "\r\n");
  EXPECT_FALSE(IniWrite("Quillrun", "ScheduleName", "NIGHT", dir.File("missing/new.ini")));
  dir.Write("new.ini", "[Quillrun]\r\nHelpPath=" + long_value + "\r\n");  // written by hand
  EXPECT_EQ(IniRead("Quillrun", "HelpPath", fresh), long_value.substr(0, 254));
}

TEST_F(IniTest, SettingsStoreLivesUnderTheConfigHomeAndKeepsWholeValues) {
  const bool had_home = getenv("HOME");
  const std::string home = had_home ? getenv("HOME") : "";
  setenv("HOME", dir.path().c_str(), 1);
  setenv("XDG_CONFIG_HOME", dir.File("config").c_str(), 1);
  EXPECT_EQ(ProfileSettingsStore::DefaultPath(), dir.File("config/Quillrun/Quillrun.ini"));
  setenv("XDG_CONFIG_HOME", "relative/config", 1);  // not absolute: ignored
  EXPECT_EQ(ProfileSettingsStore::DefaultPath(), dir.File(".config/Quillrun/Quillrun.ini"));
  unsetenv("XDG_CONFIG_HOME");
  const std::string path = ProfileSettingsStore::DefaultPath(), list(400, 'L');
  EXPECT_EQ(path, dir.File(".config/Quillrun/Quillrun.ini"));
  had_home ? setenv("HOME", home.c_str(), 1) : unsetenv("HOME");
  {
    ProfileSettingsStore store(path);
    ASSERT_TRUE(store.Set("Quillrun", "Current", "/srv/night.ini"));  // creates the folders
    ASSERT_TRUE(store.Set("Quillrun", "List", list));  // longer than a profile value may be
    ASSERT_TRUE(store.Set("EVPGeneral", "Job Name", "800,1,<,False"));
  }
  ProfileSettingsStore again(path);
  EXPECT_EQ(again.Get("QUILLRUN", "current"), "/srv/night.ini");
  EXPECT_EQ(again.Get("Quillrun", "List"), list);
  EXPECT_TRUE(again.DeleteSection("evpgeneral"));
  EXPECT_EQ(again.Get("EVPGeneral", "Job Name"), "");
  EXPECT_FALSE(again.DeleteSection("EVPGeneral"));
}

}  // namespace
}  // namespace qlr
