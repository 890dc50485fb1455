// The run's arithmetic and script preparation: progress positions and the
// blanking of COMMIT WORK lines.
#include <gtest/gtest.h>

#include "update/script_run.h"
#include "update/version_store.h"

namespace kelvo {
namespace {

std::vector<int> positions(int n) {
  std::vector<int> result;
  for (int done = 1; done <= n; ++done) result.push_back(progressPosition(n, done));
  return result;
}

TEST(Progress, RoundsHalvesToTheEvenNeighbour) {
  EXPECT_EQ(positions(8), (std::vector<int>{12, 25, 38, 50, 62, 75, 88, 100}));
  EXPECT_EQ(positions(3), (std::vector<int>{33, 67, 100}));
  EXPECT_EQ(positions(1), std::vector<int>{100});
  // With 200 scripts the first step is exactly 0.5: an empty bar.
  EXPECT_EQ(progressPosition(200, 1), 0);
  EXPECT_EQ(progressPosition(200, 3), 2);
  EXPECT_EQ(progressPosition(400, 3), 1);
}

TEST(Progress, NeverLeavesTheBar) {
  // The catalogue may list more rows than it counted a moment before.
  EXPECT_EQ(progressPosition(2, 3), 100);
  EXPECT_EQ(progressPosition(0, 1), 100);
  EXPECT_EQ(progressPosition(-1, 1), 100);
}

TEST(CommitWorkLines, AreBlankedWholeWhateverElseTheyHold) {
  std::vector<std::string> script{
      "INSERT INTO T VALUES (1); commit work;",
      "/* never COMMIT WORK here */",
      "INSERT INTO T VALUES ('Commit Work');",
      "COMMIT  WORK;",
      "COMMIT\tWORK;",
      "COMMIT;",
      "Ação commit work",
      "COMMITWORK;",
      "",
  };
  blankCommitWorkLines(script);
  EXPECT_EQ(script, (std::vector<std::string>{" ", " ", " ", "COMMIT  WORK;", "COMMIT\tWORK;",
                                              "COMMIT;", " ", "COMMITWORK;", ""}));
}

}  // namespace
}  // namespace kelvo

namespace kelvo {
namespace {

TEST(VersionProblem, OnlyWhatTheTableHoldsAsItStandsPasses) {
  const struct {
    const char* version;
    bool refused;
  } cases[] = {
      {"0001", false},         {"", false},
      {"1234567890", false},   {"12345678901", true},   // one more than the column
      {"000\xC3\x87", false},  {"0002\xCE\xA9", true},  // C cedilla is ANSI, omega is not
      {"\xE2\x82\xAC", false}, {"\xF0\x9F\x98\x80", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(versionProblem(c.version).has_value(), c.refused) << c.version;
  }
}

}  // namespace
}  // namespace kelvo
