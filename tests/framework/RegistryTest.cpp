// TRegistry against the real registry of the test prefix, under a key of
// the tests' own that is removed afterwards.
#include <gtest/gtest.h>

#include "framework/Registry.h"

namespace {
const char kBase[] = "Software\\Orv-Software\\Tests\\Registry";

struct RegistryFixture : ::testing::Test {
  TRegistry Reg;
  void SetUp() override { TRegistry().DeleteKey(kBase); }
  void TearDown() override {
    Reg.CloseKey();
    TRegistry cleanup;
    cleanup.DeleteKey(kBase);
    EXPECT_FALSE(cleanup.KeyExists(kBase));
  }
  // The stored type and size of a value, read with the system's call.
  static DWORD TypeOf(HKEY key, const char* name, DWORD* size = nullptr) {
    DWORD type = 0, n = 0;
    RegQueryValueExA(key, name, nullptr, &type, nullptr, &n);
    if (size) *size = n;
    return type;
  }
};
}  // namespace

using Registry = RegistryFixture;

TEST_F(Registry, ValuesRoundTripWithTheirSystemTypes) {
  EXPECT_EQ(Reg.RootKey(), HKEY_CURRENT_USER);
  ASSERT_TRUE(Reg.OpenKey(std::string(kBase) + "\\OrvQuill\\Main", true));
  EXPECT_EQ(Reg.CurrentPath(), std::string(kBase) + "\\OrvQuill\\Main");
  Reg.WriteInteger("X", -3);
  Reg.WriteInteger("Width", 640);
  Reg.WriteBool("Zoomed", true);
  Reg.WriteString("Name", "Orv Quillon");
  DWORD size = 0;
  EXPECT_EQ(TypeOf(Reg.CurrentKey(), "X", &size), static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(TypeOf(Reg.CurrentKey(), "Zoomed"), static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(TypeOf(Reg.CurrentKey(), "Name"), static_cast<DWORD>(REG_SZ));
  Reg.CloseKey();

  TRegistry reader;
  ASSERT_TRUE(reader.OpenKeyReadOnly(std::string(kBase) + "\\OrvQuill\\Main"));
  EXPECT_EQ(reader.ReadInteger("X"), -3);
  EXPECT_EQ(reader.ReadInteger("Width"), 640);
  EXPECT_TRUE(reader.ReadBool("Zoomed"));
  EXPECT_EQ(reader.ReadString("Name"), "Orv Quillon");
  EXPECT_TRUE(reader.ValueExists("Width"));
  EXPECT_FALSE(reader.ValueExists("Height"));
  // A read-only key refuses writes, and says so.
  EXPECT_THROW(reader.WriteInteger("Height", 480), ERegistryException);
}

TEST_F(Registry, MissingAndMistypedValuesRaise) {
  ASSERT_TRUE(Reg.OpenKey(kBase, true));
  Reg.WriteString("Text", "12");
  Reg.WriteInteger("Number", 12);
  try {
    Reg.ReadInteger("Y");
    FAIL() << "no exception";
  } catch (const ERegistryException& e) {
    EXPECT_NE(std::string(e.what()).find("\"Y\""), std::string::npos);
  }
  EXPECT_THROW(Reg.ReadInteger("Text"), ERegistryException);
  EXPECT_THROW(Reg.ReadBool("Text"), ERegistryException);
  EXPECT_THROW(Reg.ReadString("Number"), ERegistryException);
  EXPECT_THROW(Reg.ReadString("Nothing"), ERegistryException);
  // A binary value of another size is no integer either.
  BYTE eight[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  RegSetValueExA(Reg.CurrentKey(), "Wide", 0, REG_BINARY, eight, sizeof eight);
  EXPECT_THROW(Reg.ReadInteger("Wide"), ERegistryException);

  EXPECT_TRUE(Reg.DeleteValue("Number"));
  EXPECT_FALSE(Reg.ValueExists("Number"));
  EXPECT_FALSE(Reg.DeleteValue("Number"));
  Reg.CloseKey();
  EXPECT_THROW(Reg.ReadInteger("Text"), ERegistryException);
  EXPECT_THROW(Reg.WriteInteger("Text", 1), ERegistryException);
}

TEST_F(Registry, KeysOpenRelativeExistAndDeleteWithTheirSubkeys) {
  std::string missing = std::string(kBase) + "\\OrvQuill\\WHelp";
  EXPECT_FALSE(Reg.OpenKeyReadOnly(missing));
  EXPECT_FALSE(Reg.OpenKey(missing, false));
  EXPECT_FALSE(Reg.KeyExists(missing));

  ASSERT_TRUE(Reg.OpenKey(kBase, true));
  // Relative to the open key.
  ASSERT_TRUE(Reg.OpenKey("OrvQuill\\DBatch", true));
  EXPECT_EQ(Reg.CurrentPath(), std::string(kBase) + "\\OrvQuill\\DBatch");
  Reg.WriteInteger("X", 10);
  // A leading backslash starts at the root again.
  ASSERT_TRUE(Reg.OpenKey(std::string("\\") + kBase + "\\OrvQuill\\DAttribs", true));
  Reg.WriteInteger("Y", 20);
  Reg.CloseKey();
  EXPECT_TRUE(Reg.KeyExists(std::string(kBase) + "\\OrvQuill\\DBatch"));

  EXPECT_TRUE(Reg.DeleteKey(std::string(kBase) + "\\OrvQuill"));
  EXPECT_FALSE(Reg.KeyExists(std::string(kBase) + "\\OrvQuill\\DBatch"));
  EXPECT_FALSE(Reg.KeyExists(std::string(kBase) + "\\OrvQuill"));
  EXPECT_TRUE(Reg.KeyExists(kBase));
  EXPECT_FALSE(Reg.DeleteKey(""));
}
