// The FTP client's sockets on standalone Asio. Every operation blocks; the
// waits with a limit (a reply that must come soon, an active-mode accept)
// run an asynchronous wait on a private io_context for that long.
#include "access/ftp/ftp_transport.h"

#include <algorithm>
#include <asio.hpp>
#include <chrono>
#include <cstdint>

#include "platform/stop_request.h"

namespace kelvo {

namespace {

// Numbers and reasons follow the Windows socket errors, so that the
// operator sees the same message on every platform.
struct KnownError {
  std::error_code code;
  int number;
  const char* reason;
};

std::string describe(const std::error_code& error) {
  const KnownError known[] = {
      {asio::error::host_not_found, 11001, "Host not found."},
      {asio::error::host_not_found_try_again, 11002, "Non-authoritative host not found."},
      {asio::error::no_data, 11004, "Valid name, no data record of requested type."},
      {asio::error::no_recovery, 11003, "Non-recoverable error."},
      {asio::error::connection_refused, 10061, "Connection refused."},
      {asio::error::timed_out, 10060, "Connection timed out."},
      {asio::error::connection_reset, 10054, "Connection reset by peer."},
      {asio::error::broken_pipe, 10054, "Connection reset by peer."},
      {asio::error::connection_aborted, 10053, "Software caused connection abort."},
      {asio::error::host_unreachable, 10065, "No route to host."},
      {asio::error::network_unreachable, 10051, "Network is unreachable."},
      {asio::error::network_down, 10050, "Network is down."},
      {asio::error::address_in_use, 10048, "Address already in use."},
      {asio::error::not_connected, 10057, "Socket is not connected."},
  };
  for (const KnownError& k : known) {
    if (error == k.code) return "Socket Error # " + std::to_string(k.number) + "\n" + k.reason;
  }
  return "Socket Error # " + std::to_string(error.value()) + "\n" + error.message() + ".";
}

[[noreturn]] void fail(const std::error_code& error) {
  if (error == asio::error::eof) throw FtpSocketError(kConnectionClosedGracefully);
  throw FtpSocketError(describe(error));
}

// Runs IO until DONE is set or MILLISECONDS pass; returns whether it was set.
bool runFor(asio::io_context& io, const bool& done, int milliseconds) {
  io.restart();
  // Whatever is ready already counts, even with no time left to wait.
  io.poll();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (!done && std::chrono::steady_clock::now() < deadline) {
    io.run_one_until(deadline);
  }
  return done;
}

// Longest single wait of a read: a stop request is looked at this often.
constexpr int kStopCheckMs = 200;

std::string durationText(int milliseconds) {
  if (milliseconds % 1000 == 0) return std::to_string(milliseconds / 1000) + " s";
  return std::to_string(milliseconds) + " ms";
}

}  // namespace

FtpTimeoutError::FtpTimeoutError(const std::string& server, int milliseconds)
    : FtpSocketError("O servidor FTP " + server + " não respondeu em " +
                     durationText(milliseconds) + ".") {}

bool isNumericIpv4(const std::string& host) {
  std::error_code error;
  asio::ip::make_address_v4(host, error);
  return !error;
}

std::string resolveIpv4(const std::string& host) {
  asio::io_context io;
  asio::ip::tcp::resolver resolver(io);
  std::error_code error;
  const auto results = resolver.resolve(asio::ip::tcp::v4(), host, "", error);
  if (error) fail(error);
  if (results.empty()) fail(asio::error::host_not_found);
  return results.begin()->endpoint().address().to_string();
}

struct FtpTcpStream::Impl {
  asio::io_context io;
  asio::ip::tcp::socket socket{io};
  // Over TLS: the session, the bytes a look ahead decrypted and nobody read
  // yet, and whether the server ended the session.
  std::unique_ptr<FtpTlsLink> tls;
  std::string inbox;
  bool tlsClosed = false;

  // Returns true when the socket is ready for WAIT within MILLISECONDS.
  bool waitFor(asio::socket_base::wait_type wait, int milliseconds) {
    if (!socket.is_open()) return false;
    bool done = false;
    bool ready = false;
    socket.async_wait(wait, [&](const std::error_code& error) {
      done = true;
      ready = !error;
    });
    if (!runFor(io, done, milliseconds)) {
      std::error_code ignored;
      socket.cancel(ignored);
      io.restart();
      io.run();
    }
    return ready;
  }

  std::size_t rawAvailable() {
    std::error_code error;
    const std::size_t count = socket.available(error);
    return error ? 0 : count;
  }
};

FtpTcpStream::FtpTcpStream() : impl_(std::make_unique<Impl>()) {}
FtpTcpStream::~FtpTcpStream() = default;

void FtpTcpStream::connect(const std::string& address, std::uint16_t port) {
  close();
  std::error_code error;
  const asio::ip::address_v4 ip = asio::ip::make_address_v4(address, error);
  if (error) fail(asio::error::host_not_found);
  impl_->socket.connect(asio::ip::tcp::endpoint(ip, port), error);
  if (error) {
    close();
    fail(error);
  }
  impl_->socket.set_option(asio::ip::tcp::no_delay(true), error);
}

void FtpTcpStream::setReadLimit(int milliseconds, std::string server) {
  read_limit_ = milliseconds;
  server_ = std::move(server);
}

std::size_t FtpTcpStream::readSome(char* buffer, std::size_t size) {
  if (impl_->tls) return readTls(buffer, size);
  // Data that is there already is taken without a wait.
  if (impl_->socket.is_open() && available() == 0) awaitReadable();
  std::error_code error;
  const std::size_t count = impl_->socket.read_some(asio::buffer(buffer, size), error);
  if (error == asio::error::eof) return 0;
  if (error) fail(error);
  return count;
}

void FtpTcpStream::awaitReadable() {
  // The wait goes in short steps, so that a stop request or a silent server
  // ends it.
  const auto start = std::chrono::steady_clock::now();
  for (;;) {
    throwIfStopRequested();
    int step = kStopCheckMs;
    if (read_limit_ > 0) {
      const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(
                              std::chrono::steady_clock::now() - start)
                              .count();
      if (waited >= read_limit_) throw FtpTimeoutError(server_, read_limit_);
      step = static_cast<int>(std::min<std::int64_t>(step, read_limit_ - waited));
    }
    if (impl_->waitFor(asio::socket_base::wait_read, step)) return;
    if (!impl_->socket.is_open()) throw FtpSocketError(kConnectionClosedGracefully);
  }
}

void FtpTcpStream::awaitWritable() {
  const auto start = std::chrono::steady_clock::now();
  for (;;) {
    throwIfStopRequested();
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::steady_clock::now() - start)
                            .count();
    if (read_limit_ > 0 && waited >= read_limit_) throw FtpTimeoutError(server_, read_limit_);
    if (impl_->waitFor(asio::socket_base::wait_write, kStopCheckMs)) return;
    if (!impl_->socket.is_open()) throw FtpSocketError(kConnectionClosedGracefully);
  }
}

std::size_t FtpTcpStream::readTls(char* buffer, std::size_t size) {
  Impl& impl = *impl_;
  if (!impl.inbox.empty()) {
    const std::size_t count = std::min(size, impl.inbox.size());
    impl.inbox.copy(buffer, count);
    impl.inbox.erase(0, count);
    return count;
  }
  if (impl.tlsClosed) return 0;
  for (;;) {
    std::size_t count = 0;
    const FtpTlsLink::Progress progress = impl.tls->read(buffer, size, count);
    switch (progress) {
      case FtpTlsLink::Progress::Done:
        return count;
      case FtpTlsLink::Progress::Closed:
        impl.tlsClosed = true;
        return 0;
      case FtpTlsLink::Progress::WantRead:
      case FtpTlsLink::Progress::WantWrite:
        awaitTls(progress);
        break;
    }
  }
}

void FtpTcpStream::awaitTls(FtpTlsLink::Progress progress) {
  if (progress == FtpTlsLink::Progress::WantWrite) {
    awaitWritable();
  } else {
    awaitReadable();
  }
}

void FtpTcpStream::startTls(const FtpTlsConfig& config, const std::string& host,
                            const FtpTcpStream* resume) {
  std::error_code error;
  impl_->socket.non_blocking(true, error);
  if (error) fail(error);
  const auto wait = [this](FtpTlsLink::Progress progress) { awaitTls(progress); };
  impl_->tls =
      FtpTlsLink::connect(static_cast<std::intptr_t>(impl_->socket.native_handle()), config, host,
                          server_, resume != nullptr ? resume->tls() : nullptr, wait);
}

const FtpTlsLink* FtpTcpStream::tls() const { return impl_->tls.get(); }

void FtpTcpStream::writeAll(const char* data, std::size_t size) {
  if (impl_->tls) {
    for (std::size_t done = 0; done < size;) {
      std::size_t count = 0;
      const FtpTlsLink::Progress progress = impl_->tls->write(data + done, size - done, count);
      switch (progress) {
        case FtpTlsLink::Progress::Done:
          done += count;
          break;
        case FtpTlsLink::Progress::WantRead:
        case FtpTlsLink::Progress::WantWrite:
          awaitTls(progress);
          break;
        case FtpTlsLink::Progress::Closed:
          throw FtpSocketError(kConnectionClosedGracefully);
      }
    }
    return;
  }
  std::error_code error;
  asio::write(impl_->socket, asio::buffer(data, size), error);
  if (error) fail(error);
}

bool FtpTcpStream::waitReadable(int milliseconds) {
  if (impl_->tls && (!impl_->inbox.empty() || impl_->tls->pending() > 0)) return true;
  return impl_->waitFor(asio::socket_base::wait_read, milliseconds);
}

std::size_t FtpTcpStream::available() {
  Impl& impl = *impl_;
  if (!impl.tls) return impl.rawAvailable();
  // Raw bytes may be no more than the server's session bookkeeping: what
  // counts is what they decrypt to, so they are read ahead into the inbox.
  if (impl.inbox.empty() && !impl.tlsClosed &&
      (impl.tls->pending() > 0 || impl.rawAvailable() > 0)) {
    char chunk[16384];
    std::size_t count = 0;
    try {
      const FtpTlsLink::Progress progress = impl.tls->read(chunk, sizeof chunk, count);
      if (progress == FtpTlsLink::Progress::Done) impl.inbox.append(chunk, count);
      if (progress == FtpTlsLink::Progress::Closed) impl.tlsClosed = true;
    } catch (const Error&) {
      // A broken session reads as a closed one.
      impl.tlsClosed = true;
    }
  }
  return impl.inbox.size();
}

bool FtpTcpStream::peerClosed() {
  if (!impl_->socket.is_open()) return true;
  if (impl_->tls && impl_->tlsClosed && impl_->inbox.empty()) return true;
  std::error_code error;
  impl_->socket.non_blocking(true, error);
  char byte = 0;
  impl_->socket.receive(asio::buffer(&byte, 1), asio::socket_base::message_peek, error);
  std::error_code ignored;
  // A TLS session works on a non-blocking socket.
  impl_->socket.non_blocking(impl_->tls != nullptr, ignored);
  return error && error != asio::error::would_block && error != asio::error::try_again;
}

void FtpTcpStream::close() {
  if (impl_->tls) {
    impl_->tls->shutdown();
    impl_->tls.reset();
  }
  impl_->inbox.clear();
  impl_->tlsClosed = false;
  std::error_code ignored;
  if (impl_->socket.is_open()) impl_->socket.close(ignored);
}

bool FtpTcpStream::isOpen() const { return impl_->socket.is_open(); }

std::string FtpTcpStream::localAddress() const {
  std::error_code error;
  const auto endpoint = impl_->socket.local_endpoint(error);
  return error ? std::string() : endpoint.address().to_string();
}

std::string FtpTcpStream::remoteAddress() const {
  std::error_code error;
  const auto endpoint = impl_->socket.remote_endpoint(error);
  return error ? std::string() : endpoint.address().to_string();
}

struct FtpListener::Impl {
  asio::io_context io;
  asio::ip::tcp::acceptor acceptor{io};
};

FtpListener::FtpListener() : impl_(std::make_unique<Impl>()) {}
FtpListener::~FtpListener() = default;

void FtpListener::open(const std::string& address) {
  std::error_code error;
  const asio::ip::address_v4 ip = asio::ip::make_address_v4(address, error);
  if (error) fail(error);
  const asio::ip::tcp::endpoint endpoint(ip, 0);
  impl_->acceptor.open(endpoint.protocol(), error);
  if (!error) impl_->acceptor.bind(endpoint, error);
  if (!error) impl_->acceptor.listen(1, error);
  if (error) fail(error);
}

std::uint16_t FtpListener::port() const {
  std::error_code error;
  return impl_->acceptor.local_endpoint(error).port();
}

void FtpListener::accept(FtpTcpStream& stream, int milliseconds, const std::string& peer) {
  stream.close();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    bool done = false;
    std::error_code result;
    impl_->acceptor.async_accept(stream.impl_->socket, [&](const std::error_code& error) {
      done = true;
      result = error;
    });
    if (!runFor(impl_->io, done, static_cast<int>(std::max<std::int64_t>(left.count(), 0)))) {
      std::error_code ignored;
      impl_->acceptor.cancel(ignored);
      impl_->io.restart();
      impl_->io.run();
      stream.close();
      throw FtpSocketError(kAcceptTimedOut);
    }
    if (result) fail(result);
    // Anyone may connect to the port we announced; only the server we talk
    // to may deliver the file.
    if (stream.remoteAddress() == peer) return;
    stream.close();
  }
}

}  // namespace kelvo
