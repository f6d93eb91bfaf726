// The current user's registry keys in the per-user store.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>

#include "FileBytes.h"
#include "TempDir.h"
#include "rtl/system/Exceptions.h"
#include "rtl/settings/Registry.h"
#include "rtl/system/SysUtils.h"

namespace {

using dvtest::ReadBytes;
using dvtest::TempDir;
using dvtest::WriteBytes;

// Points the store at a fresh folder for the test and restores the
// variables afterwards.
class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Save("XDG_CONFIG_HOME", savedXdg_);
    Save("HOME", savedHome_);
    ::setenv("XDG_CONFIG_HOME", config_.Path().c_str(), 1);
  }
  void TearDown() override {
    Restore("XDG_CONFIG_HOME", savedXdg_);
    Restore("HOME", savedHome_);
  }
  std::string Store() const { return config_.Path() + "/dralvo/registry.ini"; }

  TempDir config_;

 private:
  static void Save(const char* name, std::optional<std::string>& slot) {
    if (const char* v = std::getenv(name)) slot = v;
  }
  static void Restore(const char* name, const std::optional<std::string>& slot) {
    if (slot)
      ::setenv(name, slot->c_str(), 1);
    else
      ::unsetenv(name);
  }
  std::optional<std::string> savedXdg_, savedHome_;
};

TEST_F(RegistryTest, StoreFollowsTheConfigurationFolder) {
  EXPECT_EQ(rtl::TRegistry::StoreFileName(), Store());
  TempDir home;
  ::setenv("HOME", home.Path().c_str(), 1);
  for (const char* ignored : {"", "relative/dir"}) {
    ::setenv("XDG_CONFIG_HOME", ignored, 1);
    EXPECT_EQ(rtl::TRegistry::StoreFileName(), home.Path() + "/.config/dralvo/registry.ini") << ignored;
  }
  ::unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(rtl::TRegistry::StoreFileName(), home.Path() + "/.config/dralvo/registry.ini");
}

TEST_F(RegistryTest, OpenWithoutCreateFindsNothingAndWritesNothing) {
  rtl::TRegistry reg;
  EXPECT_EQ(reg.RootKey(), rtl::HKEY_CURRENT_USER);
  EXPECT_FALSE(reg.OpenKey("Software\\Dralvo", false));
  EXPECT_FALSE(reg.OpenKeyReadOnly("Software\\Dralvo"));
  EXPECT_FALSE(reg.KeyExists("Software"));
  EXPECT_EQ(reg.ReadString("RootDir"), "");
  EXPECT_FALSE(rtl::FileExists(Store()));
}

TEST_F(RegistryTest, CreatedKeysAndValuesPersistAcrossObjects) {
  {
    rtl::TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\Software\\Dralvo\\", true));
    EXPECT_EQ(reg.CurrentPath(), "Software\\Dralvo");
    reg.WriteString("RootDir", "/opt/cfg dir");
    reg.WriteString("Other", "x");
  }
  EXPECT_NE(ReadBytes(Store()).find("[Software\\Dralvo]"), std::string::npos);
  rtl::TRegistry reg;
  EXPECT_TRUE(reg.KeyExists("software"));  // a parent of an existing key
  EXPECT_TRUE(reg.KeyExists("SOFTWARE\\dralvo"));
  EXPECT_FALSE(reg.KeyExists("Soft"));
  ASSERT_TRUE(reg.OpenKeyReadOnly("software\\DRALVO"));
  EXPECT_EQ(reg.ReadString("rootdir"), "/opt/cfg dir");
  EXPECT_TRUE(reg.ValueExists("Other"));
  EXPECT_FALSE(reg.ValueExists("Missing"));
  EXPECT_EQ(reg.ReadString("Missing"), "");
  reg.CloseKey();
  EXPECT_EQ(reg.ReadString("RootDir"), "");
  // Relative to the open key, or absolute with a leading backslash.
  ASSERT_TRUE(reg.OpenKey("Software", false));
  ASSERT_TRUE(reg.OpenKey("Dralvo", false));
  EXPECT_EQ(reg.CurrentPath(), "Software\\Dralvo");
  ASSERT_TRUE(reg.OpenKey("\\Software", false));
  EXPECT_EQ(reg.CurrentPath(), "Software");
}

TEST_F(RegistryTest, ReadOnlyKeysAndOtherRootsRefuseWrites) {
  rtl::TRegistry reg;
  EXPECT_THROW(reg.WriteString("V", "x"), rtl::ERegistryException);  // no key open
  ASSERT_TRUE(reg.OpenKey("Software\\Dralvo", true));
  reg.WriteString("V", "1");
  EXPECT_FALSE(reg.OpenKeyReadOnly("Software\\Dralvo"));  // relative to the open key
  ASSERT_TRUE(reg.OpenKeyReadOnly("\\Software\\Dralvo"));
  EXPECT_THROW(reg.WriteString("V", "2"), rtl::ERegistryException);
  EXPECT_EQ(reg.ReadString("V"), "1");
  EXPECT_THROW(reg.SetRootKey(rtl::HKEY_LOCAL_MACHINE), rtl::ERegistryException);
  EXPECT_EQ(reg.RootKey(), rtl::HKEY_CURRENT_USER);
}

TEST_F(RegistryTest, MalformedStoreReadsAsMissing) {
  std::filesystem::create_directories(config_.Path() + "/dralvo");
  std::string garbage(4096, '\0');
  for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>((i * 7919) % 251);
  WriteBytes(Store(), garbage);
  rtl::TRegistry reg;
  EXPECT_FALSE(reg.OpenKey("Software\\Dralvo", false));

  std::filesystem::remove(Store());
  std::filesystem::create_directory(Store());  // unreadable as a file
  EXPECT_FALSE(reg.OpenKey("Software\\Dralvo", false));
  EXPECT_EQ(reg.ReadString("RootDir"), "");
  try {
    reg.OpenKey("Software\\Dralvo", true);
    ADD_FAILURE() << "creating a key in an unreadable store succeeded";
  } catch (const rtl::ERegistryException& e) {
    EXPECT_NE(std::string(e.what()).find(Store()), std::string::npos) << e.what();
  }
}

TEST_F(RegistryTest, FailedWritesNameTheStoreAndKeepIt) {
  rtl::TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("Software\\Dralvo", true));
  reg.WriteString("RootDir", "/first");
  const std::string before = ReadBytes(Store());

  rtl::SetWriteFaultHook([](const char* step, const std::string&) { return std::string(step) == "rename"; });
  try {
    reg.WriteString("RootDir", "/second");
    ADD_FAILURE() << "failed write reported success";
  } catch (const rtl::ERegistryException& e) {
    EXPECT_NE(std::string(e.what()).find(Store()), std::string::npos) << e.what();
  }
  rtl::SetWriteFaultHook(nullptr);
  EXPECT_EQ(ReadBytes(Store()), before);
  EXPECT_EQ(reg.ReadString("RootDir"), "/first");

  // A configuration folder that is a file cannot hold the store.
  TempDir other;
  WriteBytes(other.File("file"), "x");
  ::setenv("XDG_CONFIG_HOME", other.File("file").c_str(), 1);
  rtl::TRegistry blocked;
  EXPECT_THROW(blocked.OpenKey("Software\\Dralvo", true), rtl::ERegistryException);
}

TEST_F(RegistryTest, AWriteProtectedStoreIsNotWritten) {
  rtl::TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("Software\\Dralvo", true));
  reg.WriteString("RootDir", "/first");
  ASSERT_EQ(::chmod(Store().c_str(), 0444), 0);
  try {
    reg.WriteString("RootDir", "/second");
    ADD_FAILURE() << "a write-protected store was written";
  } catch (const rtl::ERegistryException& e) {
    EXPECT_NE(std::string(e.what()).find("\"" + Store() + "\". It is write-protected"), std::string::npos) << e.what();
  }
  EXPECT_EQ(reg.ReadString("RootDir"), "/first");
}

}  // namespace
