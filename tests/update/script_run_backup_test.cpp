// The restore point before the scripts, on real databases: the backup of
// each client database with pending scripts, restored with the real gbak to
// a database equal to the one before the scripts; its name on the failure
// screen; no backup when none is due; a backup that cannot be made holds
// that database's scripts back.
#include <gmock/gmock.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include "access/interbase/ib_backup.h"
#include "access/interbase/ib_error.h"
#include "access/interbase/ib_test_database.h"
#include "support/services.h"
#include "update/restore_point.h"
#include "update/script_run_site.h"
#include "update/site_update.h"

namespace kelvo::test {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::StartsWith;
using ::testing::ThrowsMessage;

// Returns the backup of ALIAS at the test site's fixed clock, 5 March 2024,
// 14:07:09.
std::string backupName(const std::string& alias) { return alias + "_2024-03-05_14-07-09.fbk"; }
constexpr const char* kBackupName = "LOJA_2024-03-05_14-07-09.fbk";

// Restores BACKUP into a new database RESTORED with the gbak a site has.
void restoreWithGbak(const fs::path& backup, const fs::path& restored) {
  const std::string command = "gbak -c -user ROOT -password 471806 '" + backup.string() + "' '" +
                              restored.string() + "' 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

// Names of the entries of FOLDER, sorted.
std::vector<std::string> namesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// A small file system of its own for one test, unmounted afterwards.
class SmallDisk {
 public:
  explicit SmallDisk(const fs::path& where) : where_(where) {
    fs::create_directories(where_);
    const std::string command = "mount -t tmpfs -o size=32k tmpfs '" + where_.string() + "'";
    mounted_ = std::system(command.c_str()) == 0;
  }
  ~SmallDisk() {
    if (!mounted_) return;
    [[maybe_unused]] const int status = std::system(("umount '" + where_.string() + "'").c_str());
  }
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;
  bool mounted() const { return mounted_; }

 private:
  fs::path where_;
  bool mounted_ = false;
};

class ScriptRunBackup : public ScriptRunSite {
 protected:
  // The databases of ALIASES (known already) at version 0001 with data of
  // two kinds, then two pending scripts, the second of which fails.
  void siteWithFailingScripts(const std::vector<std::string>& aliases) {
    // Enough history that the backup comes back in many pieces.
    std::string script =
        "CREATE TABLE CLIENTE (ID INTEGER NOT NULL PRIMARY KEY, NOME VARCHAR(40));\r\n"
        "CREATE TABLE MOVIMENTO (VALOR NUMERIC(15,2), DIA TIMESTAMP);\r\n"
        "CREATE TABLE HISTORICO (N INTEGER, TEXTO VARCHAR(200));\r\n"
        "INSERT INTO CLIENTE VALUES (1, 'Ana Conceição');\r\n"
        "INSERT INTO CLIENTE VALUES (2, 'José');\r\n"
        "INSERT INTO MOVIMENTO VALUES (12.5, '2024-03-01 10:00:00');\r\n";
    for (int n = 0; n < 2000; ++n) {
      script += "INSERT INTO HISTORICO VALUES (" + std::to_string(n) + ", '" +
                std::string(150, static_cast<char>('a' + n % 26)) + std::to_string(n) + "');\r\n";
    }
    catalog.addScript("QUARVESSA", "0001", script);
    ASSERT_FALSE(run(aliases).failed());
    catalog.addScript("QUARVESSA", "0002",
                      "ALTER TABLE CLIENTE ADD CIDADE VARCHAR(30);\r\n"
                      "UPDATE CLIENTE SET NOME = 'apagado';\r\n"
                      "DELETE FROM MOVIMENTO;\r\n"
                      "DELETE FROM HISTORICO WHERE N > 10;\r\n");
    catalog.addScript("QUARVESSA", "0003", "INSERT INTO NENHUMA VALUES (1);\r\n");
  }

  fs::path backups() {
    const fs::path path = folder.path() / "backups";
    fs::create_directories(path);
    backupFolder = path.string();
    return path;
  }
};

TEST_F(ScriptRunBackup, EachBackupRestoresItsDatabaseAsItWasBeforeTheScripts) {
  // An embedded database, and one served by a Firebird server, which backs
  // it up itself.
  const std::string served = "127.0.0.1/" + serviceValue("firebird", "port") + ":" +
                             (folder.path() / "servida.fdb").string();
  databases.addDatabase("LOJA");
  createDialect1Database(served);  // the creation carries its login to the server
  databases.addAlias("SERVIDA", served);
  const std::vector<std::string> aliases{"LOJA", "SERVIDA"};
  siteWithFailingScripts(aliases);
  std::map<std::string, std::string> before;
  for (const std::string& alias : aliases) before[alias] = databases.snapshot(alias);
  const fs::path folder_of_backups = backups();

  const ScriptRunResult result = run(aliases);
  ASSERT_EQ(result.databases.size(), 2u);
  // The backups are all the folder holds: nothing temporary is left.
  EXPECT_THAT(namesIn(folder_of_backups), ElementsAre(backupName("LOJA"), backupName("SERVIDA")));
  for (std::size_t i = 0; i < aliases.size(); ++i) {
    const std::string& alias = aliases[i];
    SCOPED_TRACE(alias);
    const DatabaseResult& database = result.databases[i];
    EXPECT_THAT(database.applied, ElementsAre("0002", "0003"));
    ASSERT_TRUE(database.failure);
    EXPECT_NE(databases.snapshot(alias), before[alias]);  // the committed 0002 changed it

    const fs::path backup = folder_of_backups / backupName(alias);
    EXPECT_EQ(database.restorePoint, backup.string());
    // The error screen keeps the record's name as its first line and names
    // the backup on the next; the command line prints the same caption.
    ASSERT_EQ(view.errorScreens.size(), 2u);
    EXPECT_EQ(view.errorScreens[i], "SCRIPT EM EXECUÇÃO SALVO: " + database.failure->recordName +
                                        "\nBACKUP DA BASE ANTES DOS SCRIPTS: " + backup.string());
    EXPECT_GT(fs::file_size(backup), 64'000u);  // several replies of the service, not one

    const fs::path restored = folder.path() / ("restaurada-" + alias + ".fdb");
    restoreWithGbak(backup, restored);
    databases.addAlias("R" + alias, restored.string());
    EXPECT_EQ(databases.snapshot("R" + alias), before[alias]);
    EXPECT_THAT(databases.column("R" + alias, "select versao V from versao"), ElementsAre("0001"));
  }
}

TEST_F(ScriptRunBackup, NoBackupWithoutAPendingScriptOrWithoutTheFolder) {
  databases.addDatabase("LOJA");
  catalog.addScript("QUARVESSA", "0001", "CREATE TABLE T (N INTEGER);\r\n");
  ASSERT_FALSE(run({"LOJA"}).failed());
  const fs::path folder_of_backups = backups();

  const struct {
    const char* what;
    const char* script;  // a new pending script, or none
    bool withFolder;
  } cases[] = {
      {"nothing pending", nullptr, true},
      {"no backup folder", "0002", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.script != nullptr)
      catalog.addScript("QUARVESSA", c.script, "INSERT INTO T VALUES (2);\r\n");
    backupFolder.reset();
    if (c.withFolder) backupFolder = folder_of_backups.string();

    const ScriptRunResult result = run({"LOJA"});
    ASSERT_EQ(result.databases.size(), 1u);
    EXPECT_FALSE(result.databases[0].restorePoint);
    EXPECT_FALSE(result.backupFailed());
    EXPECT_EQ(result.databases[0].applied.size(), c.script != nullptr ? 1u : 0u);
    EXPECT_THAT(namesIn(folder_of_backups), IsEmpty());
  }
}

TEST_F(ScriptRunBackup, ABackupThatCannotBeMadeHoldsThatDatabasesScriptsBack) {
  databases.addDatabase("LOJA");
  databases.addDatabase("FILIAL");
  const std::vector<std::string> aliases{"LOJA", "FILIAL"};
  siteWithFailingScripts(aliases);
  std::map<std::string, std::string> before;
  for (const std::string& alias : aliases) before[alias] = databases.snapshot(alias);
  const fs::path small = folder.path() / "pequeno";
  const SmallDisk disk(small);
  std::ofstream(folder.path() / "arquivo") << "x";

  const struct {
    const char* what;
    fs::path target;
    const char* reason;
  } cases[] = {
      {"folder missing", folder.path() / "nao-existe", "No such file or directory"},
      {"a file where the folder should be", folder.path() / "arquivo", "Not a directory"},
      // The partial backup is removed.
      {"a disk that fills", small, "No space left on device"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.target == small && !disk.mounted()) {
      std::cout << "cannot mount a tmpfs here (not root?): " << c.what << " not tried\n";
      continue;
    }
    backupFolder = c.target.string();
    view.runErrors.clear();
    const auto names_before = namesIn(folder.path());

    const ScriptRunResult result = run(aliases);
    EXPECT_FALSE(result.runError);
    EXPECT_FALSE(result.failed());  // not a script's failure: the site can mend it
    EXPECT_TRUE(result.backupFailed());
    ASSERT_EQ(result.databases.size(), 2u);  // the next database is still tried
    ASSERT_EQ(view.runErrors.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
      const DatabaseResult& database = result.databases[i];
      SCOPED_TRACE(database.alias);
      ASSERT_TRUE(database.backupError);
      EXPECT_THAT(*database.backupError,
                  StartsWith("Não foi possível fazer o backup da base " + database.alias + " ("));
      EXPECT_THAT(*database.backupError, HasSubstr("na pasta " + c.target.string() + ": "));
      EXPECT_THAT(*database.backupError, HasSubstr(c.reason));
      EXPECT_THAT(*database.backupError, HasSubstr("Nenhum script desta base foi executado."));
      EXPECT_EQ(view.runErrors[i], *database.backupError);
      EXPECT_THAT(database.applied, IsEmpty());
      EXPECT_FALSE(database.restorePoint);
      EXPECT_EQ(databases.snapshot(database.alias), before[database.alias]);
    }
    EXPECT_EQ(namesIn(folder.path()), names_before);  // nothing written anywhere
    if (fs::is_directory(c.target)) {
      EXPECT_THAT(namesIn(c.target), IsEmpty());
    }
  }
  EXPECT_THAT(view.errorScreens, IsEmpty());
}

TEST_F(ScriptRunBackup, ANameInUseIsNeverOverwrittenNorFollowed) {
  databases.addDatabase("LOJA");
  const fs::path folder_of_backups = backups();
  const fs::path elsewhere = folder.path() / "alvo.fbk";
  // A planted link (dangling, so that following it would create its
  // target), then a file of a run in the same second.
  fs::create_symlink(elsewhere, folder_of_backups / kBackupName);
  std::ofstream(folder_of_backups / "LOJA_2024-03-05_14-07-09_2.fbk") << "anterior";

  for (const char* version : {"0001", "0002"}) {
    catalog.addScript("QUARVESSA", version, "SELECT 1 FROM RDB$DATABASE;\r\n");
    EXPECT_FALSE(run({"LOJA"}).backupFailed());
  }
  EXPECT_FALSE(fs::exists(elsewhere));
  EXPECT_TRUE(fs::is_symlink(folder_of_backups / kBackupName));
  EXPECT_EQ(readFile(folder_of_backups / "LOJA_2024-03-05_14-07-09_2.fbk"), "anterior");
  EXPECT_THAT(namesIn(folder_of_backups),
              ElementsAre(kBackupName, "LOJA_2024-03-05_14-07-09_2.fbk",
                          "LOJA_2024-03-05_14-07-09_3.fbk", "LOJA_2024-03-05_14-07-09_4.fbk"));
}

TEST_F(ScriptRunBackup, ARelativeBackupFolderIsRefusedByTheRunAndTheWholeUpdate) {
  // Refused before anything is downloaded; how the settings file reads the
  // folder is site_settings_test's.
  AliasFileRegistry registry(
      writeCatalogAliasFile(folder, catalog.name(), databases.aliasText()).string());
  UpdateData data(registry);
  for (const std::string relative : {"backups", "./backups", "../backups"}) {
    SCOPED_TRACE(relative);
    const std::string message =
        "A pasta de backup deve ser um caminho absoluto: \"" + relative + "\"";
    UpdateOptions options;
    options.backupFolder = relative;
    EXPECT_THAT([&] { ScriptRun scripts(data, {}, {}, relative); }, ThrowsMessage<Error>(message));
    EXPECT_THAT([&] { SiteUpdate update(registry, options); }, ThrowsMessage<Error>(message));
  }
  UpdateOptions options;
  options.backupFolder = folder.path().string();
  EXPECT_NO_THROW(ScriptRun(data, {}, {}, options.backupFolder));
  EXPECT_NO_THROW(SiteUpdate(registry, options));
}

TEST(BackupService, SaysWhyItCannotBackADatabaseUp) {
  TempFolder folder;
  const std::string missing = (folder.path() / "nao-existe.fdb").string();
  const std::string server = "127.0.0.1/" + serviceValue("firebird", "port") + ":";
  const struct {
    const char* what;
    std::string location;
    std::vector<std::string> params;
  } cases[] = {
      {"embedded, no such file", missing, {"user_name=ROOT", "password=471806"}},
      {"server, no such file", server + missing, {"user_name=ROOT", "password=471806"}},
      {"server, login refused", server + missing, {"user_name=ROOT", "password=errada"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::size_t bytes = 0;
    try {
      backupDatabase(*loadIbClientLibrary(), c.params, c.location,
                     [&](std::string_view chunk) { bytes += chunk.size(); });
      FAIL() << "no error";
    } catch (const IbError& error) {
      EXPECT_FALSE(error.statusLines().empty());
      if (c.params[1] == "password=errada") {
        EXPECT_THAT(error.what(), HasSubstr("user name and password"));
      } else {
        EXPECT_THAT(error.what(), HasSubstr(missing));
      }
    }
    EXPECT_EQ(bytes, 0u);
  }
}

TEST(ServiceTarget, EmbeddedPathsAndServersEachGetTheirServiceManager) {
  const struct {
    const char* location;
    IbServiceTarget target;
  } cases[] = {
      {"/dados/loja.fdb", {"service_mgr", "/dados/loja.fdb"}},
      {"relativa.fdb", {"service_mgr", "relativa.fdb"}},
      {"servidor:/dados/loja.fdb", {"servidor:service_mgr", "/dados/loja.fdb"}},
      {"127.0.0.1/3051:/dados/loja.fdb", {"127.0.0.1/3051:service_mgr", "/dados/loja.fdb"}},
      {"servidor:C:\\dados\\loja.fdb", {"servidor:service_mgr", "C:\\dados\\loja.fdb"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.location);
    EXPECT_EQ(serviceTargetOf(c.location), c.target);
  }
  EXPECT_THROW(serviceTargetOf(""), Error);
  EXPECT_THROW(serviceTargetOf("inet://servidor/dados/loja.fdb"), Error);
}

TEST(RestorePointName, AliasDateTimeAndCopyNumber) {
  const TDateTime when = encodeDate(2026, 12, 9) + encodeTime(2, 30, 0, 0);
  EXPECT_EQ(restorePointName("LOJA", when), "LOJA_2026-12-09_02-30-00.fbk");
  EXPECT_EQ(restorePointName("LOJA", when, 2), "LOJA_2026-12-09_02-30-00_2.fbk");
  // An alias cannot lead the backup out of its folder.
  EXPECT_EQ(restorePointName("../LO:JA", when), ".._LO_JA_2026-12-09_02-30-00.fbk");
}

}  // namespace
}  // namespace kelvo::test
