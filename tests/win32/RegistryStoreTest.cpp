#include "core/win32/RegistryStore.h"

#include <gtest/gtest.h>

#include "core/win32/Handles.h"

namespace vornish::win32 {
namespace {

// A store of its own so that the tests never touch the launcher's settings.
constexpr const wchar_t* kApplication = L"VornishStoreTest";

class RegistryStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { Clear(); }
  void TearDown() override { Clear(); }
  static void Clear() {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(kSettingsRoot) + kApplication).c_str());
  }
  RegistryStore store{kApplication};
};

TEST_F(RegistryStoreTest, AbsentStoreAndKeysReadAsAbsent) {
  EXPECT_FALSE(store.Read(L"Set", L"Size").has_value());
  ASSERT_TRUE(store.Write(L"Set", L"Size", L"24"));
  EXPECT_FALSE(store.Read(L"Set", L"Orient").has_value());
  EXPECT_FALSE(store.Read(L"Window", L"Size").has_value());
  EXPECT_EQ(store.Read(L"Set", L"Size"), L"24");
}

TEST_F(RegistryStoreTest, ValuesAreStringsUnderTheTraditionalKey) {
  ASSERT_TRUE(store.Write(L"Set", L"DefColor", L"-2147483633"));
  HKEY raw = nullptr;
  const std::wstring path = std::wstring(L"Software\\VB and VBA Program Settings\\") + kApplication + L"\\Set";
  ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &raw), ERROR_SUCCESS);
  const UniqueKey key(raw);
  DWORD type = 0;
  wchar_t data[64] = {};
  DWORD size = sizeof data;
  ASSERT_EQ(::RegQueryValueExW(key.get(), L"DefColor", nullptr, &type, reinterpret_cast<BYTE*>(data), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_STREQ(data, L"-2147483633");
}

TEST_F(RegistryStoreTest, LongAndJapaneseValuesRoundTrip) {
  const std::wstring japanese = L"ﾗﾝﾁｬｰ設定 テスト";
  const std::wstring longText(100000, L'x');
  ASSERT_TRUE(store.Write(L"Set", L"A", japanese));
  ASSERT_TRUE(store.Write(L"Set", L"B", longText));
  ASSERT_TRUE(store.Write(L"Set", L"C", L""));
  EXPECT_EQ(store.Read(L"Set", L"A"), japanese);
  EXPECT_EQ(store.Read(L"Set", L"B"), longText);
  EXPECT_EQ(store.Read(L"Set", L"C"), L"");
}

TEST_F(RegistryStoreTest, HandEditedDwordReadsAsItsNumber) {
  ASSERT_TRUE(store.Write(L"Set", L"Size", L"32"));
  HKEY raw = nullptr;
  const std::wstring path = std::wstring(kSettingsRoot) + kApplication + L"\\Set";
  ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_SET_VALUE, &raw), ERROR_SUCCESS);
  const UniqueKey key(raw);
  const DWORD sixteen = 16;
  const DWORD binary = 0xDEADBEEF;
  ::RegSetValueExW(key.get(), L"Size", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&sixteen), sizeof sixteen);
  ::RegSetValueExW(key.get(), L"Odd", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&binary), sizeof binary);
  EXPECT_EQ(store.Read(L"Set", L"Size"), L"16");
  EXPECT_FALSE(store.Read(L"Set", L"Odd").has_value());
}

}  // namespace
}  // namespace vornish::win32
