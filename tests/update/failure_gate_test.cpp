// The gate's failure-record search on a real folder.
#include "update/failure_gate.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_folder.h"

namespace kelvo::test {
namespace {

TEST(FailureGate, RecordsOfEveryKindSortedWithoutRegardToCase) {
  TempFolder work;
  WorkingFolder cwd(work.path());
  EXPECT_THAT(failureRecords(), ::testing::IsEmpty());  // an empty folder has none
  work.write("SCRIPT_ERRO_DT_02-03-2026_HR_10-00-00 M-LOJA.TXT", "");
  work.write("script_erro_dt_01-03-2026_HR_10-00-00 M-LOJA.TXT", "");
  work.write("SCRIPT_ERRO", "");  // no extension: "*.*" matches it too
  work.write(".SCRIPT_ERRO_oculto.TXT", "");
  work.write("outro.txt", "");
  std::filesystem::create_directory(work.path() / "SCRIPT_ERRO_pasta");
  EXPECT_THAT(failureRecords(),
              ::testing::ElementsAre(
                  "SCRIPT_ERRO", "script_erro_dt_01-03-2026_HR_10-00-00 M-LOJA.TXT",
                  "SCRIPT_ERRO_DT_02-03-2026_HR_10-00-00 M-LOJA.TXT", "SCRIPT_ERRO_pasta"));
}

}  // namespace
}  // namespace kelvo::test
