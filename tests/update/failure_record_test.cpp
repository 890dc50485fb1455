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
  saveFailureRecord(path, {"/* ERRO: ", "Atualização", "", "€"});
  EXPECT_EQ(test::readFile(path), "/* ERRO: \r\nAtualiza\xE7\xE3o\r\n\r\n\x80\r\n");
}

TEST(FailureRecordFile, ANameTakenOrUnwritableIsAnErrorNamingItAndNothingIsFollowed) {
  test::TempFolder folder;
  const std::filesystem::path elsewhere = folder.write("elsewhere", "not the record's");
  folder.write("SCRIPT_ERRO_x M-A.TXT", "an earlier record");
  std::filesystem::create_directory(folder.path() / "SCRIPT_ERRO_x M-B.TXT");
  std::vector<std::string> names{"SCRIPT_ERRO_x M-A.TXT", "SCRIPT_ERRO_x M-B.TXT",
                                 "missing/SCRIPT_ERRO_x M-C.TXT"};
#ifndef _WIN32
  std::filesystem::create_symlink(elsewhere, folder.path() / "SCRIPT_ERRO_x M-D.TXT");
  names.emplace_back("SCRIPT_ERRO_x M-D.TXT");
#endif
  const std::string before = test::folderSnapshot(folder.path());
  for (const std::string& name : names) {
    const std::string path = (folder.path() / name).string();
    try {
      saveFailureRecord(path, {"x"});
      ADD_FAILURE() << "no error for " << name;
    } catch (const Error& error) {
      EXPECT_EQ(std::string(error.what()).rfind("Cannot create file \"" + path + "\". ", 0), 0u)
          << error.what();
    }
  }
  // Nothing replaced, nothing written through the link, no partial record.
  EXPECT_EQ(test::folderSnapshot(folder.path()), before);
}

}  // namespace
}  // namespace kelvo
