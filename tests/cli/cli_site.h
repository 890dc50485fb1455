// A customer site for kelvoupdate's end-to-end tests: the store's working
// folder naming the update FTP server, the archiver installed where the
// registry stand-in's ProgramFilesDir points, and the alias file, which the
// program reads from KELVOUPDATE_ALIASES. The program itself runs as a
// separate process.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "support/scoped_env.h"
#include "support/test_site.h"

namespace kelvo::test {

// What one run of the program left.
struct ProgramResult {
  int code = -1;
  std::string out;  // standard output
  std::string err;  // standard error
};

class CliSiteTest : public ::testing::Test, public TestSite {
 protected:
  CliSiteTest();

  // Runs kelvoupdate with ARGUMENTS (shell words) and --pasta naming the
  // working folder, from another folder; WRAPPER (shell words) runs it, as
  // timeout(1) does.
  ProgramResult kelvoupdate(const std::string& arguments, const std::string& wrapper = "");
  // Runs it the same way on a terminal (through script(1)): standard output
  // and standard error both land in the result's OUT, as a terminal shows them.
  ProgramResult kelvoupdateOnATerminal(const std::string& arguments);

 private:
  // Returns the shell words that start kelvoupdate with ARGUMENTS on the
  // working folder.
  std::string commandLine(const std::string& arguments) const;

  std::optional<ScopedEnv> aliases_env_;
};

}  // namespace kelvo::test
