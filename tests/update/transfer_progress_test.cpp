// The progress displays under Brazilian settings.
#include "update/transfer_progress.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

const FormatSettings kBr = FormatSettings::brazilian();
const TDateTime kStart = encodeDate(2026, 12, 9) + encodeTime(9, 0, 0, 0);

TDateTime after(int hours, int minutes, int seconds, int ms) {
  return kStart + (hours * 3600000.0 + minutes * 60000.0 + seconds * 1000.0 + ms) / 86400000.0;
}

TEST(TransferProgress, HalfOfATwoMebibyteFileAfterOneAndAHalfSeconds) {
  double rate = 0;
  const WorkProgress p = workProgress(2 * 1048576, kStart, after(0, 0, 1, 500), 1048576, rate, kBr);
  EXPECT_EQ(p.counter, "Transferidos: 1.024 Kb de 2.048 Kb");
  EXPECT_EQ(p.status, "Taxa de Transferencia: 682,67 KB/s; Tempo de download  0: 0: 1");
  EXPECT_EQ(p.gauge, 50);
}

TEST(TransferProgress, NoTimePassedKeepsTheRateAndShowsNoTime) {
  double rate = 0;
  EXPECT_EQ(workProgress(4096, kStart, kStart, 10, rate, kBr).status,
            "Taxa de Transferencia: 0,00 KB/s; ");
  rate = 12.345;
  EXPECT_EQ(workProgress(4096, kStart, kStart, 10, rate, kBr).status,
            "Taxa de Transferencia: 12,35 KB/s; ");
}

TEST(TransferProgress, SizesAndGaugeAtTheirEdges) {
  double rate = 0;
  // Under a kilobyte the counter reads 0 of 0, the gauge still follows.
  WorkProgress p = workProgress(1000, kStart, after(0, 0, 1, 0), 250, rate, kBr);
  EXPECT_EQ(p.counter, "Transferidos: 0 Kb de 0 Kb");
  EXPECT_EQ(p.gauge, 25);
  // A size the server did not give.
  p = workProgress(0xFFFFFFFFu, kStart, after(0, 0, 1, 0), 1048576, rate, kBr);
  EXPECT_EQ(p.counter, "Transferidos: 1.024 Kb de 4.194.303 Kb");
  EXPECT_EQ(p.gauge, 0);
  // Unknown size: no percentage; more bytes than announced: a full gauge.
  EXPECT_FALSE(workProgress(0, kStart, after(0, 0, 1, 0), 5000, rate, kBr).gauge);
  EXPECT_EQ(workProgress(100, kStart, after(0, 0, 1, 0), 5000, rate, kBr).gauge, 100);
}

TEST(TransferProgress, TheSecondsCountWrapsAfter65535) {
  double rate = 0;
  EXPECT_EQ(workProgress(0, kStart, after(2, 3, 4, 0), 0, rate, kBr).status,
            "Taxa de Transferencia: 0,00 KB/s; Tempo de download  2: 3: 4");
  EXPECT_EQ(workProgress(0, kStart, after(18, 12, 16, 0), 1024, rate, kBr).status,
            "Taxa de Transferencia: 0,00 KB/s; ");
  EXPECT_EQ(workProgress(0, kStart, after(18, 12, 17, 0), 1048576, rate, kBr).status,
            "Taxa de Transferencia: 1024,00 KB/s; Tempo de download  0: 0: 1");
}

TEST(TransferProgress, EndTextsAndStatusPanel) {
  EXPECT_EQ(workEndStatus(wmRead), "Download!!");
  EXPECT_EQ(workEndStatus(wmWrite), "Upload!!");
  EXPECT_FALSE(workEndStatus(7));
  EXPECT_EQ(workEndCounter(5 * 1048576 + 1023, kBr), "Transferidos: 5.120 Kb");
  const char* expected[] = {
      "Resolvendo..",    "Conectando..",  "Conectado ao Servidor FTP! Aguarde..",
      "Desconectando..", "Desconectado!", "own text",
      "Transferindo..",  "Lendo...",      "Abortado!"};
  for (int code = 0; code <= 8; ++code)
    EXPECT_EQ(statusPanelText(code, "own text"), expected[code]);
  EXPECT_EQ(statusPanelText(42, "other"), "other");
  EXPECT_TRUE(statusResetsProgress(hsDisconnected));
  EXPECT_FALSE(statusResetsProgress(hsDisconnecting));
}

}  // namespace
}  // namespace kelvo
