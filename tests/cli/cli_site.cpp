// The site of kelvoupdate's end-to-end tests.
#include "cli/cli_site.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "access/catalogue/desembaralha.h"
#include "access/interbase/ib_test_database.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/formats.h"
#include "platform/hex_text.h"
#include "support/services.h"
#include "support/test_times.h"

namespace kelvo::test {

namespace fs = std::filesystem;

namespace {

fs::path servedFolder() { return fs::path(serviceValue("update_ftp", "root")) / "quarvessa"; }

std::string scrambled(const std::u16string& text) {
  return "CONVERT(X'" + toHex(utf16ToUtf8(Embaralha(text, 3))) + "' USING utf8mb4)";
}

// Runs SQL on DATABASE's client query and returns the first column of every row.
std::vector<std::string> column(ClientConnection& client, const std::string& sql,
                                const std::string& name) {
  std::vector<std::string> values;
  client.IBQuery1.setSqlText(sql);
  client.IBQuery1.open();
  for (; !client.IBQuery1.eof(); client.IBQuery1.next()) {
    values.push_back(client.IBQuery1.fieldByName(name).asString());
  }
  client.IBQuery1.close();
  client.IBTransaction2.rollback();
  return values;
}

std::string trimmedName(const std::string& name) {
  return name.substr(0, name.find_last_not_of(' ') + 1);
}

// Returns every row of TABLE, its FIELDS separated by "|", rows by ";".
std::string rowsOf(ClientConnection& client, const std::string& table,
                   const std::vector<std::string>& fields) {
  std::string rows;
  client.IBQuery1.setSqlText("select * from " + table);
  client.IBQuery1.open();
  for (; !client.IBQuery1.eof(); client.IBQuery1.next()) {
    for (const std::string& field : fields) {
      rows += client.IBQuery1.fieldByName(field).asString() + "|";
    }
    rows += ";";
  }
  client.IBQuery1.close();
  client.IBTransaction2.rollback();
  return rows;
}

}  // namespace

CliSiteTest::CliSiteTest()
    : base_(yesterdayAtAWholeMinute()),
      database_((machine_.path() / "loja.fdb").string()),
      registry_env_("KELVOUPDATE_REGISTRY", (machine_.path() / "registry.reg").string()),
      aliases_env_("KELVOUPDATE_ALIASES",
                   writeCatalogAliasFile(machine_, catalog_.name(),
                                         "[LOJA]\nDRIVER=INTRBASE\nSERVER NAME=" + database_ + "\n")
                       .string()) {
  const fs::path programs = machine_.path() / "Program Files";
  machine_.write("registry.reg",
                 "Windows Registry Editor Version 5.00\r\n\r\n"
                 "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion]\r\n"
                 "\"ProgramFilesDir\"=\"" +
                     programs.string() + "\"\r\n");
  const std::string install = sourceFolder() + "/scripts/install-archiver '" + programs.string() +
                              "' " + std::getenv("KELVO_BINARY_DIR");
  EXPECT_EQ(std::system(install.c_str()), 0);
  createDialect1Database(database_);
  catalog_.execute("INSERT INTO principal (senha_ftp, senha_ftp2) VALUES (" + scrambled(u"secret") +
                   ", " + scrambled(u"wrong") + ")");

  fs::remove_all(servedFolder());
  fs::create_directories(servedFolder());
  local("Sys_Tavrela.exe", "old main executable", base_);
  local("Sys_Info.INI", "[BASE] ALIAS= LOJA\r\n[OUTRA]\r\n", base_);
  configure();
}

ProgramResult CliSiteTest::kelvoupdate(const std::string& arguments) {
  const fs::path out = machine_.path() / "stdout";
  const fs::path err = machine_.path() / "stderr";
  const std::string program = std::string(std::getenv("KELVO_BINARY_DIR")) + "/src/cli/kelvoupdate";
  const std::string command = "cd '" + machine_.path().string() + "' && '" + program + "' " +
                              arguments + " --pasta '" + work_.path().string() + "' >'" +
                              out.string() + "' 2>'" + err.string() + "'";
  const int status = std::system(command.c_str());
  ProgramResult result;
  result.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = readFile(out);
  result.err = readFile(err);
  return result;
}

ProgramResult CliSiteTest::kelvoupdateOnATerminal(const std::string& arguments) {
  const fs::path typescript = machine_.path() / "typescript";
  const fs::path command =
      machine_.write("command.sh", "exec '" + std::string(std::getenv("KELVO_BINARY_DIR")) +
                                       "/src/cli/kelvoupdate' " + arguments + " --pasta '" +
                                       work_.path().string() + "'\n");
  const std::string line =
      "script -qec 'sh " + command.string() + "' '" + typescript.string() + "' >/dev/null 2>&1";
  const int status = std::system(line.c_str());
  ProgramResult result;
  result.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = readFile(typescript);
  return result;
}

void CliSiteTest::serve(const std::string& name, const std::string& content, TDateTime when) {
  writeDated(servedFolder() / name, content, when);
}

void CliSiteTest::unserve(const std::string& name) { fs::remove(servedFolder() / name); }

void CliSiteTest::local(const std::string& name, const std::string& content, TDateTime when) {
  writeDated(workPath(name), content, when);
}

fs::path CliSiteTest::workPath(const std::string& name) const { return work_.path() / name; }

void CliSiteTest::configure(const std::string& port) {
  work_.write(
      "atualiza.cfg",
      "127.0.0.1\r\n" + (port.empty() ? serviceValue("update_ftp", "port") : port) + "\r\n");
}

std::string CliSiteTest::folderSnapshot() const {
  std::ostringstream out;
  std::vector<fs::path> names;
  for (const auto& entry : fs::directory_iterator(work_.path())) names.push_back(entry.path());
  std::sort(names.begin(), names.end());
  for (const fs::path& path : names) {
    out << path.filename().string() << " " << fs::last_write_time(path).time_since_epoch().count()
        << " " << (fs::is_regular_file(path) ? toHex(readFile(path)) : "folder") << "\n";
  }
  return out.str();
}

std::string CliSiteTest::databaseSnapshot() const {
  ClientConnection client;
  client.IBDatabase1.setDatabaseName(database_);
  client.IBDatabase1.open();
  std::string snapshot;
  for (const std::string& table :
       column(client,
              "select rdb$relation_name N from rdb$relations where rdb$system_flag = 0 "
              "order by rdb$relation_name",
              "N")) {
    const std::string name = trimmedName(table);
    snapshot += name + ":";
    std::vector<std::string> fields;
    for (const std::string& field :
         column(client,
                "select rdb$field_name N from rdb$relation_fields where rdb$relation_name = '" +
                    name + "' order by rdb$field_position",
                "N")) {
      fields.push_back(trimmedName(field));
    }
    snapshot += rowsOf(client, name, fields) + "\n";
  }
  client.IBDatabase1.close();
  return snapshot;
}

std::vector<std::string> CliSiteTest::versions() const {
  ClientConnection client;
  client.IBDatabase1.setDatabaseName(database_);
  client.IBDatabase1.open();
  std::vector<std::string> rows = column(client, "select versao from versao", "versao");
  client.IBDatabase1.close();
  return rows;
}

}  // namespace kelvo::test
