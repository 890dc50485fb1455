// The layout of status --json and preview --json, byte for byte: scripts
// that read it rely on the member order, the separators and the escapes.
#include <gtest/gtest.h>

#include "cli/report_text.h"
#include "platform/tdatetime.h"

namespace kelvo::cli {
namespace {

SiteReport readyPreview() {
  SiteReport report;
  report.folder = "/srv/loja \"1\"";
  report.programFolder = "C:\\Arquivos de programas";
  report.archiverFound = true;
  report.alias = "LOJA";
  report.preparation = PreparationOutcome::Ready;
  report.databases.push_back({{"LOJA", "/srv/dados/loja.fdb", "0001", {"0002", "0003"}}, {}});
  report.databases.push_back({{"CAIXA", "caixa:/dados/caixa.fdb", {}, {}}, "sem conexão"});
  FilePlan files;
  const TDateTime noon = encodeDate(2026, 3, 1) + encodeTime(12, 30, 5, 0);
  files.rows.push_back({"novo.dat", FileVerdict::Missing, noon, {}, 1234});
  files.rows.push_back({"igual.dat", FileVerdict::Current, noon, noon, 0});
  files.rows.push_back({"a\tb\x01\x1f\\\"ç.txt", FileVerdict::Refused, noon, {}, -1});
  files.archiveStep = true;
  report.files = files;
  return report;
}

SiteReport refusedStatus() {
  SiteReport report;
  report.folder = "/srv/loja";
  report.failureRecords = {"SCRIPT_ERRO_DT_01-02-2026_HR_10-00-00 M-LOJA.TXT"};
  report.preparationMessages = {"Arquivo Sys_Info.ini não encontrado\r\nnesta pasta"};
  report.error = "falhou";
  return report;
}

// What the program wrote before it used a JSON library, cut where the
// cases differ.
constexpr const char* kReadyHead =
    R"({"pasta":"/srv/loja \"1\"","registros_de_falha":[],"pasta_programas":"C:\\Arquivos de programas",)"
    R"("winrar_encontrado":true,"alias":"LOJA","preparacao":"pronta","mensagens":[],"erro":null,)"
    R"("bases":[{"alias":"LOJA","arquivo":"/srv/dados/loja.fdb","versao":"0001","criaria_versao":false,)"
    R"("scripts_pendentes":2,"versoes_pendentes":["0002","0003"],"erro":null},)"
    R"({"alias":"CAIXA","arquivo":"caixa:/dados/caixa.fdb","versao":null,"criaria_versao":false,)"
    R"("scripts_pendentes":0,"versoes_pendentes":[],"erro":"sem conexão"}])";
constexpr const char* kServer =
    R"(,"servidor":{"falha_conexao":null,"arquivos":[)"
    R"({"nome":"novo.dat","situacao":"ausente","baixar":true,"hora_servidor":"2026-03-01T12:30:05",)"
    R"("hora_local":null,"tamanho":1234},)"
    R"({"nome":"igual.dat","situacao":"atual","baixar":false,"hora_servidor":"2026-03-01T12:30:05",)"
    R"("hora_local":"2026-03-01T12:30:05","tamanho":0},)"
    R"({"nome":"a\tb\u0001\u001f\\\"ç.txt","situacao":"recusado","baixar":false,)"
    R"("hora_servidor":"2026-03-01T12:30:05","hora_local":null,"tamanho":-1}],"extrai_executavel":true})";
constexpr const char* kRefusedHead =
    R"({"pasta":"/srv/loja","registros_de_falha":["SCRIPT_ERRO_DT_01-02-2026_HR_10-00-00 M-LOJA.TXT"],)"
    R"("pasta_programas":"","winrar_encontrado":false,"alias":null,"preparacao":null,)"
    R"("mensagens":["Arquivo Sys_Info.ini não encontrado\r\nnesta pasta"],"erro":"falhou","bases":[])";

TEST(ReportJson, TheLayoutIsKept) {
  const struct {
    SiteReport report;
    bool preview;
    std::string json;
  } cases[] = {
      {readyPreview(), true, std::string(kReadyHead) + kServer + "}\n"},
      {readyPreview(), false, std::string(kReadyHead) + "}\n"},
      {refusedStatus(), false, std::string(kRefusedHead) + "}\n"},
      {refusedStatus(), true, std::string(kRefusedHead) + R"(,"servidor":null})" + "\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(reportJson(c.report, c.preview), c.json);
  }
}

// A server that offers UTF-8 may still send other bytes in a name: the
// output must stay JSON that a script can read.
TEST(ReportJson, BytesThatAreNotUtf8BecomeReplacementCharacters) {
  SiteReport report = readyPreview();
  report.files->rows[0].name = "nov\xE9.dat";
  EXPECT_NE(reportJson(report, true).find("{\"nome\":\"nov\xEF\xBF\xBD.dat\","), std::string::npos);
}

}  // namespace
}  // namespace kelvo::cli
