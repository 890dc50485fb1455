// Counter, rate, elapsed time and status texts of a transfer.
#include "update/transfer_progress.h"

#include <cmath>
#include <cstdio>

#include "platform/formats.h"

namespace kelvo {

namespace {

constexpr const char* kKilobytePicture = "##,###,##0";

std::string kilobytes(std::uint64_t bytes, const FormatSettings& settings) {
  return formatFloat(kKilobytePicture, static_cast<double>(bytes / 1024), settings);
}

// Milliseconds of the time-of-day part of a date-time difference; whole
// days are dropped and a negative difference counts as its size.
std::int64_t timeOfDayMs(TDateTime difference) {
  const double fraction = std::fabs(difference - std::trunc(difference));
  return std::llround(fraction * 86400000.0) % 86400000;
}

}  // namespace

WorkProgress workProgress(std::uint32_t bytes_to_transfer, TDateTime STime, TDateTime now,
                          std::int64_t count, double& rate, const FormatSettings& settings) {
  WorkProgress out;
  const std::int64_t day_ms = timeOfDayMs(now - STime);
  const int h = static_cast<int>(day_ms / 3600000);
  const int m = static_cast<int>(day_ms / 60000 % 60);
  const int s = static_cast<int>(day_ms / 1000 % 60);
  const int ms = static_cast<int>(day_ms % 1000);
  // The seconds are a 16-bit count: past about 18 hours they start over.
  const auto seconds = static_cast<std::uint16_t>(m * 60 + s + h * 3600);
  const double elapsed = ms / 1000.0 + seconds;

  const std::uint64_t done = count > 0 ? static_cast<std::uint64_t>(count) : 0;
  out.counter = "Transferidos: " + kilobytes(done, settings) + " Kb de " +
                kilobytes(bytes_to_transfer, settings) + " Kb";

  std::string time_text;
  if (elapsed > 0) {
    rate = static_cast<double>(count) / 1024 / elapsed;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%2d:%2d:%2d", seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
    time_text = std::string("Tempo de download ") + buffer;
  }
  out.status =
      "Taxa de Transferencia: " + formatFloat("0.00", rate, settings) + " KB/s; " + time_text;

  if (bytes_to_transfer != 0) {
    const double percent = (100.0 / bytes_to_transfer) * static_cast<double>(count);
    // The gauge shows a value outside its range as the nearest end.
    out.gauge = percent <= 0 ? 0 : percent >= 100 ? 100 : static_cast<int>(percent);
  }
  return out;
}

std::optional<std::string> workEndStatus(int mode) {
  if (mode == wmRead) return "Download!!";
  if (mode == wmWrite) return "Upload!!";
  return std::nullopt;
}

std::string workEndCounter(std::uint32_t bytes_to_transfer, const FormatSettings& settings) {
  return "Transferidos: " + kilobytes(bytes_to_transfer, settings) + " Kb";
}

TDateTime TransferProgress::begin() {
  STime = now();
  rate_ = 0;
  count_ = 0;
  return STime;
}

WorkProgress TransferProgress::work(std::int64_t count) {
  count_ = count;
  WorkProgress progress = workProgress(bytes_, STime, now(), count, rate_, settings_);
  progress.wholeFile = bytes_ != 0 && static_cast<std::uint64_t>(count) == bytes_;
  return progress;
}

TransferEnd TransferProgress::end(TWorkMode mode) {
  TransferEnd end;
  end.mode = mode;
  end.status = workEndStatus(mode);
  end.counter = workEndCounter(bytes_, settings_);
  end.last = workProgress(bytes_, STime, now(), count_, rate_, settings_);
  end.count = count_;
  end.bytesToTransfer = bytes_;
  return end;
}

std::string statusPanelText(int status, const std::string& text) {
  switch (status) {
    case hsResolving:
      return "Resolvendo..";
    case hsConnecting:
      return "Conectando..";
    case hsConnected:
      return "Conectado ao Servidor FTP! Aguarde..";
    case hsDisconnecting:
      return "Desconectando..";
    case hsDisconnected:
      return "Desconectado!";
    case ftpTransfer:
      return "Transferindo..";
    case ftpReady:
      return "Lendo...";
    case ftpAborted:
      return "Abortado!";
    default:
      return text;  // hsStatusText and any code of no state
  }
}

}  // namespace kelvo
