// Times the script run applying a catalogue of pending scripts to a fresh
// client database, against the same statements fed to isql-fb in one file.
//
//   script_run_bench STATE_DIR [SCRIPTS] [STATEMENTS] [ROUNDS]
// STATE_DIR is a folder written by tests/services/mariadb.start. Each round
// uses two fresh embedded databases in STATE_DIR (creation not timed); isql
// is timed including its start, the run including its catalogue queries,
// version read and record.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "access/catalogue/alias_file.h"
#include "access/interbase/ib_client_connection.h"
#include "platform/hex_text.h"
#include "support/bench_catalogue.h"
#include "update/script_run.h"

namespace {

using Clock = std::chrono::steady_clock;

// Script NUMBER: a table, then inserts into it, STATEMENTS statements in all.
std::vector<std::string> scriptLines(int number, int statements) {
  std::vector<std::string> lines{"/* upgrade " + std::to_string(number) + " */"};
  const std::string table = "T" + std::to_string(number);
  lines.push_back("CREATE TABLE " + table + " (ID INTEGER NOT NULL, NOME VARCHAR(60));");
  for (int i = 1; i < statements; ++i) {
    lines.push_back("INSERT INTO " + table + " (ID, NOME) VALUES (" + std::to_string(i) +
                    ", 'linha " + std::to_string(i) + " do script " + std::to_string(number) +
                    "');");
  }
  return lines;
}

std::string version(int number) {
  char text[16];
  std::snprintf(text, sizeof text, "%05d", number);
  return text;
}

void fillCatalogue(const std::filesystem::path& state, int scripts, int statements) {
  kelvo::bench::BenchCatalogue catalogue(state);
  const auto run = [&](const std::string& sql) { catalogue.run(sql); };
  run("DELETE FROM scripts");
  for (int n = 1; n <= scripts; ++n) {
    std::string text;
    for (const std::string& line : scriptLines(n, statements)) text += line + "\r\n";
    run("INSERT INTO scripts (programa, versao, texto, liberado) VALUES ('QUARVESSA','" +
        version(n) + "',X'" + kelvo::toHex(text) + "','S')");
  }
}

void createDatabase(const std::string& path) {
  std::filesystem::remove(path);
  kelvo::IbDatabase database(kelvo::loadIbClientLibrary());
  database.setSqlDialect(1);
  database.setDatabaseName(path);
  database.createDatabase("USER 'ROOT' PASSWORD '471806' PAGE_SIZE 4096");
  database.close();
}

// Returns the number of rows of TABLE in the database PATH.
long long countRows(const std::string& path, const std::string& table) {
  kelvo::ClientConnection client;
  client.IBDatabase1.setDatabaseName(path);
  client.IBQuery1.setSqlText("select count(*) CT from " + table);
  client.IBQuery1.open();
  const long long rows = client.IBQuery1.fieldByName("CT").asInteger();
  client.IBQuery1.close();
  client.IBTransaction2.rollback();
  client.IBDatabase1.close();
  return rows;
}

// The run's view without a screen: nothing to paint, nothing may fail.
class QuietView : public kelvo::ScriptRunView {
 public:
  void setProgressMaximum(int) override {}
  void setProgress(int) override {}
  void showScriptError(const std::string& caption) override {
    throw std::runtime_error("a script failed: " + caption);
  }
  void pause(int) override {}
  void showRunError(const std::string& text) override { error = text; }
  void closeScreen() override {}
  std::string error;
};

double seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: script_run_bench STATE_DIR [SCRIPTS] [STATEMENTS] [ROUNDS]\n";
    return 2;
  }
  const std::filesystem::path state = std::filesystem::absolute(argv[1]);
  const int scripts = argc > 2 ? std::stoi(argv[2]) : 200;
  const int statements = argc > 3 ? std::stoi(argv[3]) : 25;
  const int rounds = argc > 4 ? std::stoi(argv[4]) : 3;
  try {
    fillCatalogue(state, scripts, statements);
    const std::string run_db = (state / "run.fdb").string();
    const std::string isql_db = (state / "isql.fdb").string();
    const auto aliases = state / "bench-aliases.ini";
    std::ofstream(aliases) << "[Check]\nDRIVER=MYSQL\nSERVER NAME=127.0.0.1\nPORT="
                           << kelvo::bench::readValue(state, "port")
                           << "\nDATABASE NAME=" << kelvo::bench::readValue(state, "database")
                           << "\n[BENCH]\nDRIVER=INTRBASE\nSERVER NAME=" << run_db << "\n";
    // The same statements for isql, each script followed by the commit the
    // run makes after it.
    const auto input = state / "bench.sql";
    {
      std::ofstream sql(input, std::ios::binary);
      for (int n = 1; n <= scripts; ++n) {
        for (const std::string& line : scriptLines(n, statements)) sql << line << "\r\n";
        sql << "COMMIT;\r\n";
      }
    }
    const std::string isql = "isql-fb -q -b -user ROOT -password 471806 -i '" + input.string() +
                             "' '" + isql_db + "' > '" + (state / "isql.log").string() + "' 2>&1";

    kelvo::AliasFileRegistry registry(aliases.string());
    std::vector<double> run_s, isql_s;
    for (int round = 0; round < rounds; ++round) {
      createDatabase(run_db);
      // A fresh run per round, as a new wait screen would hold.
      kelvo::UpdateData data(registry);
      data.catalog.Database1.open();
      QuietView view;
      kelvo::ScriptRun run(data, {"BENCH"});
      auto start = Clock::now();
      const bool failed = run.run(view).failed();
      run_s.push_back(seconds(Clock::now() - start));
      if (!view.error.empty() || failed) throw std::runtime_error("run failed: " + view.error);
      if (countRows(run_db, "T" + std::to_string(scripts)) != statements - 1) {
        throw std::runtime_error("the run left the last table incomplete");
      }

      createDatabase(isql_db);
      start = Clock::now();
      const int status = std::system(isql.c_str());
      isql_s.push_back(seconds(Clock::now() - start));
      if (status != 0)
        throw std::runtime_error("isql-fb failed; see " + state.string() + "/isql.log");
      if (countRows(isql_db, "T" + std::to_string(scripts)) != statements - 1) {
        throw std::runtime_error("isql left the last table incomplete");
      }
    }
    const double run_median = kelvo::bench::median(run_s);
    const double isql_median = kelvo::bench::median(isql_s);
    std::cout << scripts << " scripts of " << statements << " statements, median of " << rounds
              << " rounds\n"
              << "  script run (catalogue, versions, execution, commits): " << run_median << " s\n"
              << "  isql-fb -q -b -i (same statements, commit per script): " << isql_median
              << " s\n"
              << "  ratio run / isql: " << run_median / isql_median << "\n";
  } catch (const std::exception& error) {
    std::cerr << "script_run_bench: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
