// The TLS layer of the FTP client on OpenSSL's libssl, or its refusal in a
// build without it.
#include "access/ftp/ftp_tls.h"

#if KELVO_FTP_TLS_BUILT
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>

#include "access/ftp/ftp_tls_bio.h"
#endif

#include "access/ftp/ftp_transport.h"

namespace kelvo {

void checkFtpTlsConfig(const FtpTlsConfig& config) {
  if (!ftpTlsBuilt()) {
    throw FtpTlsError("Esta versão do KelvoUpdate não pode usar FTPS: foi compilada sem OpenSSL.");
  }
  if (config.caFile.empty()) {
    throw FtpTlsError(
        "FTPS exige o arquivo de CA do servidor FTP: ca_file em [ftp] do kelvoupdate.ini.");
  }
}

#if KELVO_FTP_TLS_BUILT

bool ftpTlsBuilt() { return true; }

namespace {

// Returns OpenSSL's reasons queued for this thread, and empties the queue.
std::string queuedErrors() {
  std::string text;
  while (const unsigned long code = ERR_get_error()) {
    char reason[256];
    ERR_error_string_n(code, reason, sizeof reason);
    if (!text.empty()) text += "; ";
    text += reason;
  }
  return text.empty() ? "unknown TLS error" : text;
}

struct ContextFree {
  void operator()(SSL_CTX* context) const { SSL_CTX_free(context); }
};
using Context = std::unique_ptr<SSL_CTX, ContextFree>;

Context makeContext(const FtpTlsConfig& config, const std::string& server) {
  Context context(SSL_CTX_new(TLS_client_method()));
  if (!context) throw FtpTlsError("TLS: " + queuedErrors());
  SSL_CTX_set_min_proto_version(context.get(), TLS1_2_VERSION);
  SSL_CTX_set_verify(context.get(), SSL_VERIFY_PEER, nullptr);
  // Only the site's CA file: never the system's store, in which anyone can
  // have a certificate for a host of their own.
  if (SSL_CTX_load_verify_locations(context.get(), config.caFile.c_str(), nullptr) != 1) {
    ERR_clear_error();
    throw FtpTlsError("Não foi possível ler o arquivo de CA " + config.caFile +
                      " para o servidor FTP " + server + ".");
  }
  return context;
}

class OpenSslLink final : public FtpTlsLink {
 public:
  OpenSslLink(SSL_CTX* context, std::string server) : server_(std::move(server)) {
    SSL_CTX_up_ref(context);
    context_.reset(context);
    ssl_ = SSL_new(context);
    if (ssl_ == nullptr) throw FtpTlsError("TLS: " + queuedErrors());
  }
  ~OpenSslLink() override { SSL_free(ssl_); }
  OpenSslLink(const OpenSslLink&) = delete;
  OpenSslLink& operator=(const OpenSslLink&) = delete;

  void handshake(std::intptr_t fd, const std::string& host, const OpenSslLink* resume,
                 const Wait& wait) {
    BIO* socket = ftpSocketBio(fd);
    if (socket == nullptr) throw FtpTlsError("TLS: " + queuedErrors());
    SSL_set_bio(ssl_, socket, socket);
    X509_VERIFY_PARAM* param = SSL_get0_param(ssl_);
    X509_VERIFY_PARAM_set_hostflags(param, X509_CHECK_FLAG_NO_PARTIAL_WILDCARDS);
    const bool numeric = isNumericIpv4(host);
    const int named = numeric ? X509_VERIFY_PARAM_set1_ip_asc(param, host.c_str())
                              : SSL_set1_host(ssl_, host.c_str());
    if (named != 1) throw FtpTlsError("TLS: " + queuedErrors());
    if (!numeric) SSL_set_tlsext_host_name(ssl_, host.c_str());
    if (resume != nullptr) {
      // The server takes a data connection only in the control
      // connection's session: no one else can deliver our files.
      if (SSL_SESSION* session = SSL_get1_session(resume->ssl_)) {
        SSL_set_session(ssl_, session);
        SSL_SESSION_free(session);
      }
    }
    for (;;) {
      ERR_clear_error();
      const int result = SSL_connect(ssl_);
      if (result == 1) return;
      switch (SSL_get_error(ssl_, result)) {
        case SSL_ERROR_WANT_READ:
          wait(Progress::WantRead);
          break;
        case SSL_ERROR_WANT_WRITE:
          wait(Progress::WantWrite);
          break;
        case SSL_ERROR_SYSCALL:
          if (ERR_peek_error() == 0) throw FtpSocketError(kConnectionClosedGracefully);
          failHandshake();
        default:
          failHandshake();
      }
    }
  }

  Progress read(char* buffer, std::size_t size, std::size_t& count) override {
    ERR_clear_error();
    const int result = SSL_read_ex(ssl_, buffer, size, &count);
    return result == 1 ? Progress::Done : classify(result);
  }

  Progress write(const char* data, std::size_t size, std::size_t& count) override {
    ERR_clear_error();
    const int result = SSL_write_ex(ssl_, data, size, &count);
    return result == 1 ? Progress::Done : classify(result);
  }

  std::size_t pending() const override { return static_cast<std::size_t>(SSL_pending(ssl_)); }

  void shutdown() override {
    ERR_clear_error();
    SSL_shutdown(ssl_);
    ERR_clear_error();
  }

  SSL_CTX* context() const { return context_.get(); }

 private:
  Progress classify(int result) {
    switch (SSL_get_error(ssl_, result)) {
      case SSL_ERROR_WANT_READ:
        return Progress::WantRead;
      case SSL_ERROR_WANT_WRITE:
        return Progress::WantWrite;
      case SSL_ERROR_ZERO_RETURN:
        return Progress::Closed;
      case SSL_ERROR_SYSCALL:
        // The server closed the connection without ending the session.
        if (ERR_peek_error() == 0) throw FtpSocketError(kConnectionClosedGracefully);
        [[fallthrough]];
      default:
        if (ERR_GET_REASON(ERR_peek_error()) == SSL_R_UNEXPECTED_EOF_WHILE_READING) {
          ERR_clear_error();
          throw FtpSocketError(kConnectionClosedGracefully);
        }
        throw FtpTlsError("TLS com o servidor FTP " + server_ + ": " + queuedErrors());
    }
  }

  [[noreturn]] void failHandshake() {
    const long verified = SSL_get_verify_result(ssl_);
    if (verified != X509_V_OK) {
      ERR_clear_error();
      throw FtpTlsError("O certificado do servidor FTP " + server_ +
                        " foi recusado: " + X509_verify_cert_error_string(verified) + ".");
    }
    throw FtpTlsError("Falha na negociação TLS com o servidor FTP " + server_ + ": " +
                      queuedErrors() + ".");
  }

  Context context_;
  SSL* ssl_ = nullptr;
  std::string server_;
};

}  // namespace

std::unique_ptr<FtpTlsLink> FtpTlsLink::connect(std::intptr_t fd, const FtpTlsConfig& config,
                                                const std::string& host, const std::string& server,
                                                const FtpTlsLink* resume, const Wait& wait) {
  checkFtpTlsConfig(config);
  const auto* previous = static_cast<const OpenSslLink*>(resume);
  Context fresh;
  if (previous == nullptr) fresh = makeContext(config, server);
  auto link = std::make_unique<OpenSslLink>(previous ? previous->context() : fresh.get(), server);
  link->handshake(fd, host, previous, wait);
  return link;
}

#else

bool ftpTlsBuilt() { return false; }

std::unique_ptr<FtpTlsLink> FtpTlsLink::connect(std::intptr_t, const FtpTlsConfig& config,
                                                const std::string&, const std::string&,
                                                const FtpTlsLink*, const Wait&) {
  checkFtpTlsConfig(config);
  return nullptr;
}

#endif

}  // namespace kelvo
