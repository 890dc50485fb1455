// kelvo-script: tries upgrade scripts from a shell, as the script run would
// apply them, or checks them without a database. See usage below.
#include <iostream>
#include <string>
#include <vector>

#include "access/interbase/ib_client_connection.h"
#include "scripts/commit_work_lines.h"
#include "scripts/ib_script.h"
#include "scripts/script_check.h"
#include "scripts/script_lines.h"

namespace {

constexpr const char* kUsage =
    "usage: kelvo-script DATABASE FILE...\n"
    "       kelvo-script --check FILE...\n"
    "\n"
    "DATABASE FILE...  runs each script file against the existing client database\n"
    "                  DATABASE (a path, or host/port:path) exactly as the update's\n"
    "                  script run does: lines holding COMMIT WORK are blanked, the\n"
    "                  data transaction is committed after each script and one\n"
    "                  runner serves every file, so SET TERM, SET AUTODDL and SET\n"
    "                  SQL DIALECT carry over. The login, dialect and client library\n"
    "                  are the updater's own. Stops at the first failing script,\n"
    "                  printing its error text, with exit code 1; 0 when all ran.\n"
    "--check FILE...   needs no database: reads the files as the runner would and\n"
    "                  lists every statement it refuses (\"Invalid statement\",\n"
    "                  \"Invalid Comment\", an INPUT file that cannot be read) as\n"
    "                  FILE:LINE: MESSAGE followed by the statement's text, and\n"
    "                  every line blanked for holding COMMIT WORK beside other text.\n"
    "                  Exit code 1 when anything is listed, else 0.\n"
    "--help            shows this text.\n"
    "\n"
    "Exit code 2: wrong arguments.\n";

// Writes TEXT with every line indented, CR LF and LF alike.
void writeIndented(std::ostream& out, const std::string& text) {
  out << "    ";
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out << text[i];
    if (text[i] == '\n') out << "    ";
  }
  out << '\n';
}

int check(const std::vector<std::string>& files) {
  kelvo::ScriptChecker checker;
  bool refused = false;
  for (const std::string& file : files) {
    std::vector<std::string> lines;
    try {
      lines = kelvo::loadScriptFile(file);
    } catch (const kelvo::Error& error) {
      std::cout << file << ": " << error.what() << '\n';
      refused = true;
      continue;
    }
    for (const kelvo::ScriptComplaint& complaint : checker.check(std::move(lines), file)) {
      std::cout << complaint.source << ':' << complaint.line << ": " << complaint.message << '\n';
      writeIndented(std::cout, complaint.text);
      refused = true;
    }
  }
  return refused ? 1 : 0;
}

// Commits the data transaction as the run does after each script; unlike the
// run, which drops such an error, a failing commit is reported here.
bool commitAfterScript(kelvo::ClientConnection& client, const std::string& file) {
  if (!client.IBTransaction1.inTransaction()) return true;
  try {
    client.IBTransaction1.commit();
    return true;
  } catch (const kelvo::Error& error) {
    std::cerr << file << ": the commit after the script failed:\n" << error.what() << '\n';
    return false;
  }
}

int run(const std::string& database, const std::vector<std::string>& files) {
  kelvo::ClientConnection client;
  client.IBDatabase1.setDatabaseName(database);
  client.IBDatabase1.open();
  int result = 0;
  {
    kelvo::IbScript runner(client.IBDatabase1, client.IBTransaction1);
    for (const std::string& file : files) {
      runner.Script() = kelvo::loadScriptFile(file);
      kelvo::blankCommitWorkLines(runner.Script());
      try {
        runner.ExecuteScript();
      } catch (const kelvo::Error& error) {
        std::cerr << file << ": failed:\n" << error.what() << '\n';
        commitAfterScript(client, file);
        result = 1;
        break;
      }
      if (!commitAfterScript(client, file)) {
        result = 1;
        break;
      }
      std::cout << file << ": applied\n";
    }
  }
  client.IBDatabase1.close();
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  if (!arguments.empty() && (arguments[0] == "--help" || arguments[0] == "-h")) {
    std::cout << kUsage;
    return 0;
  }
  const bool checking = !arguments.empty() && arguments[0] == "--check";
  if (arguments.size() < 2 || (!checking && arguments[0].starts_with("--"))) {
    std::cerr << kUsage;
    return 2;
  }
  try {
    if (checking) return check({arguments.begin() + 1, arguments.end()});
    return run(arguments[0], {arguments.begin() + 1, arguments.end()});
  } catch (const kelvo::Error& error) {
    std::cerr << error.what() << '\n';
    return 1;
  }
}
