// The registry stand-in: .reg parsing, the value conversions and the
// Windows error texts of every failure.
#include "platform/registry.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/native_path.h"
#include "platform/reg_file.h"
#include "support/scoped_env.h"
#include "support/temp_folder.h"

namespace kelvo {
namespace {

using test::ScopedEnv;
using test::TempFolder;

constexpr const char* kKey = "\\Software\\Microsoft\\Windows\\CurrentVersion";

const std::string kExport =
    "Windows Registry Editor Version 5.00\r\n"
    "\r\n"
    "; the values the updater reads\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion]\r\n"
    "\"ProgramFilesDir\"=\"C:\\\\Program Files (x86)\"\r\n"
    "\"Quoted\"=\"say \\\"hi\\\"\"\r\n"
    "\"Count\"=dword:ffffffff\r\n"
    "\"Expand\"=hex(2):25,00,50,00,41,00,54,00,48,00,25,00,00,00\r\n"
    "\"Blob\"=hex:41,42,\\\r\n"
    "  43\r\n"
    "\"Multi\"=hex(7):41,00,00,00,00,00\r\n"
    "\"Gone\"=\"x\"\r\n"
    "\"Gone\"=-\r\n"
    "@=\"default\"\r\n"
    "[-HKEY_LOCAL_MACHINE\\Software\\Removed]\r\n";

class RegistryFile : public ::testing::Test {
 protected:
  void write(const std::string& content) { folder_.write("registry.reg", content); }
  RegistryValue read(std::string_view value, std::string_view key = kKey) {
    return readRegistryValue(RegistryRoot::LocalMachine, key, value);
  }
  // Returns the code and text of the failure reading VALUE under KEY.
  std::pair<int, std::string> failure(std::string_view value, std::string_view key = kKey) {
    try {
      read(value, key);
    } catch (const RegistryError& e) {
      return {e.code(), e.what()};
    }
    ADD_FAILURE() << "no error reading " << value;
    return {0, ""};
  }

  TempFolder folder_;
  ScopedEnv env_{"KELVOUPDATE_REGISTRY", (folder_.path() / "registry.reg").string()};
};

TEST_F(RegistryFile, ReadsEachTypeAsTheUpdaterSeesIt) {
  write(kExport);
  EXPECT_EQ(std::get<std::string>(read("ProgramFilesDir")), "C:\\Program Files (x86)");
  EXPECT_EQ(std::get<std::string>(read("programfilesdir")), "C:\\Program Files (x86)");
  EXPECT_EQ(std::get<std::string>(read("ProgramFilesDir", kKey + 1)), "C:\\Program Files (x86)");
  EXPECT_EQ(std::get<std::string>(read("Quoted")), "say \"hi\"");
  EXPECT_EQ(std::get<std::int32_t>(read("Count")), -1);
  EXPECT_EQ(std::get<std::string>(read("Expand")), "%PATH%");  // not expanded
  EXPECT_EQ(std::get<std::string>(read("Blob")), "ABC");
  EXPECT_EQ(std::get<std::string>(read("")), "default");
}

TEST_F(RegistryFile, FailuresRaiseTheWindowsTexts) {
  write(kExport);
  const std::pair<int, std::string> no_key{2, "The system cannot find the file specified."};
  const std::pair<int, std::string> cant_read{1012,
                                              "The configuration registry key could not be read."};
  EXPECT_EQ(failure("ProgramFilesDir", "\\Software\\Nowhere"), no_key);
  EXPECT_EQ(failure("x", "\\Software\\Removed"), no_key);
  EXPECT_EQ(failure("Missing"), cant_read);
  EXPECT_EQ(failure("Gone"), cant_read);
  EXPECT_EQ(failure("Multi"), cant_read);  // an unsupported type
}

TEST_F(RegistryFile, AMissingFileNamesItself) {
  const auto [code, text] = failure("ProgramFilesDir");
  EXPECT_EQ(code, 2);
  EXPECT_EQ(text, "The system cannot find the file specified.\n(registry file " +
                      (folder_.path() / "registry.reg").string() + ")");
}

TEST_F(RegistryFile, Utf16AndAnsiExportsReadAlike) {
  const std::u16string wide =
      u"\xFEFFWindows Registry Editor Version 5.00\r\n[HKEY_LOCAL_MACHINE\\X]\r\n"
      u"\"Pasta\"=\"C:\\\\Arquivos de Programas\\\\Ação\"\r\n";
  std::string bytes;
  for (const char16_t unit : wide) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  write(bytes);
  EXPECT_EQ(std::get<std::string>(read("Pasta", "X")), "C:\\Arquivos de Programas\\Ação");
  // REGEDIT4 files are in the ANSI code page, expandable text included.
  write(
      "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\X]\r\n\"Pasta\"=\"A\xE7\xE3o\"\r\n"
      "\"E\"=hex(2):41,e7,00\r\n");
  EXPECT_EQ(std::get<std::string>(read("Pasta", "X")), "Ação");
  EXPECT_EQ(std::get<std::string>(read("E", "X")), "Aç");
}

TEST(RegFile, MalformedEntriesNameTheFileAndLine) {
  const std::string header = "Windows Registry Editor Version 5.00\n";
  const std::pair<std::string, std::string> cases[] = {
      {"[HKEY_LOCAL_MACHINE\\X]\n", "f, line 1: not a registry export file"},
      {header + "\"a\"=\"b\"\n", "f, line 2: value outside any key"},
      {header + "[HKEY_LOCAL_MACHINE\\X\n", "f, line 2: unterminated key name"},
      {header + "[K]\nname=\"b\"\n", "f, line 3: expected \"name\"=value"},
      {header + "[K]\n\"a\" \"b\"\n", "f, line 3: expected '=' after the value name"},
      {header + "[K]\n\"a\"=\"b\n", "f, line 3: unterminated quoted text"},
      {header + "[K]\n\"a\"=\"b\" c\n", "f, line 3: text after the closing quote"},
      {header + "[K]\n\"a\"=dword:123456789\n", "f, line 3: malformed dword '123456789'"},
      {header + "[K]\n\"a\"=hex:1,zz\n", "f, line 3: malformed hexadecimal byte 'zz'"},
      {header + "[K]\n\"a\"=hex(q):00\n", "f, line 3: malformed hex(N): type"},
      {header + "[K]\n\"a\"=hex(123456789):00\n", "f, line 3: malformed hex(N): type"},
      {header + "[K]\n\"a\"=qword:1\n", "f, line 3: unknown value data 'qword:1'"},
  };
  for (const auto& [content, expected] : cases) {
    try {
      RegFile::parse(content, "f");
      ADD_FAILURE() << "accepted: " << content;
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()), "Registry file " + expected);
    }
  }
}

TEST(RegistryFilePath, DefaultsBesideTheAliasFileAndNeverRelative) {
  ScopedEnv registry("KELVOUPDATE_REGISTRY", std::nullopt);
  {
    ScopedEnv config("XDG_CONFIG_HOME", "/cfg");
    EXPECT_EQ(registryFilePath(), "/cfg/kelvoupdate/registry.reg");
  }
  ScopedEnv config("XDG_CONFIG_HOME", std::nullopt);
  {
    ScopedEnv home("HOME", "/home/op");
    EXPECT_EQ(registryFilePath(), "/home/op/.config/kelvoupdate/registry.reg");
  }
  ScopedEnv home("HOME", std::nullopt);
  EXPECT_THROW(registryFilePath(), Error);
  ScopedEnv named("KELVOUPDATE_REGISTRY", "/etc/x.reg");
  EXPECT_EQ(registryFilePath(), "/etc/x.reg");
}

TEST(NativePath, BackslashesBecomeTheNativeSeparator) {
  EXPECT_EQ(nativePath("/opt/Program Files\\winrar\\winrar.exe"),
            "/opt/Program Files/winrar/winrar.exe");
  EXPECT_EQ(nativePath(".\\Sys_Info.INI"), "./Sys_Info.INI");
}

}  // namespace
}  // namespace kelvo
