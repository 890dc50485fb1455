// The site of kelvoupdate's end-to-end tests.
#include "cli/cli_site.h"

#include <sys/wait.h>

#include <cstdlib>

namespace kelvo::test {

namespace fs = std::filesystem;

namespace {

// Returns the exit code in std::system's STATUS, or -1 when the program did
// not exit by itself.
int exitCode(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : -1; }

}  // namespace

CliSiteTest::CliSiteTest() {
  setUpStore("old main executable");
  aliases_env_.emplace("KELVOUPDATE_ALIASES", writeAliasFile().string());
  installArchiver("Program Files");
  useUpdateServer();
}

ProgramResult CliSiteTest::kelvoupdate(const std::string& arguments, const std::string& wrapper) {
  const fs::path out = machine_.path() / "stdout";
  const fs::path err = machine_.path() / "stderr";
  const std::string command = "cd '" + machine_.path().string() + "' && " + wrapper + " " +
                              commandLine(arguments) + " >'" + out.string() + "' 2>'" +
                              err.string() + "'";
  return {exitCode(std::system(command.c_str())), readFile(out), readFile(err)};
}

ProgramResult CliSiteTest::kelvoupdateOnATerminal(const std::string& arguments) {
  const fs::path typescript = machine_.path() / "typescript";
  const fs::path command = machine_.write("command.sh", "exec " + commandLine(arguments) + "\n");
  const std::string line =
      "script -qec 'sh " + command.string() + "' '" + typescript.string() + "' >/dev/null 2>&1";
  return {exitCode(std::system(line.c_str())), readFile(typescript), ""};
}

std::string CliSiteTest::commandLine(const std::string& arguments) const {
  return "'" + std::string(std::getenv("KELVO_BINARY_DIR")) + "/src/cli/kelvoupdate' " + arguments +
         " --pasta '" + work_.path().string() + "'";
}

}  // namespace kelvo::test
