"""An FTP server behind a slow line, for bench/update/run.

pyftpdlib serving ROOT to USER with PASSWORD on 127.0.0.1, where every reply
and the first byte of every data connection's transfer leave DELAY_MS late,
as over a line with that much delay. Nothing blocks meanwhile: the delays
run on the server's own event loop, so commands that arrive together are
answered together, each DELAY_MS after it arrived, in order. Listings print
local times, as a site's server must.

Usage: slow_ftp_server.py ROOT USER PASSWORD DELAY_MS PORT_FILE
"""
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import DTPHandler, FTPHandler
from pyftpdlib.servers import FTPServer


class SlowData(DTPHandler):
    delay = 0.0

    def push(self, data):
        self.ioloop.call_later(self.delay, self._later, DTPHandler.push, data,
                               _errback=self.handle_error)

    def push_with_producer(self, producer):
        self.ioloop.call_later(self.delay, self._later, DTPHandler.push_with_producer,
                               producer, _errback=self.handle_error)

    def close_when_done(self):
        # After the data it was given, which waits too.
        self.ioloop.call_later(self.delay, self._later, DTPHandler.close_when_done, None,
                               _errback=self.handle_error)

    def _later(self, method, argument):
        if self._closed:
            return
        if argument is None:
            method(self)
        else:
            method(self, argument)


class SlowControl(FTPHandler):
    delay = 0.0
    use_gmt_times = False
    dtp_handler = SlowData

    def respond(self, resp, logfun=None):
        self.ioloop.call_later(self.delay, self._respond_now, resp, _errback=self.handle_error)

    def _respond_now(self, resp):
        if not self._closed:
            FTPHandler.respond(self, resp)

    def close_when_done(self):
        # After the replies already on their way (QUIT's goodbye).
        self.ioloop.call_later(self.delay, self._close_now, _errback=self.handle_error)

    def _close_now(self):
        if not self._closed:
            FTPHandler.close_when_done(self)


def main():
    root, user, password, delay_ms, port_file = sys.argv[1:6]
    SlowControl.delay = SlowData.delay = int(delay_ms) / 1000.0
    authorizer = DummyAuthorizer()
    authorizer.add_user(user, password, root, perm="elr")
    SlowControl.authorizer = authorizer
    SlowControl.auth_failed_timeout = 0.1
    server = FTPServer(("127.0.0.1", 0), SlowControl)
    with open(port_file, "w") as out:
        out.write("%d\n" % server.socket.getsockname()[1])
    server.serve_forever(handle_exit=True)


if __name__ == "__main__":
    main()
