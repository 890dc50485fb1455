// The file update run from log-in to the final status line.
#include "update/file_update_run.h"

#include <exception>

#include "access/catalogue/desembaralha.h"
#include "platform/process.h"
#include "update/atualiza_cfg.h"

#ifndef KELVO_FTP_USER
#define KELVO_FTP_USER "quarve"
#endif

namespace kelvo {

namespace {

constexpr const char* kServerFolder = "quarvessa";

}  // namespace

FileUpdateRun::FileUpdateRun(FileRunView& view, FtpClient& ftpupdate, CatalogConnection& catalog,
                             std::string PROGR, FormatSettings settings)
    : pause(pauseMs),
      view_(view),
      ftp_(ftpupdate),
      catalog_(catalog),
      PROGR_(std::move(PROGR)),
      settings_(std::move(settings)) {}

std::string mainExecutableName(const std::string& label) {
  return label.substr(0, label.find(" - Será"));
}

void FileUpdateRun::AtualizaArquivos() {
  view_.setStatusLine(" ");
  error_ = false;
  needed_ = false;
  rows_.clear();
  view_.clearRows();

  const FtpSettings settings = readFtpSettings();
  ftp_.setHost(settings.host);
  ftp_.setPort(settings.port);
  ftp_.setUsername(KELVO_FTP_USER);
  readPassword(settings.secondPassword);
  ftp_.setPassive(settings.passive);
  if (!connect()) return;

  ftp_.setTransferType(FtpTransferType::Binary);
  ftp_.ChangeDir(kServerFolder);
  if (view_.mainExecutableLabelGreen()) {
    std::vector<std::string> lines;
    ftp_.List(lines);
    view_.setListingLines(lines);
    const std::string main_executable = mainExecutableName(view_.mainExecutableLabel());
    needed_ = false;
    markRows(lines);
    downloadRows();
    if (archiveWanted()) archiveStep(main_executable);
  }
  ftp_.Disconnect();
  finish();
}

void FileUpdateRun::readPassword(bool second_password) {
  const std::string column = second_password ? "senha_ftp2" : "senha_ftp";
  CatalogQuery& query = catalog_.Query3;
  query.setStatement("select " + column + " from principal");
  query.open();
  ftp_.setPassword(Desembaralha(query.fieldByName(column).asString()));
  query.close();
}

// Returns false when the connection could not be made and the process was
// asked to end.
bool FileUpdateRun::connect() {
  try {
    ftp_.Connect();
    return true;
  } catch (const std::exception& e) {
    view_.showMessage(
        std::string("Não foi possível estabelecer conexão ftp.\n\nTENTE MAIS TARDE.\n") + e.what());
  }
  view_.exitProcess(2);
  return false;
}

void FileUpdateRun::finish() {
  if (!error_) {
    if (view_.showWaitScreen() == 1) {
      view_.setTag(1);
      error_ = true;
    }
  }
  view_.resetProgress();
  if (error_ && view_.tag() == 1) {
    view_.setStatusLine(kStatusSupport);
    view_.setTag(0);
  } else if (error_) {
    view_.setStatusLine(kStatusRetry);
    view_.setTag(0);
  } else {
    view_.setStatusLine(kStatusSuccess);
  }
  view_.setCounter("");
  view_.setFileLabel("");
}

}  // namespace kelvo
