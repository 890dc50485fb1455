// The registry reader against the real registry (Wine's): keys and values
// the test writes under HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE and removes.
#include "platform/registry.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/windows/wide_text.h"

namespace kelvo {
namespace {

constexpr const char* kKey = "Software\\KelvoUpdate Test\\Registro";

// Writes the test's key under ROOT and deletes it (and everything in it) again.
class WrittenKey {
 public:
  explicit WrittenKey(HKEY root) : root_(root) {
    EXPECT_EQ(RegCreateKeyExW(root_, wide(kKey).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key_,
                              nullptr),
              ERROR_SUCCESS);
  }
  ~WrittenKey() {
    RegCloseKey(key_);
    RegDeleteTreeW(root_, L"Software\\KelvoUpdate Test");
  }
  WrittenKey(const WrittenKey&) = delete;
  WrittenKey& operator=(const WrittenKey&) = delete;

  void set(const char* name, DWORD type, const void* data, std::size_t size) {
    EXPECT_EQ(RegSetValueExW(key_, wide(name).c_str(), 0, type, static_cast<const BYTE*>(data),
                             static_cast<DWORD>(size)),
              ERROR_SUCCESS);
  }
  void setText(const char* name, DWORD type, const std::string& text) {
    const std::wstring value = wide(text);
    set(name, type, value.c_str(), (value.size() + 1) * sizeof(wchar_t));
  }

 private:
  HKEY root_;
  HKEY key_ = nullptr;
};

// Returns the code and text of the failure reading VALUE under KEY.
std::pair<int, std::string> failure(std::string_view key, std::string_view value) {
  try {
    readRegistryValue(RegistryRoot::CurrentUser, key, value);
  } catch (const RegistryError& error) {
    return {error.code(), error.what()};
  }
  ADD_FAILURE() << "no error reading " << value;
  return {0, ""};
}

TEST(RegistryOnWindows, ReadsEachTypeAsTheUpdaterSeesIt) {
  WrittenKey key(HKEY_CURRENT_USER);
  key.setText("ProgramFilesDir", REG_SZ, "C:\\Arquivos de Programas\\Ação");
  key.setText("Expand", REG_EXPAND_SZ, "%PATH%");
  const DWORD count = 0xFFFFFFFF;
  key.set("Count", REG_DWORD, &count, sizeof count);
  key.set("Blob", REG_BINARY, "AB\xE7", 3);
  key.setText("", REG_SZ, "default");
  const auto read = [](std::string_view value) {
    return readRegistryValue(RegistryRoot::CurrentUser, std::string("\\") + kKey, value);
  };
  EXPECT_EQ(std::get<std::string>(read("ProgramFilesDir")), "C:\\Arquivos de Programas\\Ação");
  EXPECT_EQ(std::get<std::string>(read("programfilesdir")), "C:\\Arquivos de Programas\\Ação");
  EXPECT_EQ(std::get<std::string>(read("Expand")), "%PATH%");  // not expanded
  EXPECT_EQ(std::get<std::int32_t>(read("Count")), -1);
  EXPECT_EQ(std::get<std::string>(read("Blob")), "ABç");  // bytes of the ANSI code page
  EXPECT_EQ(std::get<std::string>(read("")), "default");
}

TEST(RegistryOnWindows, TheMachineKeyTheUpdaterReadsIsThere) {
  // The main screen looks for the archiver below this folder.
  const RegistryValue folder =
      readRegistryValue(RegistryRoot::LocalMachine,
                        "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir");
  EXPECT_EQ(std::get<std::string>(folder), "C:\\Program Files");
}

TEST(RegistryOnWindows, FailuresRaiseTheSystemsCodesAndTexts) {
  WrittenKey key(HKEY_CURRENT_USER);
  const char multi[] = "A\0\0";
  key.set("Multi", REG_MULTI_SZ, multi, sizeof multi);
  const auto [missing_key, missing_key_text] = failure("Software\\KelvoUpdate Test\\Nowhere", "x");
  EXPECT_EQ(missing_key, 2);
  EXPECT_EQ(missing_key_text, registryErrorMessage(2));
  EXPECT_FALSE(missing_key_text.empty());
  EXPECT_NE(missing_key_text.back(), '\n');
  for (const char* value : {"Missing", "Multi"}) {
    const auto [code, text] = failure(kKey, value);
    EXPECT_EQ(code, 1012) << value;
    EXPECT_EQ(text, registryErrorMessage(1012)) << value;
  }
  EXPECT_NE(registryErrorMessage(2), registryErrorMessage(1012));
}

}  // namespace
}  // namespace kelvo
