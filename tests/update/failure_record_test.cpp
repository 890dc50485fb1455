// The failure record's name, header and file bytes.
#include "update/failure_record.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/error.h"
#include "support/temp_folder.h"

namespace kelvo {
namespace {

TEST(TrocaCaractere, ReplacesOneCharacterOnly) {
  EXPECT_EQ(TrocaCaractere("05/03/2024", "/", "-"), "05-03-2024");
  EXPECT_EQ(TrocaCaractere("14:07:09", ":", ""), "140709");
  EXPECT_EQ(TrocaCaractere("a:b", ":", "::"), "a::b");
  EXPECT_EQ(TrocaCaractere("", "/", "-"), "");
  // A search of more than one character, or none, never matches.
  EXPECT_EQ(TrocaCaractere("a//b", "//", "-"), "a//b");
  EXPECT_EQ(TrocaCaractere("a/b", "", "-"), "a/b");
  // Characters, not bytes: an accented letter is one character.
  EXPECT_EQ(TrocaCaractere("AÇÃO", "Ã", "A"), "AÇAO");
  EXPECT_EQ(TrocaCaractere("AÇÃO", "\xC3", "-"), "AÇÃO");
}

TEST(FailureRecordName, FollowsTheRegionalFormats) {
  const TDateTime when = encodeDate(2024, 3, 5) + encodeTime(14, 7, 9, 0);
  EXPECT_EQ(failureRecordName(when, when, "M-LOJA", FormatSettings::brazilian()),
            "SCRIPT_ERRO_DT_05-03-2024_HR_14-07-09 M-LOJA.TXT");

  FormatSettings dotted = FormatSettings::brazilian();
  dotted.shortDateFormat = "dd.mm.yyyy";
  EXPECT_EQ(failureRecordName(when, when, "M-LOJA", dotted),
            "SCRIPT_ERRO_DT_05.03.2024_HR_14-07-09 M-LOJA.TXT");

  // A 12-hour clock keeps its designator and the blank before it.
  EXPECT_EQ(failureRecordName(when, when, "M-LOJA", FormatSettings::unitedStates()),
            "SCRIPT_ERRO_DT_3-5-2024_HR_2-07-09 PM M-LOJA.TXT");

  // Date and time come from separate readings of the clock.
  const TDateTime next_day = encodeDate(2024, 3, 6) + encodeTime(0, 0, 1, 0);
  EXPECT_EQ(failureRecordName(when, next_day, "M-LOJA", FormatSettings::brazilian()),
            "SCRIPT_ERRO_DT_05-03-2024_HR_00-00-01 M-LOJA.TXT");
}

TEST(FailureRecordName, TheEntryCannotLeaveTheWorkingFolder) {
  const TDateTime when = encodeDate(2024, 3, 5) + encodeTime(14, 7, 9, 0);
  EXPECT_EQ(failureRecordName(when, when, "M-../LOJA\\1:*?\"<>|\t", FormatSettings::brazilian()),
            "SCRIPT_ERRO_DT_05-03-2024_HR_14-07-09 M-.._LOJA_1________.TXT");
  EXPECT_EQ(fileNameSafe("M-Loja São Paulo (2).x"), "M-Loja São Paulo (2).x");
}

TEST(FailureHeader, WrapsTheMessageInABlockComment) {
  std::vector<std::string> script{"UPDATE T SET N = 1;", " "};
  insertFailureHeader(script, "first\r\nsecond\r\nthird");
  EXPECT_EQ(script, (std::vector<std::string>{"/* ERRO: ", " ", "first", "second", "third", " ",
                                              ".....  */", " ", "UPDATE T SET N = 1;", " "}));
  std::vector<std::string> empty;
  insertFailureHeader(empty, "");
  EXPECT_EQ(empty, (std::vector<std::string>{"/* ERRO: ", " ", "", " ", ".....  */", " "}));
}

TEST(FailureRecordFile, IsAnsiWithCrLfAfterEveryLine) {
  test::TempFolder folder;
  const std::string path = (folder.path() / "SCRIPT_ERRO_x M-LOJA.TXT").string();
  EXPECT_EQ(saveFailureRecord(path, {"/* ERRO: ", "Atualização", "", "€"}), path);
  EXPECT_EQ(test::readFile(path), "/* ERRO: \r\nAtualiza\xE7\xE3o\r\n\r\n\x80\r\n");
}

TEST(FailureRecordFile, ATakenNameIsNeverReplacedNorFollowed) {
  test::TempFolder folder;
  const auto record = [&](const std::string& entry, const char* copy = "") {
    return (folder.path() / ("SCRIPT_ERRO_x M-" + entry + copy + ".TXT")).string();
  };
  folder.write("elsewhere", "not the record's");
  // Taken by an earlier record, a folder and (where links can be made) a
  // planted link.
  std::vector<std::string> taken{"A", "B"};
  folder.write("SCRIPT_ERRO_x M-A.TXT", "an earlier record");
  std::filesystem::create_directory(record("B"));
#ifndef _WIN32
  taken.emplace_back("C");
  std::filesystem::create_symlink(folder.path() / "elsewhere", record("C"));
#endif
  for (const std::string& entry : taken) {
    EXPECT_EQ(saveFailureRecord(record(entry), {"x"}), record(entry, " (2)"));
    EXPECT_EQ(test::readFile(record(entry, " (2)")), "x\r\n");
  }
  EXPECT_EQ(test::readFile(record("A")), "an earlier record");
  EXPECT_EQ(test::readFile(folder.path() / "elsewhere"), "not the record's");
}

TEST(FailureRecordFile, AFileThatCannotBeWrittenIsAnErrorNamingIt) {
  test::TempFolder folder;
  const std::string path = (folder.path() / "missing" / "SCRIPT_ERRO_x.TXT").string();
  try {
    saveFailureRecord(path, {"x"});
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(std::string(error.what()).rfind("Cannot create file \"" + path + "\". ", 0), 0u)
        << error.what();
  }
  EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

}  // namespace
}  // namespace kelvo
