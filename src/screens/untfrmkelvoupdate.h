// The main update screen: the application's main window, where the update is
// prepared and driven.
#pragma once

#include <QIcon>
#include <QList>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <exception>
#include <memory>
#include <optional>

#include "access/catalogue/alias_registry.h"
#include "access/ftp/ftp_client.h"
#include "access/interbase/ib_client_library.h"
#include "platform/regional_settings.h"
#include "platform/registry.h"
#include "platform/tdatetime.h"
#include "screens/frame_pacer.h"
#include "update/site_update.h"
#include "update/transfer_progress.h"

class QFrame;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTimer;
class QTreeWidget;

namespace kelvo {

class TForm1;
class Taguarde;
class MainScreenPreparationView;

// Returns the registry value VALUE_NAME of KEY_PATH under ROOT as text or a
// 32-bit integer; throws RegistryError with the system's message.
RegistryValue LeRegistro(RegistryRoot root, const QString& key_path, const QString& value_name);

class Tfrmkelvoupdate : public QWidget {
  Q_OBJECT

 public:
  // Builds the controls only. ALIASES resolves the database aliases; API is
  // the client library the wait screen loads (null: the system's).
  explicit Tfrmkelvoupdate(QWidget* parent = nullptr,
                           AliasRegistry& aliases = systemAliasRegistry(),
                           std::shared_ptr<const IbClientApi> api = nullptr);
  ~Tfrmkelvoupdate() override;

  // Hands over the confirmation screen, whose tag tells whether the operator
  // confirmed; the main screen frees it once it has read it.
  void setConfirmationScreen(TForm1* screen);

  int Tag() const { return tag_; }
  void setTag(int tag) { tag_ = tag; }

  // Returns the folder that holds the archiver.
  QString program_files();

  // Returns the value of parameter PAR of the database alias BASE, or empty text.
  QString PegaBDEdados(const QString& base, const QString& par);

  // Returns how the preparation ended (NotConfirmed until it ran).
  PreparationOutcome preparationOutcome() const { return update_.site().outcome; }
  // Returns the failure the preparation did not expect, or null. The
  // start-up sequence reports it and ends the process.
  std::exception_ptr preparationError() const { return preparation_error_; }

  // The FTP client of the update folder; during a run its events reach the
  // progress handlers below.
  FtpClient ftpupdate;

  // Returns true when the local file NAME needs a download from the entry
  // INDEX of the last listing.
  bool PrecisaBaixar(const QString& name, int index);
  // Returns the last blank-separated word of a listing line.
  QString UltimaPalavra(const QString& line);

  QFrame* Panel1 = nullptr;
  QLabel* Image1 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QFrame* Panel2 = nullptr;
  QLabel* Image2 = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* Label9 = nullptr;
  QPlainTextEdit* Memo3 = nullptr;
  QTreeWidget* TreeView3 = nullptr;
  QLabel* Label10 = nullptr;
  QListWidget* CheckListBox1 = nullptr;
  QProgressBar* Gauge1 = nullptr;
  QProgressBar* ProgressBar1 = nullptr;
  QLabel* lblstatus = nullptr;
  QLabel* lblcontador = nullptr;
  QLabel* Label3 = nullptr;
  QPushButton* Button1 = nullptr;
  QPushButton* Button3 = nullptr;
  QStatusBar* StatusBar1 = nullptr;
  QLabel* StatusPanel0 = nullptr;  // panel 0 of StatusBar1
  QList<QIcon> ImageList1;         // lamps: 0 green, 1 green, 2 blue, 3 orange, 4 red
  QTimer* Timer2 = nullptr;

  // Size in bytes of the file in transfer; 0 when unknown.
  std::uint32_t BytesToTransfer = 0;
  // The program-files folder that holds the archiver.
  QString PROGR;
  // The wait screen: created by the preparation, freed when this screen closes.
  Taguarde* aguarde = nullptr;

 public slots:
  void FormShow();
  void Timer2Timer();
  void batualizarClick();
  void bfecharClick();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  friend class MainScreenPreparationView;
  friend class MainScreenRunView;

  void createHeader();
  void createBody();
  void createListing();
  void createAliasList();
  void createProgress();
  void createButtons();
  void createStatusBar();
  void FormClose();

  // The file update run (Atualizar agora), shown on this screen.
  void AtualizaArquivos();
  // The FTP client's events as the run hands them on: connection states
  // and transfer progress.
  void ftpupdateStatus(const std::string& text, bool reset_progress);
  void ftpupdateWorkBegin(TDateTime start);
  void ftpupdateWork(const WorkProgress& progress);
  void ftpupdateWorkEnd(const TransferEnd& end);

  TDateTime STime = 0;  // start of the current transfer
  // The run's displays reach the screen at most once per display frame.
  FramePacer frames_{this};
  // The gauge's value of a work event that came between two frames, set
  // when its transfer ends.
  std::optional<int> unshownGauge_;
  // Carries the wait screen's verdict to the final status line; 0 again
  // once that line is written.
  int tag_ = 0;
  bool shown_ = false;
  TForm1* confirmation_ = nullptr;
  AliasRegistry& aliases_;
  std::exception_ptr preparation_error_;
  FormatSettings settings_ = regionalSettings();  // the operator's number and date formats
  // The update itself: the prepared site and its connections live here, as
  // long as the screen does.
  SiteUpdate update_;
};

}  // namespace kelvo
