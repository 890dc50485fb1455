// The customer site of the integration tests.
#include "support/test_site.h"

#include "access/catalogue/desembaralha.h"
#include "platform/codepage.h"
#include "platform/hex_text.h"
#include "support/services.h"
#include "support/test_times.h"

namespace kelvo::test {

namespace fs = std::filesystem;

namespace {

// Returns TEXT scrambled with KEY as a MariaDB expression of the catalogue's
// character set.
std::string scrambled(const std::u16string& text, int key) {
  return "CONVERT(X'" + toHex(utf16ToUtf8(Embaralha(text, key))) + "' USING utf8mb4)";
}

}  // namespace

TestSite::TestSite() : ClientDatabases(machine_.path()), base_(yesterdayAtAWholeMinute()) {
  registryNames("Program Files");
  catalog_.execute("INSERT INTO principal (senha_ftp, senha_ftp2) VALUES (" +
                   scrambled(u"secret", 3) + ", " + scrambled(u"wrong", 4) + ")");
}

std::string TestSite::setUpStore(const std::string& main_executable) {
  local("Sys_Tavrela.exe", main_executable, base_);
  local("Sys_Info.INI", "[BASE] ALIAS= LOJA\r\n[OUTRA]\r\n", base_);
  return addDatabase(kStoreAlias);
}

void TestSite::useUpdateServer() {
  // While this marker exists the server adds odd lines to its listing.
  fs::remove(fs::path(serviceFolder("update_ftp")) / "odd-listing");
  fs::remove_all(served(""));
  fs::create_directories(served(""));
  configure();
}

void TestSite::configure(const std::vector<std::string>& more_lines, const std::string& port) {
  std::string text = "127.0.0.1\r\n" + (port.empty() ? serviceValue("update_ftp", "port") : port);
  for (const std::string& line : more_lines) text += "\r\n" + line;
  work_.write("atualiza.cfg", text + "\r\n");
}

void TestSite::storeFtpPassword(const std::string& password) {
  catalog_.execute("UPDATE principal SET senha_ftp = " + scrambled(utf8ToUtf16(password), 3));
}

fs::path TestSite::writeAliasFile() const {
  if (catalogue_reachable_) {
    return writeCatalogAliasFile(machine_, catalog_.name(), aliasText());
  }
  // Nothing listens on port 1 of the loopback interface.
  return machine_.write("aliases.ini",
                        "[Check]\nDRIVER=MYSQL\nSERVER NAME=127.0.0.1\nPORT=1\n"
                        "DATABASE NAME=Divozov_ev\n" +
                            aliasText());
}

fs::path TestSite::served(const std::string& name) const {
  return fs::path(serviceValue("update_ftp", "root")) / "quarvessa" / name;
}

void TestSite::serve(const std::string& name, const std::string& content, TDateTime when) {
  writeDated(served(name), content, when);
}

void TestSite::unserve(const std::string& name) { fs::remove(served(name)); }

void TestSite::local(const std::string& name, const std::string& content, TDateTime when) {
  writeDated(workPath(name), content, when);
}

fs::path TestSite::workPath(const std::string& name) const { return work_.path() / name; }

std::string TestSite::localContent(const std::string& name) const {
  return readFile(workPath(name));
}

std::string TestSite::folderSnapshot() const { return test::folderSnapshot(work_.path()); }

std::string TestSite::databaseSnapshot() const { return snapshot(kStoreAlias); }

std::vector<std::string> TestSite::versions() const {
  return column(kStoreAlias, "select versao V from versao");
}

}  // namespace kelvo::test
