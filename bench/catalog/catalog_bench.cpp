// Times the script catalogue over a catalogue of many scripts: counting the
// pending scripts, listing them, and fetching every script's text, as one
// client database's update does.
//
//   catalog_bench STATE_DIR [SCRIPTS] [ROUNDS]
// STATE_DIR is a folder written by tests/services/mariadb.start (port, user,
// password, database). The bench fills the catalogue's scripts table itself.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "access/catalogue/alias_file.h"
#include "access/catalogue/catalog_connection.h"
#include "platform/hex_text.h"
#include "support/bench_catalogue.h"
#include "update/script_catalogue.h"

namespace {

using Clock = std::chrono::steady_clock;

// A script of about 1.5 KB: schema and data statements, CR LF line ends.
std::string scriptText(int number) {
  std::ostringstream text;
  text << "/* upgrade " << number << " */\r\n";
  text << "CREATE TABLE T" << number << " (ID INTEGER NOT NULL, NOME VARCHAR(60));\r\n";
  text << "COMMIT WORK;\r\n";
  for (int i = 0; i < 20; ++i) {
    text << "INSERT INTO T" << number << " (ID, NOME) VALUES (" << i << ", 'linha " << i
         << " do script');\r\n";
  }
  return text.str();
}

void fill(const std::filesystem::path& state, int scripts) {
  kelvo::bench::BenchCatalogue catalogue(state);
  const auto run = [&](const std::string& sql) { catalogue.run(sql); };
  run("DELETE FROM scripts");
  for (int first = 1; first <= scripts; first += 500) {
    std::string sql = "INSERT INTO scripts (programa, versao, texto, liberado) VALUES ";
    for (int n = first; n < first + 500 && n <= scripts; ++n) {
      char version[16];
      std::snprintf(version, sizeof version, "%05d", n);
      if (n != first) sql += ",";
      sql +=
          "('QUARVESSA','" + std::string(version) + "',X'" + kelvo::toHex(scriptText(n)) + "','S')";
    }
    run(sql);
  }
}

double milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: catalog_bench STATE_DIR [SCRIPTS] [ROUNDS]\n";
    return 2;
  }
  const std::filesystem::path state = argv[1];
  const int scripts = argc > 2 ? std::stoi(argv[2]) : 5000;
  const int rounds = argc > 3 ? std::stoi(argv[3]) : 7;
  try {
    fill(state, scripts);
    const auto aliases = state / "bench-aliases.ini";
    std::ofstream(aliases) << "[Check]\nDRIVER=MYSQL\nSERVER NAME=127.0.0.1\nPORT="
                           << kelvo::bench::readValue(state, "port")
                           << "\nDATABASE NAME=" << kelvo::bench::readValue(state, "database")
                           << "\n";
    kelvo::AliasFileRegistry registry(aliases.string());
    kelvo::CatalogConnection catalog(registry);
    kelvo::setCatalogLogin(catalog.Database1);
    const auto open_start = Clock::now();
    catalog.Database1.open();
    const double open_ms = milliseconds(Clock::now() - open_start);
    kelvo::ScriptCatalogue catalogue(catalog);

    std::vector<double> count_ms, list_ms, fetch_ms;
    std::size_t lines = 0;
    for (int round = 0; round < rounds; ++round) {
      auto start = Clock::now();
      const auto count = catalogue.pendingCount("QUARVESSA", "0");
      count_ms.push_back(milliseconds(Clock::now() - start));

      start = Clock::now();
      catalogue.openPendingList("QUARVESSA", "0");
      int listed = 0;
      for (auto& list = catalogue.pendingList(); !list.eof(); list.next()) ++listed;
      catalogue.closePendingList();
      list_ms.push_back(milliseconds(Clock::now() - start));

      start = Clock::now();
      catalogue.openPendingList("QUARVESSA", "0");
      lines = 0;
      for (auto& list = catalogue.pendingList(); !list.eof(); list.next()) {
        lines += catalogue.scriptText().size();
      }
      catalogue.closePendingList();
      fetch_ms.push_back(milliseconds(Clock::now() - start));
      if (count != scripts || listed != scripts) {
        std::cerr << "expected " << scripts << " scripts, counted " << count << ", listed "
                  << listed << "\n";
        return 1;
      }
    }
    std::cout << "catalogue of " << scripts << " scripts (" << lines << " lines), median of "
              << rounds << " rounds\n"
              << "  open connection:            " << open_ms << " ms\n"
              << "  pending count:              " << kelvo::bench::median(count_ms) << " ms\n"
              << "  pending list (walk):        " << kelvo::bench::median(list_ms) << " ms\n"
              << "  list + fetch every text:    " << kelvo::bench::median(fetch_ms) << " ms ("
              << kelvo::bench::median(fetch_ms) * 1000.0 / scripts << " us per script)\n";
  } catch (const std::exception& error) {
    std::cerr << "catalog_bench: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
