// kelvoupdate run as a process against the real update FTP server, the real
// catalogue and an embedded Firebird database.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "archiver/archive_writer.h"
#include "cli/cli_site.h"
#include "support/services.h"
#include "update/site_update.h"

namespace kelvo::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::StartsWith;
namespace fs = std::filesystem;

constexpr double kHour = 1.0 / 24;

// Returns the line of TEXT that names NAME as a listed file.
std::string lineOf(const std::string& text, const std::string& name) {
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    const std::string line = text.substr(start, end - start);
    if (line.find("  " + name + " ") != std::string::npos) return line;
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return "(no line for " + name + ")";
}

std::string lastLine(const std::string& text) {
  const std::string trimmed = text.substr(0, text.find_last_not_of('\n') + 1);
  return trimmed.substr(trimmed.rfind('\n') + 1);
}

std::vector<std::string> failureRecordsIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().filename().string().rfind("SCRIPT_ERRO", 0) == 0) {
      names.push_back(entry.path().filename().string());
    }
  }
  return names;
}

class KelvoupdateTest : public CliSiteTest {
 protected:
  // New, changed (both ways), unchanged and unsafe names, a fresh archive of
  // the main executable and two released scripts behind a draft.
  void serveAnUpdate() {
    serve("novo.dat", "novo", base_);
    serve("mudou.dat", "servidor", base_);
    local("mudou.dat", "local", base_ - kHour);
    serve("antigo.dat", "servidor antigo", base_ - 2 * kHour);
    local("antigo.dat", "local", base_);
    serve("igual.dat", "igual", base_ + 20.0 / 86400);
    local("igual.dat", "igual", base_);
    serve("..\\fora.txt", "fora", base_);
    const fs::path archive = machine_.path() / "Sys_Tavrela.rar";
    writeArchive(archive.string(), {{"Sys_Tavrela.exe", "new main executable"}});
    serve("Sys_Tavrela.rar", readFile(archive), base_);
    catalog_.addScript("QUARVESSA", "0001", "CREATE TABLE ITENS (ID INTEGER);\r\n");
    catalog_.addScript("QUARVESSA", "0002", "INSERT INTO ITENS (ID) VALUES (7);\r\n");
    catalog_.addScript("QUARVESSA", "0003", "DROP TABLE ITENS;\r\n", "N");
  }
};

TEST_F(KelvoupdateTest, PreviewChangesNothingAndTheRunThenDoesWhatItListed) {
  serveAnUpdate();
  const std::string files_before = folderSnapshot();
  const std::string database_before = databaseSnapshot();

  const ProgramResult preview = kelvoupdate("preview");
  EXPECT_EQ(preview.code, 0) << preview.err;
  EXPECT_THAT(lineOf(preview.out, "novo.dat"), AllOf(HasSubstr("baixar"), HasSubstr("ausente")));
  EXPECT_THAT(lineOf(preview.out, "mudou.dat"), HasSubstr("mais novo no servidor"));
  EXPECT_THAT(lineOf(preview.out, "antigo.dat"), HasSubstr("mais antigo no servidor"));
  EXPECT_THAT(lineOf(preview.out, "igual.dat"), AllOf(HasSubstr("manter"), HasSubstr("atual")));
  EXPECT_THAT(lineOf(preview.out, "..\\fora.txt"), HasSubstr("recusar"));
  // A refused name ends the run with errors, which skips the archive step.
  EXPECT_THAT(preview.out, HasSubstr("Extração do Sys_Tavrela.exe de Sys_Tavrela.rar: não"));
  EXPECT_THAT(preview.out, HasSubstr("tabela VERSAO ausente (seria criada com a versão 0)"));
  EXPECT_THAT(preview.out, HasSubstr("Scripts a aplicar na base LOJA: 0001, 0002\n"));
  // Not a byte, a time stamp, a table or a row changed.
  EXPECT_EQ(folderSnapshot(), files_before);
  EXPECT_EQ(databaseSnapshot(), database_before);

  unserve("..\\fora.txt");
  EXPECT_THAT(kelvoupdate("preview").out,
              HasSubstr("Extração do Sys_Tavrela.exe de Sys_Tavrela.rar: sim"));
  const ProgramResult run = kelvoupdate("run --confirmo-aplicativos-fechados");
  EXPECT_EQ(run.code, 0) << run.err;
  // The archiver's own words went to standard error with the progress.
  EXPECT_EQ(run.out, std::string(kStatusSuccess) + "\n");
  // Not a terminal: one plain line per download.
  EXPECT_THAT(run.err, HasSubstr("\nnovo.dat  Transferidos: 0 Kb  Taxa de Transferencia: "));
  EXPECT_THAT(run.err, ::testing::Not(HasSubstr("\r")));
  EXPECT_EQ(readFile(workPath("novo.dat")), "novo");
  EXPECT_EQ(readFile(workPath("mudou.dat")), "servidor");
  EXPECT_EQ(readFile(workPath("antigo.dat")), "servidor antigo");
  EXPECT_EQ(readFile(workPath("Sys_Tavrela.exe")), "new main executable");
  EXPECT_EQ(readFile(workPath("Sys_Tavrela.old")), "old main executable");
  EXPECT_THAT(versions(), ElementsAre("0002"));
  EXPECT_THAT(databaseSnapshot(), HasSubstr("ITENS:7|;"));

  const ProgramResult again = kelvoupdate("preview");
  EXPECT_EQ(again.code, 0) << again.err;
  EXPECT_THAT(again.out, HasSubstr("Nenhum arquivo a baixar."));
  EXPECT_THAT(again.out, HasSubstr("Extração do Sys_Tavrela.exe de Sys_Tavrela.rar: não"));
  EXPECT_THAT(again.out, HasSubstr("versão 0002; 0 script(s) pendente(s)"));
  EXPECT_THAT(again.out, HasSubstr("Scripts a aplicar na base LOJA: nenhum"));
}

TEST_F(KelvoupdateTest, AnUnsafeNameEndsTheRunWithErrorsBeforeTheScripts) {
  serveAnUpdate();
  const ProgramResult run = kelvoupdate("run --confirmo-aplicativos-fechados");
  EXPECT_EQ(run.code, 1);
  EXPECT_EQ(lastLine(run.out), kStatusRetry);
  EXPECT_THAT(run.err, HasSubstr("Nome de arquivo recusado, não será gravado nesta pasta"));
  EXPECT_EQ(readFile(workPath("novo.dat")), "novo");
  EXPECT_EQ(databaseSnapshot(), "");  // no VERSAO: the scripts were skipped
}

TEST_F(KelvoupdateTest, TheServerCannotPlantTheUpdatersOwnFiles) {
  // Each would redirect the next log-in, refuse every later run or name
  // another database.
  const std::vector<std::string> planted = {"atualiza.cfg", "ATUALIZA.CFG", "Sys_Info.INI",
                                            "SCRIPT_ERRO_DT_01-02-2026_HR_10-00-00 M-LOJA.TXT",
                                            "kelvo-manifest.txt"};
  for (const std::string& name : planted) serve(name, "atacante.example\n21\n", base_);
  serve("novo.dat", "novo", base_);
  const std::string settings = readFile(workPath("atualiza.cfg"));
  const std::string alias = readFile(workPath("Sys_Info.INI"));

  const ProgramResult preview = kelvoupdate("preview");
  for (const std::string& name : planted) {
    EXPECT_THAT(lineOf(preview.out, name),
                AllOf(HasSubstr("manter"), HasSubstr("arquivo do próprio atualizador")))
        << name;
  }
  for (int run = 1; run <= 2; ++run) {
    const ProgramResult result = kelvoupdate("run --confirmo-aplicativos-fechados");
    EXPECT_EQ(result.code, 0) << run << result.err;
    EXPECT_EQ(lastLine(result.out), kStatusSuccess);
  }
  EXPECT_EQ(readFile(workPath("novo.dat")), "novo");
  EXPECT_EQ(readFile(workPath("atualiza.cfg")), settings);
  EXPECT_EQ(readFile(workPath("Sys_Info.INI")), alias);
  EXPECT_FALSE(fs::exists(workPath("ATUALIZA.CFG")));
  EXPECT_FALSE(fs::exists(workPath("kelvo-manifest.txt")));
  EXPECT_THAT(failureRecordsIn(work_.path()), IsEmpty());
}

TEST_F(KelvoupdateTest, TheGateAndTheMissingConfirmationRefuseTheRun) {
  serve("novo.dat", "novo", base_);
  const std::string record = "SCRIPT_ERRO_DT_01-02-2026_HR_10-00-00 M-LOJA.TXT";
  local(record, "/* ERRO: \r\n", base_);
  const std::string before = folderSnapshot();

  const ProgramResult refused = kelvoupdate("run --confirmo-aplicativos-fechados");
  EXPECT_EQ(refused.code, 4);
  EXPECT_THAT(refused.err, HasSubstr("SCRIPT EM EXECUÇÃO SALVO: " + record));
  const ProgramResult status = kelvoupdate("status");
  EXPECT_EQ(status.code, 0) << status.err;
  EXPECT_THAT(status.out,
              HasSubstr("Registros de falha: 1 (a atualização será recusada)\n  " + record + "\n"));
  EXPECT_EQ(folderSnapshot(), before);

  fs::remove(workPath(record));
  const ProgramResult unconfirmed = kelvoupdate("run");
  EXPECT_EQ(unconfirmed.code, 64);
  EXPECT_THAT(unconfirmed.err, HasSubstr("--confirmo-aplicativos-fechados"));
  EXPECT_FALSE(fs::exists(workPath("novo.dat")));

  fs::remove(workPath("Sys_Info.INI"));
  const ProgramResult unprepared = kelvoupdate("run --confirmo-aplicativos-fechados");
  EXPECT_EQ(unprepared.code, 5);
  EXPECT_THAT(unprepared.err, HasSubstr("Arquivo Sys_Info.ini não encontrado nesta pasta"));
  EXPECT_FALSE(fs::exists(workPath("novo.dat")));

  // Where the operator is sent for the missing archiver is opened over https.
  fs::remove_all(machine_.path() / "Program Files" / "winrar");
  EXPECT_THAT(kelvoupdate("run --confirmo-aplicativos-fechados").err,
              HasSubstr("Endereço para download: https://"));
}

TEST_F(KelvoupdateTest, AFailingScriptLeavesItsRecordAndAsksForSupport) {
  catalog_.addScript("QUARVESSA", "0001", "CREATE TABLE ITENS (ID INTEGER);\r\n");
  catalog_.addScript("QUARVESSA", "0002", "INSERT INTO NADA (ID) VALUES (1);\r\n");
  const ProgramResult run = kelvoupdate("run --confirmo-aplicativos-fechados");
  EXPECT_EQ(run.code, 3);
  EXPECT_EQ(lastLine(run.out), kStatusSupport);
  const std::vector<std::string> records = failureRecordsIn(work_.path());
  ASSERT_EQ(records.size(), 1u);
  EXPECT_THAT(records[0], ::testing::EndsWith(" M-LOJA.TXT"));
  EXPECT_THAT(run.err, HasSubstr("SCRIPT EM EXECUÇÃO SALVO: " + records[0]));
  EXPECT_THAT(readFile(workPath(records[0])), StartsWith("/* ERRO: \r\n"));
  EXPECT_THAT(versions(), ElementsAre("0002"));  // the failing script is not offered again
  EXPECT_EQ(kelvoupdate("run --confirmo-aplicativos-fechados").code, 4);
}

TEST_F(KelvoupdateTest, AConnectionFailureEndsWithCodeTwo) {
  configure({}, "1");  // nothing listens on port 1
  const std::string before = folderSnapshot();
  for (const char* command : {"preview", "run --confirmo-aplicativos-fechados"}) {
    const ProgramResult result = kelvoupdate(command);
    EXPECT_EQ(result.code, 2) << command;
    EXPECT_THAT(result.err,
                HasSubstr("Não foi possível estabelecer conexão ftp.\n\nTENTE MAIS TARDE."));
  }
  EXPECT_EQ(folderSnapshot(), before);
  EXPECT_EQ(databaseSnapshot(), "");
}

// What one run sends and flushes, read from the server's command log and a
// trace of the program: sizes only of the files it fetches, each file's data
// on disk before it replaces the old copy, the folder once after the last.
TEST_F(KelvoupdateTest, SizesOnlyOfTheFetchedFilesAndTheFolderFlushedOnceAfterThem) {
  if (std::system("command -v strace >/dev/null") != 0) GTEST_SKIP() << "strace is missing";
  struct Case {
    const char* what;
    std::vector<std::string> fetched;
  };
  const Case cases[] = {
      {"first run", {"a.dat", "b.dat", "c.dat"}},
      {"nothing to fetch", {}},
  };
  for (const char* name : {"a.dat", "b.dat", "c.dat"}) serve(name, name, base_);
  const fs::path trace = machine_.path() / "trace";
  const fs::path commands = fs::path(serviceFolder("update_ftp")) / "commands";
  const std::string folder = fs::canonical(work_.path()).string();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove(commands);
    // LeakSanitizer cannot run under ptrace: a sanitized build leaves it
    // out for this traced run only.
    const ProgramResult result =
        kelvoupdate("run --confirmo-aplicativos-fechados",
                    "env ASAN_OPTIONS=\"${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0\" "
                    "strace -f -y -e trace=fsync,fdatasync,rename,renameat,renameat2 -o '" +
                        trace.string() + "'");
    ASSERT_EQ(result.code, 0) << result.err;

    std::vector<std::string> sized;
    const std::string log = readFile(commands);
    for (std::size_t at = log.find("SIZE "); at != std::string::npos; at = log.find("SIZE ", at)) {
      at += 5;
      sized.push_back(log.substr(at, log.find('\n', at) - at));
    }
    EXPECT_EQ(sized, c.fetched);

    // The working folder's own flushes, and what happened to its files:
    // the files are committed side by side, so each one's flush must come
    // before its own rename, and the folder's after every rename.
    std::vector<std::string> events;
    const std::string text = readFile(trace);
    for (std::size_t start = 0, end; start < text.size(); start = end + 1) {
      end = std::min(text.find('\n', start), text.size());
      const std::string line = text.substr(start, end - start);
      const std::size_t part = line.find(".kelvo-");
      const std::string temporary =
          part == std::string::npos ? "" : line.substr(part, line.find(".part", part) - part);
      if (line.find("fsync(") != std::string::npos &&
          line.find("<" + folder) != std::string::npos) {
        events.push_back(line.find("<" + folder + ">") != std::string::npos ? "folder"
                                                                            : "file " + temporary);
      } else if (line.find("rename") != std::string::npos && !temporary.empty()) {
        const auto flushed = std::find(events.begin(), events.end(), "file " + temporary);
        const bool before = flushed != events.end();
        if (before) events.erase(flushed);
        events.push_back(before ? "rename" : "rename unflushed");
      }
    }
    std::vector<std::string> expected(c.fetched.size(), "rename");
    if (!c.fetched.empty()) expected.push_back("folder");
    EXPECT_EQ(events, expected) << text;
  }
}

TEST_F(KelvoupdateTest, AWholeUpdateRunsOverFtpsAndTlsToTheCatalogue) {
  serve("novo.dat", "novo", base_);
  catalog_.addScript("QUARVESSA", "0001", "CREATE TABLE ITENS (ID INTEGER);\r\n");
  machine_.write(
      "kelvoupdate.ini",
      "[ftp]\ntls = required\nca_file = " + serviceFolder("update_ftp") + "/tls/ca.pem\n" +
          "[catalogue]\ntls = required\nca_file = " + serviceFolder("mariadb") + "/tls/ca.pem\n");
  // The plain server does not take AUTH TLS: it never gets the password,
  // neither from a look nor from a run.
  fs::remove(serviceFolder("update_ftp") + "/last-user");
  for (const char* command : {"preview", "run --confirmo-aplicativos-fechados"}) {
    const ProgramResult plain = kelvoupdate(command);
    EXPECT_EQ(plain.code, 2) << command;
    EXPECT_THAT(plain.err, HasSubstr("recusou AUTH TLS")) << command;
  }
  EXPECT_FALSE(fs::exists(serviceFolder("update_ftp") + "/last-user"));

  configure({}, serviceValue("update_ftp", "tls_port"));
  const ProgramResult preview = kelvoupdate("preview");
  EXPECT_EQ(preview.code, 0) << preview.err;
  EXPECT_THAT(lineOf(preview.out, "novo.dat"), HasSubstr("baixar"));
  const ProgramResult run = kelvoupdate("run --confirmo-aplicativos-fechados");
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out, std::string(kStatusSuccess) + "\n");
  EXPECT_EQ(readFile(workPath("novo.dat")), "novo");
  EXPECT_THAT(versions(), ElementsAre("0001"));
}

TEST_F(KelvoupdateTest, OnATerminalEachDownloadIsOneUpdatingLine) {
  serve("grande.bin", std::string(3 << 20, 'g'), base_);
  const ProgramResult run = kelvoupdateOnATerminal("run --confirmo-aplicativos-fechados");
  EXPECT_EQ(run.code, 0) << run.out;
  // Rewritten in place (carriage return, text, erase to the end of the line)
  // and left standing once the file is in.
  EXPECT_THAT(run.out, HasSubstr("\rgrande.bin  Transferidos: "));
  // The thousands separator is the regional settings' own.
  EXPECT_THAT(run.out, ::testing::ContainsRegex("\rgrande.bin  Transferidos: 3.072 Kb  Taxa de "));
  EXPECT_THAT(run.out, HasSubstr("\x1b[K"));
  EXPECT_THAT(run.out, HasSubstr(kStatusSuccess));
  EXPECT_EQ(readFile(workPath("grande.bin")).size(), 3u << 20);
}

TEST_F(KelvoupdateTest, JsonOutputIsOneObjectThatTellsTheSameStory) {
  serve("novo.dat", "novo", base_);
  serve("igual.dat", "igual", base_);
  local("igual.dat", "igual", base_);
  catalog_.addScript("QUARVESSA", "0001", "CREATE TABLE ITENS (ID INTEGER);\r\n");
  const ProgramResult preview = kelvoupdate("preview --json");
  ASSERT_EQ(preview.code, 0) << preview.err;
  machine_.write("preview.json", preview.out);
  const std::string summary = (machine_.path() / "summary").string();
  const std::string python =
      "python3 -c 'import json,sys\n"
      "d = json.load(open(sys.argv[1]))\n"
      "s = d[\"servidor\"]\n"
      "print(d[\"alias\"], d[\"preparacao\"], d[\"registros_de_falha\"])\n"
      "for f in sorted(s[\"arquivos\"], key=lambda f: f[\"nome\"]): print(f[\"nome\"], "
      "f[\"situacao\"], f[\"baixar\"], "
      "f[\"hora_servidor\"] == f[\"hora_local\"])\n"
      "b = d[\"bases\"][0]\n"
      "print(b[\"alias\"], b[\"versao\"], b[\"criaria_versao\"], b[\"versoes_pendentes\"], "
      "s[\"extrai_executavel\"])' '" +
      (machine_.path() / "preview.json").string() + "' >'" + summary + "'";
  ASSERT_EQ(std::system(python.c_str()), 0) << preview.out;
  EXPECT_EQ(readFile(summary),
            "LOJA pronta []\n"
            "igual.dat atual False True\n"
            "novo.dat ausente True False\n"
            "LOJA None True ['0001'] False\n");
}

}  // namespace
}  // namespace kelvo::test
