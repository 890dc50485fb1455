// A socket BIO that never raises SIGPIPE.
#if KELVO_FTP_TLS_BUILT
#include "access/ftp/ftp_tls_bio.h"

#ifndef _WIN32
#include <sys/socket.h>
#include <sys/types.h>

#include <cerrno>
#include <cstring>
#endif

namespace kelvo {

#ifdef _WIN32

// Windows has no SIGPIPE: OpenSSL's own socket BIO serves.
BIO* ftpSocketBio(std::intptr_t fd) { return BIO_new_socket(static_cast<int>(fd), BIO_NOCLOSE); }

#else

namespace {

int descriptor(BIO* bio) {
  return static_cast<int>(reinterpret_cast<std::intptr_t>(BIO_get_data(bio)));
}

bool retryable() { return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR; }

int writeSocket(BIO* bio, const char* data, int size) {
  BIO_clear_retry_flags(bio);
  const ssize_t sent = ::send(descriptor(bio), data, static_cast<std::size_t>(size), MSG_NOSIGNAL);
  if (sent < 0 && retryable()) BIO_set_retry_write(bio);
  return static_cast<int>(sent);
}

int readSocket(BIO* bio, char* data, int size) {
  BIO_clear_retry_flags(bio);
  const ssize_t received = ::recv(descriptor(bio), data, static_cast<std::size_t>(size), 0);
  if (received < 0 && retryable()) BIO_set_retry_read(bio);
  return static_cast<int>(received);
}

long control(BIO*, int command, long, void*) { return command == BIO_CTRL_FLUSH ? 1 : 0; }

int putText(BIO* bio, const char* text) {
  return writeSocket(bio, text, static_cast<int>(std::strlen(text)));
}

const BIO_METHOD* socketMethod() {
  static BIO_METHOD* const method = [] {
    BIO_METHOD* made = BIO_meth_new(BIO_get_new_index() | BIO_TYPE_SOURCE_SINK, "kelvo socket");
    BIO_meth_set_write(made, writeSocket);
    BIO_meth_set_read(made, readSocket);
    BIO_meth_set_puts(made, putText);
    BIO_meth_set_ctrl(made, control);
    BIO_meth_set_create(made, [](BIO* bio) {
      BIO_set_init(bio, 1);
      return 1;
    });
    return made;
  }();
  return method;
}

}  // namespace

BIO* ftpSocketBio(std::intptr_t fd) {
  BIO* bio = BIO_new(socketMethod());
  if (bio != nullptr) BIO_set_data(bio, reinterpret_cast<void*>(fd));
  return bio;
}

#endif

}  // namespace kelvo
#endif
