#include "store/profile_file.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <optional>

#include "store/settings_store.h"
#include "support/temp_dir.h"

namespace qlr {
namespace {

using testing::TempDir;

const char kIni[] =
    "; Night schedule\r\n"
    "[Quillrun]\r\n"
    "ScheduleName = NIGHT \r\n"
    "; LogFile=commented out\r\n"
    "LogFile=/var/log/night.log\r\n"
    "\r\n"
    "[Other]\r\n"
    "ScheduleFile=/other.sch\r\n";

TEST(IniReadTest, SectionsAndKeysIgnoreCase) {
  TempDir dir;
  const std::string ini = dir.Write("night.ini", kIni);
  struct Case {
    const char *section, *key, *expected;
  } cases[] = {
      {"Quillrun", "ScheduleName", "NIGHT"},  // value trimmed
      {"QUILLRUN", "schedulename", "NIGHT"},
      {" quillrun ", " LOGFILE ", "/var/log/night.log"},  // the commented line is not it
      {"Quillrun", "ScheduleFile", ""},                   // only in another section
      {"other", "SCHEDULEFILE", "/other.sch"},
      {"Missing", "ScheduleName", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(IniRead(c.section, c.key, ini), c.expected) << c.key;
  EXPECT_EQ(IniRead("Quillrun", "ScheduleName", dir.File("none.ini")), "");
  EXPECT_EQ(IniRead("Quillrun", "LogFile", dir.Write("lf.ini", "[Quillrun]\nLogFile=x.log\n")),
            "x.log");
}

TEST(IniWriteTest, ChangesOnlyItsKeyAndKeepsEveryOtherLine) {
  TempDir dir;
  const std::string ini = dir.Write("night.ini", kIni);
  ASSERT_TRUE(IniWrite("QUILLRUN", "logfile", "/tmp/run.log", ini));  // replaced in place
  ASSERT_TRUE(IniWrite("Quillrun", "DayStart", "06:00", ini));        // end of its section
  ASSERT_TRUE(IniWrite("Other", "CPULimit", "50", ini));              // end of the last section
  ASSERT_TRUE(IniWrite("New", "Current", "/x/night.ini", ini));       // a new section at the end
  EXPECT_EQ(dir.Read("night.ini"),
            "; Night schedule\r\n"
            "[Quillrun]\r\n"
            "ScheduleName = NIGHT \r\n"
            "; LogFile=commented out\r\n"
            "logfile=/tmp/run.log\r\n"
            "DayStart=06:00\r\n"
            "\r\n"
            "[Other]\r\n"
            "ScheduleFile=/other.sch\r\n"
            "CPULimit=50\r\n"
            "[New]\r\n"
            "Current=/x/night.ini\r\n");
}

TEST(IniWriteTest, CreatesTheFileButNotItsFolder) {
  TempDir dir;
  ASSERT_TRUE(IniWrite("Quillrun", "ScheduleName", "NIGHT", dir.File("new.ini")));
  EXPECT_EQ(dir.Read("new.ini"), "[Quillrun]\r\nScheduleName=NIGHT\r\n");
  EXPECT_FALSE(IniWrite("Quillrun", "ScheduleName", "NIGHT", dir.File("missing/new.ini")));
}

TEST(IniWriteTest, ValuesAreCutAt254) {
  TempDir dir;
  const std::string ini = dir.File("long.ini");
  const std::string long_value(300, 'x');
  ASSERT_TRUE(IniWrite("Quillrun", "HelpPath", long_value, ini));
  EXPECT_EQ(IniRead("Quillrun", "HelpPath", ini), long_value.substr(0, 254));
  dir.Write("long.ini", "[Quillrun]\r\nHelpPath=" + long_value + "\r\n");  // written by hand
  EXPECT_EQ(IniRead("Quillrun", "HelpPath", ini), long_value.substr(0, 254));
}

TEST(IniDeleteSectionTest, RemovesTheSectionWithItsKeys) {
  TempDir dir;
  const std::string ini = dir.Write("night.ini", kIni);
  EXPECT_TRUE(IniDeleteSection("quillrun", ini));
  EXPECT_EQ(dir.Read("night.ini"), "; Night schedule\r\n[Other]\r\nScheduleFile=/other.sch\r\n");
  EXPECT_FALSE(IniDeleteSection("Quillrun", ini));
}

// Sets an environment variable for the length of a test.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = getenv(name)) old_ = old;
    value ? setenv(name, value->c_str(), 1) : unsetenv(name);
  }
  ~ScopedEnv() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(ProfileSettingsStoreTest, LivesUnderTheConfigHome) {
  TempDir dir;
  ScopedEnv home("HOME", dir.path());
  {
    ScopedEnv xdg("XDG_CONFIG_HOME", dir.File("config"));
    EXPECT_EQ(ProfileSettingsStore::DefaultPath(), dir.File("config/Quillrun/Quillrun.ini"));
  }
  {
    ScopedEnv xdg("XDG_CONFIG_HOME", "relative/config");  // not absolute: ignored
    EXPECT_EQ(ProfileSettingsStore::DefaultPath(), dir.File(".config/Quillrun/Quillrun.ini"));
  }
  ScopedEnv xdg("XDG_CONFIG_HOME", std::nullopt);
  EXPECT_EQ(ProfileSettingsStore::DefaultPath(), dir.File(".config/Quillrun/Quillrun.ini"));
}

TEST(ProfileSettingsStoreTest, KeepsValuesAcrossObjectsAndWhole) {
  TempDir dir;
  const std::string path = dir.File("config/Quillrun/Quillrun.ini");
  const std::string list(400, 'L');  // longer than a profile value may be
  {
    ProfileSettingsStore store(path);
    EXPECT_EQ(store.Get("Quillrun", "Current"), "");
    ASSERT_TRUE(store.Set("Quillrun", "Current", "/srv/night.ini"));  // creates the folders
    ASSERT_TRUE(store.Set("Quillrun", "List", list));
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
