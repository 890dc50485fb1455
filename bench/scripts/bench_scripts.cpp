// Script runner and statement reader figures:
//   bench_scripts runner [ROUNDS]  a 5000-statement script (50 CREATE TABLE,
//                                  4950 INSERT, COMMIT) into a fresh dialect-1
//                                  database, side by side with isql-fb -q -b -i
//                                  on an identical fresh database, per round;
//   bench_scripts reader [ROUNDS]  statements per second of the reader alone
//                                  on a 1 MiB script.
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "access/interbase/ib_client_connection.h"
#include "scripts/ib_script.h"
#include "scripts/script_lines.h"
#include "scripts/statement_reader.h"

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Returns user plus system CPU seconds of WHO (this process with its
// threads, or its waited-for children).
double cpuSeconds(int who) {
  rusage usage{};
  ::getrusage(who, &usage);
  const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Wall and CPU seconds of one run.
struct Timing {
  double wall;
  double cpu;
};

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::string generatedScript() {
  std::string script;
  for (int t = 1; t <= 50; ++t) {
    script += "CREATE TABLE T" + std::to_string(t) +
              " (ID INTEGER NOT NULL PRIMARY KEY, NAME VARCHAR(40), AMOUNT NUMERIC(9,2), "
              "CREATED DATE);\n";
  }
  for (int n = 1; n <= 4950; ++n) {
    script += "INSERT INTO T" + std::to_string(n % 50 + 1) +
              " (ID, NAME, AMOUNT, CREATED) VALUES (" + std::to_string(n) + ", 'name " +
              std::to_string(n) + "', " + std::to_string(n) + ".25, '2024-03-05');\n";
  }
  script += "COMMIT;\n";
  return script;
}

void createDatabase(const std::string& path) {
  kelvo::IbDatabase database(kelvo::loadIbClientLibrary());
  database.setSqlDialect(1);
  database.setDatabaseName(path);
  database.createDatabase("USER 'ROOT' PASSWORD '471806' PAGE_SIZE 4096");
  database.close();
}

// Our runner as the script run uses it: attach, execute, commit, detach.
Timing runOurs(const std::string& path, const std::string& script) {
  const double cpu_start = cpuSeconds(RUSAGE_SELF);
  const Clock::time_point start = Clock::now();
  kelvo::ClientConnection client;
  kelvo::IbScript runner(client.IBDatabase1, client.IBTransaction1);
  client.IBDatabase1.setDatabaseName(path);
  client.IBDatabase1.open();
  runner.Script() = kelvo::splitScriptLines(script);
  runner.ExecuteScript();
  if (client.IBTransaction1.inTransaction()) client.IBTransaction1.commit();
  client.IBDatabase1.close();
  return {secondsSince(start), cpuSeconds(RUSAGE_SELF) - cpu_start};
}

Timing runIsql(const std::string& path, const std::string& script_file) {
  const std::string command = "isql-fb -q -b -i '" + script_file + "' '" + path +
                              "' -user ROOT -password 471806 >/dev/null 2>&1";
  const double cpu_start = cpuSeconds(RUSAGE_CHILDREN);
  const Clock::time_point start = Clock::now();
  const int status = std::system(command.c_str());
  const double seconds = secondsSince(start);
  if (status != 0) throw std::runtime_error("isql-fb failed: " + command);
  return {seconds, cpuSeconds(RUSAGE_CHILDREN) - cpu_start};
}

int benchRunner(int rounds) {
  const fs::path folder =
      fs::temp_directory_path() / ("kelvo-bench-scripts-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  const std::string script = generatedScript();
  const std::string script_file = (folder / "script.sql").string();
  std::ofstream(script_file, std::ios::binary) << script;
  createDatabase((folder / "warm.fdb").string());  // loads the engine once, as isql does per run

  std::vector<double> ours, isql, ours_cpu, isql_cpu;
  for (int round = 0; round < rounds; ++round) {
    const std::string a = (folder / ("ours" + std::to_string(round) + ".fdb")).string();
    const std::string b = (folder / ("isql" + std::to_string(round) + ".fdb")).string();
    createDatabase(a);
    createDatabase(b);
    // Alternate the order so that neither side always runs on a warmer cache.
    Timing mine{}, theirs{};
    if (round % 2 == 0) {
      mine = runOurs(a, script);
      theirs = runIsql(b, script_file);
    } else {
      theirs = runIsql(b, script_file);
      mine = runOurs(a, script);
    }
    ours.push_back(mine.wall);
    isql.push_back(theirs.wall);
    ours_cpu.push_back(mine.cpu);
    isql_cpu.push_back(theirs.cpu);
    std::printf("round %d: ours %.3f s (cpu %.3f s), isql %.3f s (cpu %.3f s)\n", round + 1,
                mine.wall, mine.cpu, theirs.wall, theirs.cpu);
    fs::remove(a);
    fs::remove(b);
  }
  fs::remove_all(folder);
  const double m_ours = median(ours), m_isql = median(isql);
  std::printf(
      "runner, 5000 statements, median of %d: ours %.3f s, isql-fb %.3f s, wall ratio %.3f "
      "(target <= 1.05); cpu ours %.3f s, isql-fb %.3f s, cpu ratio %.3f\n",
      rounds, m_ours, m_isql, m_ours / m_isql, median(ours_cpu), median(isql_cpu),
      median(ours_cpu) / median(isql_cpu));
  return 0;
}

std::string megabyteScript() {
  const std::vector<std::string> samples{
      "INSERT INTO CUSTOMER (ID, NAME, NOTE) VALUES (1, 'O''Brien; Ltd', \"x;y\");\n",
      "/* a comment ; with a terminator */\nUPDATE CUSTOMER SET NAME = 'a' WHERE ID = 2;\n",
      "CREATE TABLE T (A INTEGER, B VARCHAR(20));\n",
      "CREATE PROCEDURE P\nAS\nBEGIN\n  INSERT INTO T (A) VALUES (1);\nEND;\n\n",
      "DELETE FROM T WHERE A = 3; DELETE FROM T WHERE A = 4;\n",
  };
  std::string script;
  for (std::size_t i = 0; script.size() < (1u << 20); ++i) script += samples[i % samples.size()];
  return script;
}

int benchReader(int rounds) {
  const std::string script = megabyteScript();
  const std::vector<std::string> lines = kelvo::splitScriptLines(script);
  std::vector<double> rates;
  std::size_t statements = 0;
  for (int round = 0; round < rounds; ++round) {
    kelvo::StatementReader reader;
    const Clock::time_point start = Clock::now();
    reader.start(lines);
    statements = 0;
    while (reader.next()) ++statements;
    rates.push_back(static_cast<double>(statements) / secondsSince(start));
  }
  const double rate = median(rates);
  std::printf(
      "reader, %.2f MiB script, %zu statements, median of %d: %.0f statements/s (%.1f MiB/s)\n",
      static_cast<double>(script.size()) / (1 << 20), statements, rounds, rate,
      rate * static_cast<double>(script.size()) / static_cast<double>(statements) / (1 << 20));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  try {
    if (mode == "runner") return benchRunner(rounds);
    if (mode == "reader") return benchReader(rounds);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "bench_scripts: %s\n", error.what());
    return 1;
  }
  std::fprintf(stderr, "usage: bench_scripts runner|reader [ROUNDS]\n");
  return 2;
}
