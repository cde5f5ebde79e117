#include "control/startup.h"

#include <gtest/gtest.h>

#include <memory>

#include "base/app_state.h"
#include "base/edition.h"
#include "settings/settings_store.h"

namespace qp {
namespace {

// The standard edition keeps no file: any use of the file system is a fault.
class UntouchableFs : public SettingsFs {
 public:
  Text ProgramFilePath() override { return Fail(); }
  Text AppDataFolder() override { return Fail(); }
  int64_t FileSize(const Text&) override { return Fail(), -1; }
  std::unique_ptr<SettingsFile> OpenExisting(const Text&) override { return Fail(), nullptr; }
  std::unique_ptr<SettingsFile> CreateAlways(const Text&) override { return Fail(), nullptr; }
  void CreateFolder(const Text&) override { Fail(); }
  bool ReplaceWith(const Text&, const Text&) override { return Fail(), false; }
  void RemoveFile(const Text&) override { Fail(); }

 private:
  static Text Fail() {
    ADD_FAILURE() << "the standard edition touched the file system";
    return Text();
  }
};

TEST(Startup, StandardEditionStartsFromItsCommandLineAndFixedStateAlone) {
  SetCurrentEdition(EditionKind::Standard);
  App().OtherInstanceFound = 1;  // left over: start-up begins from a clean record
  App().Dark = 1;
  UntouchableFs fs;
  LoadStartState({u"/NOSHOW", u"keyset=4", u"Notepad"}, fs);
  const AppState& a = App();
  EXPECT_EQ(a.OtherInstanceFound, 0);
  EXPECT_EQ(a.NoShowSwitch, 1);
  EXPECT_EQ(a.KeySetSwitch, 4);
  EXPECT_EQ(a.TargetNameArg, u"Notepad");
  EXPECT_EQ(a.KeySet, 1);
  EXPECT_EQ(a.Dark, 0);
  EXPECT_EQ(a.NamedTarget, 1);
  EXPECT_EQ(a.Dock, 1);
  EXPECT_TRUE(a.ConfigPath.empty());
  SetSettingsFs(nullptr);
  SetCurrentEdition(EditionKind::Pro);
}

}  // namespace
}  // namespace qp
