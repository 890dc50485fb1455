// The file update run ("&Atualizar agora"): log in to the FTP server, mirror
// the folder "quarvessa" by modification time, re-extract the main
// executable from its archive, apply the scripts through the wait screen and
// write the final status line.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "access/catalogue/catalog_connection.h"
#include "access/ftp/ftp_client.h"
#include "platform/regional_settings.h"
#include "update/file_run_view.h"

namespace kelvo {

// Final status lines.
inline constexpr const char* kStatusSuccess = "Atualização finalizada com sucesso.";
inline constexpr const char* kStatusRetry =
    "Atualização finalizada com erros, feche os aplicativos e tente denovo.";
inline constexpr const char* kStatusSupport =
    "Atualização finalizada com erros, necessário contactar Orvalis Sistemas.";

class FileUpdateRun {
 public:
  // A run shown on VIEW that drives FTPUPDATE, reads the FTP password from
  // CATALOG (open since preparation) and starts the archiver below PROGR.
  FileUpdateRun(FileRunView& view, FtpClient& ftpupdate, CatalogConnection& catalog,
                std::string PROGR, FormatSettings settings = regionalSettings());

  // The whole run; its outcome is the status line. A connect failure ends
  // the process with code 2. Failures the run does not expect (settings
  // file, password query, folder change, listing) are raised to the caller,
  // the run stopping where it stood.
  void AtualizaArquivos();

  // Waits between the checks that the old main executable is gone (1000 ms
  // in the program; tests may shorten it).
  std::function<void(int milliseconds)> pause;

 private:
  struct Row {
    std::string line;
    std::optional<ListingItem> item;  // the parsed entry read from this line
  };

  bool connect();
  void markRows(const std::vector<std::string>& lines);
  void downloadRows();
  void downloadRow(std::size_t row, const ListingItem& item);
  void refuseName(std::size_t row, const std::string& name);
  bool archiveWanted() const;
  void archiveStep(const std::string& main_executable);
  void finish();

  FileRunView& view_;
  FtpClient& ftp_;
  CatalogConnection& catalog_;
  std::string PROGR_;
  FormatSettings settings_;

  std::vector<Row> rows_;
  bool error_ = false;
  bool needed_ = false;
};

// Returns the main executable's name from Label9's text: the part before
// " - Será" (all of it when that is missing).
std::string mainExecutableName(const std::string& label);

// Returns the archiver's command line for PROGR and the main executable's
// name: PROGR, the archiver, "x -o+ Sys_Tavrela.rar *.exe " and the quoted
// target folder (the main executable's folder, or the working folder).
std::string archiverCommandLine(const std::string& PROGR, const std::string& main_executable);

}  // namespace kelvo
