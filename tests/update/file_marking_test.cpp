// The marking pass's judgement: why a file is fetched, which line an entry
// belongs to, and when the archive step follows.
#include "update/file_marking.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/files.h"
#include "support/temp_folder.h"
#include "support/test_times.h"
#include "update/archive_step.h"
#include "update/file_names.h"

namespace kelvo::test {
namespace {

constexpr double kMinute = 1.0 / 1440;

class FileMarkingTest : public ::testing::Test {
 protected:
  FileComparison judge(const std::string& name, TDateTime local, TDateTime server) {
    work_.write(name, "x");
    EXPECT_TRUE(setFileLastWriteTime((work_.path() / name).string(), local));
    return compareWithLocal(name, server, FormatSettings::brazilian());
  }

  TempFolder work_;
  WorkingFolder cwd_{work_.path()};
  TDateTime base_ = yesterdayAtAWholeMinute();
};

TEST_F(FileMarkingTest, VerdictsToTheMinuteAndTheRunsAnswerAgree) {
  const TDateTime second = 1.0 / 86400;
  const TDateTime today_at_midnight = static_cast<double>(static_cast<long long>(now()));
  const struct {
    const char* name;
    std::optional<TDateTime> local;  // none: no local copy
    TDateTime server;
    FileVerdict verdict;
  } cases[] = {
      {"a.dat", base_ + 10 * second, base_ + 50 * second, FileVerdict::Current},
      {"b.dat", base_ + 59 * second, base_, FileVerdict::Current},
      {"c.dat", base_, base_ + kMinute, FileVerdict::ServerNewer},
      {"d.dat", base_, base_ - kMinute, FileVerdict::ServerOlder},
      {"nada.dat", std::nullopt, base_, FileVerdict::Missing},
      // No stand-in time: a missing file dated today at midnight is fetched too.
      {"meia-noite.dat", std::nullopt, today_at_midnight, FileVerdict::Missing},
      // Only the exact name is never fetched.
      {kArquivosDlls, base_, base_ + kMinute, FileVerdict::Excluded},
      {"arquivos_dlls", base_, base_ + kMinute, FileVerdict::ServerNewer},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const FileComparison judged =
        c.local ? judge(c.name, *c.local, c.server)
                : compareWithLocal(c.name, c.server, FormatSettings::brazilian());
    EXPECT_EQ(judged.verdict, c.verdict);
    ASSERT_EQ(judged.localTime.has_value(),
              c.local.has_value() && c.verdict != FileVerdict::Excluded);
    if (judged.localTime) {
      EXPECT_NEAR(*judged.localTime, *c.local, second);
    }
    EXPECT_EQ(PrecisaBaixar(c.name, c.server, FormatSettings::brazilian()), fetches(c.verdict));
  }
}

TEST_F(FileMarkingTest, TheUpdatersOwnFilesAreNeverFetchedWhateverTheirLetterCase) {
  // As a Windows site's file system resolves them: trailing dots and blanks
  // dropped, letters without regard to case.
  for (const char* name : {"atualiza.cfg", "ATUALIZA.CFG", "atualiza.cfg. ", "Sys_Info.INI",
                           "sys_info.ini", "SCRIPT_ERRO_DT_01-02-2026_HR_10-00-00 M-LOJA.TXT",
                           "script_erro", ".kelvo-0123456789abcdef.part", ".KELVO-RECORD-7.TMP",
                           ".kelvo-backup-9", "kelvo-manifest.txt", "KELVO-MANIFEST.SIG"}) {
    EXPECT_EQ(judge(name, base_, base_ + kMinute).verdict, FileVerdict::OwnFile) << name;
    EXPECT_FALSE(PrecisaBaixar(name, base_ + kMinute, FormatSettings::brazilian())) << name;
  }
  for (const char* name : {"atualiza.cfg.bak", "Sys_Info.INI.old", "xSCRIPT_ERRO.TXT",
                           ".kelvo-x.txt", "kelvo-manifest.txt2"}) {
    EXPECT_EQ(judge(name, base_, base_ + kMinute).verdict, FileVerdict::ServerNewer) << name;
  }
}

TEST_F(FileMarkingTest, UnsafeNamesAreRefusedBeforeAnyComparison) {
  for (const char* name : {"..", "..\\fora.txt", "a/b", "c:x", ""}) {
    const FileComparison judged = markVerdict({name, base_}, FormatSettings::brazilian());
    EXPECT_EQ(judged.verdict, FileVerdict::Refused) << name;
    EXPECT_TRUE(marksRed(judged.verdict));
    EXPECT_FALSE(fetches(judged.verdict));
  }
}

TEST(FileMarking, EachLineGetsTheEntryReadFromIt) {
  DirectoryListing listing;
  listing.add({"um.dat", 0, 0, ListingItemKind::File, 1});
  listing.add({"dois.dat", 0, 0, ListingItemKind::File, 3});
  listing.add({"alem.dat", 0, 0, ListingItemKind::File, 9});  // no such line
  const auto entries = entriesByLine(4, listing);
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_FALSE(entries[0]);  // "total" header
  EXPECT_EQ(entries[1]->fileName, "um.dat");
  EXPECT_FALSE(entries[2]);  // blank line
  EXPECT_EQ(entries[3]->fileName, "dois.dat");
}

TEST(FileMarking, TheArchiveStepNeedsAnArchiveNoErrorAndAReason) {
  EXPECT_TRUE(archiveStepDue(true, false, true, true));
  EXPECT_TRUE(archiveStepDue(false, false, false, true));  // the main executable is missing
  EXPECT_FALSE(archiveStepDue(false, false, true, true));  // nothing fetched
  EXPECT_FALSE(archiveStepDue(true, true, true, true));    // a file step failed
  EXPECT_FALSE(archiveStepDue(true, false, false, false));
}

}  // namespace
}  // namespace kelvo::test
