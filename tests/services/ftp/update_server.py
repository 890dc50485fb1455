"""The update folder's FTP server for the file update run's tests.

One pyftpdlib server on 127.0.0.1 serving STATE/files, which the tests fill
(folder "quarvessa"). Listings print local times, as a site's server must.
Every command received is appended to STATE/commands, one a line, so that
tests can count what a run sent.
Any user name logs in with the password given (default "secret"); the last name used is
written to STATE/last-user so that tests can check it. While the file
STATE/odd-listing exists, LIST adds a "total" line at the top and a blank
line after the first entry, as some servers do.

When STATE/tls/server.pem exists (tls-certificates), a second server on
STATE/tls_port serves the same folder and logins over explicit FTPS only,
control and data connections both.

Usage: update_server.py STATE [PASSWORD [RATE [HOLD]]]
  PASSWORD  default "secret"
  RATE      bytes per second each download is sent at, steadily (the demo
            uses it so that files are seen arriving); unlimited when absent
            or 0
  HOLD      seconds each download's data connection stays open after its
            last byte; STATE/holding exists meanwhile (default 0)
"""
import os
import sys

from pyftpdlib.authorizers import AuthenticationFailed, DummyAuthorizer
from pyftpdlib.handlers import FTPHandler, TLS_FTPHandler
from pyftpdlib.servers import FTPServer

from paced_transfer import PacedDTPHandler

PASSWORD = "secret"


class AnyUser(DummyAuthorizer):
    def __init__(self, state, root):
        super().__init__()
        self._state = state
        self._root = root

    def validate_authentication(self, username, password, handler):
        if password != self.password:
            raise AuthenticationFailed("Authentication failed.")
        if not self.has_user(username):
            self.add_user(username, self.password, self._root, perm="elr")
        with open(os.path.join(self._state, "last-user"), "w") as out:
            out.write(username + "\n")


class UpdateHandler(FTPHandler):
    use_gmt_times = False
    use_sendfile = False

    def pre_process_command(self, line, cmd, arg):
        with open(os.path.join(self.state, "commands"), "a") as out:
            out.write(line + "\n")
        return super().pre_process_command(line, cmd, arg)

    def ftp_LIST(self, path):
        if not os.path.exists(os.path.join(self.state, "odd-listing")):
            return super().ftp_LIST(path)
        listing = self.run_as_current_user(self.fs.listdir, path)
        lines = list(self.fs.format_list(path, sorted(listing)))
        lines.insert(1, b"\r\n")
        data = b"total %d\r\n" % len(listing) + b"".join(lines)
        self.push_dtp_data(data, cmd="LIST")
        return path


class TlsUpdateHandler(TLS_FTPHandler, UpdateHandler):
    """The same server, refusing whatever is not protected."""
    tls_control_required = True
    tls_data_required = True


def serve_tls(state):
    """Opens the FTPS server beside the plain one when there are certificates."""
    folder = os.path.join(state, "tls")
    if not os.path.exists(os.path.join(folder, "server.pem")):
        return
    TlsUpdateHandler.certfile = os.path.join(folder, "server.pem")
    TlsUpdateHandler.keyfile = os.path.join(folder, "server.key")
    TlsUpdateHandler.state = state
    TlsUpdateHandler.authorizer = UpdateHandler.authorizer
    TlsUpdateHandler.auth_failed_timeout = 0.1
    server = FTPServer(("127.0.0.1", 0), TlsUpdateHandler)
    with open(os.path.join(state, "tls_port"), "w") as out:
        out.write("%d\n" % server.socket.getsockname()[1])


def main():
    state = sys.argv[1]
    AnyUser.password = sys.argv[2] if len(sys.argv) > 2 else PASSWORD
    PacedDTPHandler.write_limit = int(sys.argv[3]) if len(sys.argv) > 3 else 0
    PacedDTPHandler.hold = float(sys.argv[4]) if len(sys.argv) > 4 else 0.0
    PacedDTPHandler.hold_marker = os.path.join(state, "holding")
    UpdateHandler.dtp_handler = PacedDTPHandler
    root = os.path.join(state, "files")
    UpdateHandler.state = state
    UpdateHandler.authorizer = AnyUser(state, root)
    UpdateHandler.auth_failed_timeout = 0.1
    server = FTPServer(("127.0.0.1", 0), UpdateHandler)
    # Both servers run on the one event loop that serve_forever drives.
    serve_tls(state)
    with open(os.path.join(state, "port"), "w") as out:
        out.write("%d\n" % server.socket.getsockname()[1])
    server.serve_forever()


if __name__ == "__main__":
    main()
