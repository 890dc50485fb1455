// The FTP client the file update run drives: it logs in, changes folder,
// lists, asks sizes and downloads, and tells its listeners what it is doing.
// Every operation blocks; the events are called from inside the operations.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "access/ftp/ftp_download_check.h"
#include "access/ftp/ftp_download_file.h"
#include "access/ftp/ftp_status.h"
#include "access/ftp/ftp_tls.h"
#include "access/ftp/listing_directory.h"

namespace kelvo {

class FtpTcpStream;
struct FtpReply;

enum class FtpTransferType { Ascii, Binary };

// The client's bounded waits, in milliseconds.
struct FtpWaits {
  // A read on the control or a data connection fails when the server sends
  // no byte for this long (0: it waits as long as the server takes). Two
  // minutes leave a slow server behind a slow line its time, and still end
  // a run facing a server that stopped answering.
  int read = 120000;
  // An active-mode transfer waits this long for the server's data connection.
  int accept = 10000;
  // After a transfer broke (the data connection failed, or never came in
  // active mode) the server's final reply is awaited this long; a server
  // that stays silent longer is left, since its next reply could no longer
  // be told from the answer to our next command. A server notices a broken
  // data connection at once and answers at once; a few seconds leave room
  // for a slow server behind a slow line.
  int brokenTransferReply = 5000;
  // QUIT's reply must begin within the first limit and be complete within
  // the second, so that leaving never hangs on a server that keeps the line
  // open; "221" needs no more than a round trip, the rest is slack.
  int quitReplyStart = 100;
  int quitReply = 2000;
};

class FtpClient {
 public:
  using StatusHandler =
      std::function<void(FtpClient& sender, TFtpStatus status, const std::string& text)>;
  using WorkBeginHandler =
      std::function<void(FtpClient& sender, TWorkMode mode, std::int64_t expected)>;
  using WorkHandler = std::function<void(FtpClient& sender, TWorkMode mode, std::int64_t count)>;
  using WorkEndHandler = std::function<void(FtpClient& sender, TWorkMode mode)>;

  FtpClient();
  ~FtpClient();
  FtpClient(const FtpClient&) = delete;
  FtpClient& operator=(const FtpClient&) = delete;

  // Connection state changes, with the state's text.
  StatusHandler OnStatus;
  // A transfer starts (expected count: always 0, sizes are not known ahead).
  WorkBeginHandler OnWorkBegin;
  // Bytes moved so far in the running transfer, after each read step.
  WorkHandler OnWork;
  WorkEndHandler OnWorkEnd;

  void setHost(const std::string& host) { host_ = host; }
  void setPort(std::uint16_t port) { port_ = port; }
  void setUsername(const std::string& username) { username_ = username; }
  void setPassword(const std::string& password) { password_ = password; }
  void setPassive(bool passive) { passive_ = passive; }
  // Explicit FTPS when TLS.required: AUTH TLS before the log-in (a server
  // that refuses it is never sent the password), PBSZ 0 and PROT P after
  // it, and every data connection its own TLS session resuming the control
  // connection's. The certificate must name the host as set.
  void setTls(const FtpTlsConfig& tls) { tls_ = tls; }
  const FtpTlsConfig& tls() const { return tls_; }
  // Replaces the bounded waits (tests shorten them).
  void setWaits(const FtpWaits& waits) { waits_ = waits; }
  const FtpWaits& waits() const { return waits_; }
  const std::string& host() const { return host_; }
  std::uint16_t port() const { return port_; }
  bool passive() const { return passive_; }

  // Opens the control connection and logs in. On any failure the connection
  // is closed again and the error raised.
  void Connect();
  // Sets the transfer type; sends TYPE at once when connected.
  void setTransferType(FtpTransferType type);
  FtpTransferType transferType() const { return type_; }
  // Changes the server's current folder.
  void ChangeDir(const std::string& folder);
  // Runs LIST and puts its raw lines into DESTINATION (replacing its
  // content). A LIST the server refuses with 450 gives no lines and no error.
  void List(std::vector<std::string>& destination);
  // Returns the parsed form of the last listing, parsed on first access.
  // A parse error is raised once; the items made before it are kept.
  const kelvo::DirectoryListing& DirectoryListing();
  // Returns the size the server gives for NAME, or -1.
  std::int64_t Size(const std::string& name);
  // Downloads NAME into DESTINATION. The destination is replaced only when
  // the server confirms the transfer and the data is on disk; on any
  // failure it stays as it was. The replacement's name is on disk once the
  // caller flushes the folder (flushFolder).
  // With OVERWRITE false an existing destination is an error. With CHECK,
  // every block passes it first and it decides, after the transfer, whether
  // the file may replace the destination.
  void Get(const std::string& name, const std::string& destination, bool overwrite = true,
           FtpDownloadCheck* check = nullptr);
  // Downloads NAME into DESTINATION as Get does, asking its size on the way:
  // SIZE goes out together with the transfer's first command, so it costs no
  // round trip of its own. SIZED hears what Size would return before the
  // transfer's first event. A failure of the size request fails the download.
  void GetSized(const std::string& name, const std::string& destination,
                const std::function<void(std::int64_t size)>& sized,
                FtpDownloadCheck* check = nullptr);
  // Downloads NAME as GetSized does (as Get does without SIZED), but leaves
  // the replacement to the caller: returns the temporary file complete and
  // checked, its data not yet flushed nor in DESTINATION's place. Its
  // commit() does both, on any thread; dropping it removes it.
  std::unique_ptr<FtpDownloadFile> GetUncommitted(
      const std::string& name, const std::string& destination,
      const std::function<void(std::int64_t size)>& sized, FtpDownloadCheck* check);
  // Downloads NAME into memory; raises kelvo::Error when the server sends
  // more than LIMIT bytes, stopping the transfer there.
  std::string Fetch(const std::string& name, std::size_t limit);
  // Returns true while the control connection is open and the server has
  // neither closed it nor announced with 421 that it is closing it.
  bool Connected();
  // Signs off with QUIT and closes the connection.
  void Disconnect();

  // Returns the raw lines of the last listing.
  const std::vector<std::string>& rawListing() const { return rawListing_; }
  // Returns the server's FEAT lines of the current session.
  const std::vector<std::string>& features() const { return features_; }
  // Returns the first line of the server's SYST reply ("Unknown" after 500).
  const std::string& systemDescription() const { return system_; }
  // Returns the server's greeting reply text.
  const std::string& greeting() const { return greeting_; }

 private:
  struct Session;
  using Sink = std::function<void(const char*, std::size_t)>;
  // A command sent just before a transfer's first one, its reply handed on.
  struct RidingCommand {
    std::string command;
    std::function<void(const FtpReply&)> reply;
  };

  void status(TFtpStatus value, const std::string& text);
  std::string serverName() const;
  void openControl();
  void secureControl();
  void logIn();
  void closeAfterFailedConnect(bool greeted);
  void signOff();
  // Downloads NAME into DESTINATION through CHECK, RIDER riding on RETR,
  // SIZED (when given) hearing its size, and returns the temporary file;
  // FLUSH_ON_RECEIPT flushes it while the confirmation travels.
  std::unique_ptr<FtpDownloadFile> download(const std::string& name, const std::string& destination,
                                            const std::function<void(std::int64_t size)>& sized,
                                            FtpDownloadCheck* check, bool flushOnReceipt);
  // Runs COMMAND's transfer into SINK; RECEIVED, when given, runs once the
  // data is in, while the server's confirmation is on its way.
  void transfer(const std::string& command, const Sink& sink, bool refusalIsError,
                const RidingCommand* rider = nullptr, const std::function<void()>& received = {});
  void receive(FtpTcpStream& data, const Sink& sink);
  void secureData(FtpTcpStream& data);
  void settleBrokenTransfer();

  std::string host_;
  std::uint16_t port_ = 21;
  std::string username_;
  std::string password_;
  bool passive_ = true;
  FtpTlsConfig tls_;
  FtpWaits waits_;
  FtpTransferType type_ = FtpTransferType::Ascii;

  std::unique_ptr<Session> session_;
  std::vector<std::string> features_;
  std::string system_;
  std::string greeting_;
  std::vector<std::string> rawListing_;
  kelvo::DirectoryListing listing_;
  bool listingParsed_ = true;
  std::vector<char> buffer_;
};

}  // namespace kelvo
