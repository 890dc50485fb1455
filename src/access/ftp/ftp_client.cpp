// The FTP client's operations: log-in exchange, folder change, listing,
// size, download, sign-off, in passive or active mode.
#include "access/ftp/ftp_client.h"

#include <cerrno>
#include <optional>
#include <utility>

#include "access/ftp/ftp_control.h"
#include "access/ftp/ftp_download_file.h"
#include "access/ftp/ftp_reply.h"
#include "access/ftp/ftp_transport.h"
#include "access/ftp/listing_parser.h"
#include "platform/files.h"
#include "platform/stop_request.h"

namespace kelvo {

namespace {

// Largest read step of a data connection.
constexpr std::size_t kReadStep = 32768;
// Read steps are gathered into blocks of this size before they are handed
// on, so a download writes its file in a few large writes.
constexpr std::size_t kBlock = 8 * kReadStep;

}  // namespace

struct FtpClient::Session {
  FtpControl control;
};

FtpClient::FtpClient() : session_(std::make_unique<Session>()), buffer_(kBlock) {}

FtpClient::~FtpClient() = default;

void FtpClient::status(TFtpStatus value, const std::string& text) {
  if (OnStatus) OnStatus(*this, value, text);
}

void FtpClient::openControl() {
  std::string address = host_;
  if (!isNumericIpv4(host_)) {
    status(hsResolving, "Resolving hostname " + host_ + ".");
    address = resolveIpv4(host_);
  }
  status(hsConnecting, "Connecting to " + address + ".");
  session_->control.setUtf8(false);
  session_->control.setReadLimit(waits_.read, serverName());
  session_->control.open(address, port_);
  status(hsConnected, "Connected.");
}

std::string FtpClient::serverName() const { return host_ + ":" + std::to_string(port_); }

void FtpClient::Connect() {
  FtpControl& control = session_->control;
  control.close();
  features_.clear();
  system_.clear();
  greeting_.clear();
  // Never a plain connection when TLS was asked for and cannot be had.
  if (tls_.required) checkFtpTlsConfig(tls_);
  bool sendHost = true;
  for (;;) {
    openControl();
    bool greeted = false;
    try {
      FtpReply greeting = control.readReply();
      while (greeting.code >= 100 && greeting.code < 200) greeting = control.readReply();
      greeted = true;
      requireFtpReply(greeting, {220});
      greeting_ = greeting.text();

      bool hostRefused = false;
      if (sendHost) {
        const std::string target = isNumericIpv4(host_) ? "[" + host_ + "]" : host_;
        bool closed = false;
        try {
          const FtpReply reply = control.command("HOST " + target);
          if (reply.code == 220) greeting_ = reply.text();
          hostRefused = reply.code != 220;
          closed = hostRefused && !control.alive();
        } catch (const FtpSocketError&) {
          closed = true;
        } catch (const FtpReplyError& e) {
          if (e.code() != 421) throw;
          closed = true;
        }
        if (closed) {
          // A server that hangs up on HOST is tried once more without it.
          control.close();
          sendHost = false;
          continue;
        }
      }

      // A server that refuses HOST may hang up only a moment after its
      // reply, when USER is already on its way: that too is a server that
      // wants no HOST.
      bool lostAfterRefusedHost = false;
      try {
        if (tls_.required) secureControl();
        logIn();
      } catch (const FtpSocketError&) {
        if (!hostRefused) throw;
        lostAfterRefusedHost = true;
      }
      if (lostAfterRefusedHost) {
        control.close();
        sendHost = false;
        continue;
      }
      if (tls_.required) {
        // Data connections are protected as the control connection is.
        control.command("PBSZ 0", {200});
        control.command("PROT P", {200});
      }
      const FtpReply feat = control.command("FEAT");
      features_ = ftpFeatures(feat);
      if (ftpOffers(features_, "CLNT")) control.command("CLNT KelvoUpdate");
      if (ftpOffers(features_, "UTF8")) control.setUtf8(true);
      control.command("TYPE A", {200});
      const FtpReply syst = control.command("SYST");
      system_ = syst.code == 500 ? "Unknown" : syst.firstLineText();
      control.command("TYPE A", {200});
      type_ = FtpTransferType::Ascii;
    } catch (...) {
      closeAfterFailedConnect(greeted);
      throw;
    }
    status(ftpReady, "Connection established");
    return;
  }
}

void FtpClient::secureControl() {
  FtpControl& control = session_->control;
  const FtpReply auth = control.command("AUTH TLS");
  if (auth.code != 234) {
    throw FtpTlsError("O servidor FTP " + serverName() + " recusou AUTH TLS (" +
                      std::to_string(auth.code) + " " + auth.firstLineText() +
                      "); a senha não foi enviada.");
  }
  control.startTls(tls_, host_);
}

void FtpClient::logIn() {
  FtpControl& control = session_->control;
  const FtpReply user = control.command("USER " + username_, {230, 232, 331});
  if (user.code != 331) return;
  const FtpReply pass = control.command("PASS " + password_, {230, 332});
  // No account is configured, so a server that wants one refuses us.
  if (pass.code == 332) throw FtpReplyError(pass.code, pass.text());
}

void FtpClient::closeAfterFailedConnect(bool greeted) {
  if (greeted) {
    signOff();
  } else {
    status(hsDisconnecting, "Disconnecting.");
    session_->control.close();
    status(hsDisconnected, "Disconnected.");
  }
}

void FtpClient::signOff() {
  FtpControl& control = session_->control;
  if (control.alive()) {
    try {
      control.send("QUIT");
      if (control.replyWithin(waits_.quitReplyStart)) control.readReplyWithin(waits_.quitReply);
    } catch (const Error&) {
      // The connection is closed below in any case.
    }
  }
  status(hsDisconnecting, "Disconnecting.");
  control.close();
  status(hsDisconnected, "Disconnected.");
}

void FtpClient::Disconnect() { signOff(); }

bool FtpClient::Connected() { return session_->control.alive(); }

void FtpClient::setTransferType(FtpTransferType type) {
  if (session_->control.isOpen()) {
    session_->control.command(type == FtpTransferType::Binary ? "TYPE I" : "TYPE A", {200});
  }
  type_ = type;
}

void FtpClient::ChangeDir(const std::string& folder) {
  session_->control.command("CWD " + folder, {200, 250, 257});
}

std::int64_t FtpClient::Size(const std::string& name) {
  FtpControl& control = session_->control;
  const bool switchType = type_ != FtpTransferType::Binary;
  if (switchType) control.command("TYPE I", {200});
  const FtpReply reply = control.command("SIZE " + name);
  if (switchType) control.command("TYPE A", {200});
  return ftpSizeFromReply(reply);
}

void FtpClient::List(std::vector<std::string>& destination) {
  rawListing_.clear();
  listing_.clear();
  listingParsed_ = false;
  FtpControl& control = session_->control;
  const bool binary = type_ == FtpTransferType::Binary;
  std::string data;
  if (binary) control.command("TYPE A", {200});
  try {
    transfer(
        "LIST", [&](const char* bytes, std::size_t size) { data.append(bytes, size); }, false);
  } catch (...) {
    if (binary && control.isOpen()) {
      try {
        control.command("TYPE I", {200});
      } catch (const Error&) {
        // The listing's own failure is the one to report.
      }
    }
    throw;
  }
  if (binary) control.command("TYPE I", {200});
  rawListing_ = splitListingText(control.decode(data));
  destination = rawListing_;
}

const kelvo::DirectoryListing& FtpClient::DirectoryListing() {
  if (!listingParsed_) {
    // Marked first: a listing that fails to parse is not parsed again.
    listingParsed_ = true;
    parseListing(rawListing_, now(), listing_);
  }
  return listing_;
}

void FtpClient::Get(const std::string& name, const std::string& destination, bool overwrite,
                    FtpDownloadCheck* check) {
  if (!overwrite && fileExists(destination)) {
    throw Error("Cannot create file \"" + destination + "\". " + errorNumberMessage(EEXIST));
  }
  download(name, destination, {}, check, true)->commit();
}

void FtpClient::GetSized(const std::string& name, const std::string& destination,
                         const std::function<void(std::int64_t size)>& sized,
                         FtpDownloadCheck* check) {
  download(name, destination, sized, check, true)->commit();
}

std::unique_ptr<FtpDownloadFile> FtpClient::GetUncommitted(
    const std::string& name, const std::string& destination,
    const std::function<void(std::int64_t size)>& sized, FtpDownloadCheck* check) {
  return download(name, destination, sized, check, false);
}

std::unique_ptr<FtpDownloadFile> FtpClient::download(
    const std::string& name, const std::string& destination,
    const std::function<void(std::int64_t size)>& sized, FtpDownloadCheck* check,
    bool flushOnReceipt) {
  std::optional<RidingCommand> rider;
  if (sized) {
    // SIZE answers in binary terms only; switching the type around it would
    // cost the round trips this saves.
    if (type_ != FtpTransferType::Binary) {
      sized(Size(name));
    } else {
      rider = RidingCommand{"SIZE " + name,
                            [&](const FtpReply& reply) { sized(ftpSizeFromReply(reply)); }};
    }
  }
  auto file = std::make_unique<FtpDownloadFile>(destination);
  std::function<void()> received;
  // The flush waits for the disk while the confirmation travels.
  if (flushOnReceipt) received = [&] { file->flush(); };
  transfer(
      "RETR " + name,
      [&](const char* bytes, std::size_t size) {
        if (check != nullptr) check->data(bytes, size);
        file->write(bytes, size);
      },
      true, rider ? &*rider : nullptr, received);
  if (check != nullptr) check->complete();
  return file;
}

std::string FtpClient::Fetch(const std::string& name, std::size_t limit) {
  std::string data;
  transfer(
      "RETR " + name,
      [&](const char* bytes, std::size_t size) {
        if (size > limit - data.size()) {
          throw Error("\"" + name + "\" is longer than " + std::to_string(limit) + " bytes");
        }
        data.append(bytes, size);
      },
      true);
  return data;
}

void FtpClient::transfer(const std::string& command, const Sink& sink, bool refusalIsError,
                         const RidingCommand* rider, const std::function<void()>& received) {
  FtpControl& control = session_->control;
  status(ftpTransfer, "Starting FTP transfer");
  // Sends TEXT, the transfer's first command; a riding command goes just
  // before it, and both replies are read in their order.
  const auto first = [&](const std::string& text) {
    if (rider == nullptr) return control.command(text);
    control.send(rider->command);
    control.send(text);
    rider->reply(control.readReply());
    rider = nullptr;
    return control.readReply();
  };
  FtpTcpStream data;
  // The data connection's silence is the server's too: it is named by the
  // address the operator configured.
  data.setReadLimit(waits_.read, serverName());
  if (passive_) {
    if (ftpOffers(features_, "PRET")) first("PRET " + command);
    const FtpReply pasv = first("PASV");
    requireFtpReply(pasv, {227});
    const std::optional<FtpEndpoint> offered = parsePasvReply(pasv.firstLineText());
    if (!offered) throw FtpReplyError(pasv.code, pasv.text());
    data.connect(passiveDataAddress(offered->address, control.remoteAddress()), offered->port);
    const FtpReply reply = control.command(command, {125, 150, 154, 450});
    if (reply.code == 450) {
      data.close();
      status(ftpAborted, "Transfer aborted");
      // A download that delivered nothing must not pass for a success.
      if (refusalIsError) throw FtpReplyError(reply.code, reply.text());
      return;
    }
  } else {
    FtpListener listener;
    listener.open(control.localAddress());
    std::string address = control.localAddress();
    for (char& c : address) {
      if (c == '.') c = ',';
    }
    const std::uint16_t port = listener.port();
    requireFtpReply(first("PORT " + address + "," + std::to_string(port / 256) + "," +
                          std::to_string(port % 256)),
                    {200});
    control.command(command, {125, 150, 154});
    try {
      listener.accept(data, waits_.accept, control.remoteAddress());
    } catch (...) {
      settleBrokenTransfer();
      throw;
    }
  }
  receive(data, sink);
  status(ftpReady, "Transfer complete");
  if (received) {
    try {
      received();
    } catch (...) {
      // The server's confirmation is read all the same, so that the next
      // command's reply is not taken for it.
      settleBrokenTransfer();
      throw;
    }
  }
  requireFtpReply(control.readReply(), {226, 225, 250});
}

void FtpClient::secureData(FtpTcpStream& data) {
  try {
    data.startTls(tls_, host_, &session_->control.stream());
  } catch (...) {
    data.close();
    settleBrokenTransfer();
    throw;
  }
}

void FtpClient::receive(FtpTcpStream& data, const Sink& sink) {
  if (tls_.required) secureData(data);
  if (OnWorkBegin) OnWorkBegin(*this, wmRead, 0);
  std::int64_t total = 0;
  try {
    std::size_t filled = 0;
    for (;;) {
      const std::size_t count = data.readSome(buffer_.data() + filled, kReadStep);
      if (count == 0) break;
      filled += count;
      total += static_cast<std::int64_t>(count);
      if (OnWork) OnWork(*this, wmRead, total);
      // A handler may have asked the run to stop (the operator closed the
      // screen while the download ran).
      throwIfStopRequested();
      // A handler may have disconnected (the operator leaving mid-download):
      // the transfer can no longer be confirmed, so it stops here.
      if (!session_->control.isOpen()) throw FtpSocketError(kConnectionClosedGracefully);
      if (buffer_.size() - filled < kReadStep) {
        sink(buffer_.data(), filled);
        filled = 0;
      }
    }
    if (filled > 0) sink(buffer_.data(), filled);
  } catch (...) {
    data.close();
    settleBrokenTransfer();
    if (OnWorkEnd) OnWorkEnd(*this, wmRead);
    throw;
  }
  data.close();
  if (OnWorkEnd) OnWorkEnd(*this, wmRead);
}

void FtpClient::settleBrokenTransfer() {
  // The server still answers the broken transfer; reading that answer keeps
  // the next command's reply from being mistaken for it. A server that does
  // not answer in time is left: the session could not be kept in step.
  FtpControl& control = session_->control;
  // A stop leaves at once: the server's answer would only be waited for.
  if (stopRequested()) {
    control.close();
    return;
  }
  try {
    if (control.isOpen() && !control.readReplyWithin(waits_.brokenTransferReply)) control.close();
  } catch (const Error&) {
    // The transfer's own failure is the one to report.
  }
}

}  // namespace kelvo
