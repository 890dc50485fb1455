// The run's arithmetic and script preparation: progress positions and the
// blanking of COMMIT WORK lines.
#include <gtest/gtest.h>

#include "update/script_run.h"

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
