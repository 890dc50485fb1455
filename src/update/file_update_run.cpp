// The file update run from log-in to the final status line.
#include "update/file_update_run.h"

#include <exception>

#include "platform/process.h"
#include "update/ftp_login.h"

namespace kelvo {

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

  setFtpLogin(ftp_, catalog_, readFtpSettings());
  if (!connect()) return;

  openUpdateFolder(ftp_);
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

// Returns false when the connection could not be made and the process was
// asked to end.
bool FileUpdateRun::connect() {
  try {
    ftp_.Connect();
    return true;
  } catch (const std::exception& e) {
    view_.showMessage(ftpConnectFailureMessage(e.what()));
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
