"""FTP servers with scripted behaviour for the client's integration tests.

Runs several pyftpdlib servers in one process on 127.0.0.1, each on a port
the system chooses, and writes each port to STATE/port-NAME:

  scripted   log-in as quarve/secret; UTF8 names; 450 on LIST of "busy" and
             on RETR of "busy.txt"; 421 on CWD "bye421"; a download of
             "drop.bin" whose data connection ends part-way (426); fixed
             listing texts for the folders named in LISTINGS
  hostclose  hangs up on HOST (no reply)
  host421    answers HOST with 421 and hangs up
  hostlate   answers HOST with 530 and hangs up a moment later, deaf to
             whatever arrives meanwhile
  nosize     does not know SIZE
  classic    preliminary and multi-line greeting, multi-line CWD reply,
             PASV reply without brackets, PRET offered and required

Usage: scripted_servers.py STATE ROOT
"""
import os
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler, proto_cmds
from pyftpdlib.ioloop import IOLoop
from pyftpdlib.servers import FTPServer

USER, PASSWORD = "quarve", "secret"
DROP_AFTER = 100000

# Listings sent as they stand for LIST in folders of these names.
LISTINGS = {
    # A header, a blank line inside, and no final line break.
    "oddlines": b"total 2\r\n\r\n-rw-r--r-- 1 u g 1 Jan 01  2020 a\r\n"
                b"-rw-r--r-- 1 u g 2 Jan 02  2020 b",
    # The second line's month is no month.
    "baddate": b"-rw-r--r-- 1 u g 1 Jan 01  2020 good\r\n"
               b"-rw-r--r-- 1 u g 5 Foo 08 10:00 bad\r\n"
               b"-rw-r--r-- 1 u g 1 Jan 01  2020 after\r\n",
}


class DroppingFile:
    """A file whose reading fails part-way, as a broken disk or link would."""

    def __init__(self, path):
        self._file = open(path, "rb")
        self._served = 0
        self.name = path
        self.closed = False

    def read(self, size):
        if self._served >= DROP_AFTER:
            raise OSError(5, "Input/output error")
        data = self._file.read(min(size, DROP_AFTER - self._served))
        self._served += len(data)
        return data

    def close(self):
        self.closed = True
        self._file.close()


class Scripted(FTPHandler):
    use_sendfile = False

    def ftp_LIST(self, path):
        name = os.path.basename(path)
        if name == "busy":
            self.respond("450 Listing busy, try later.")
            return None
        if name in LISTINGS:
            self.push_dtp_data(LISTINGS[name], cmd="LIST")
            return path
        return super().ftp_LIST(path)

    def ftp_RETR(self, file):
        name = os.path.basename(file)
        if name == "busy.txt":
            self.respond("450 File busy, try later.")
            return None
        if name == "drop.bin":
            from pyftpdlib.handlers import FileProducer
            fd = DroppingFile(file)
            self.push_dtp_data(FileProducer(fd, self._current_type), isproducer=True,
                               file=fd, cmd="RETR")
            return file
        return super().ftp_RETR(file)

    def ftp_CWD(self, path):
        if os.path.basename(path) == "bye421":
            self.respond("421 Service not available, closing control connection.")
            self.close_when_done()
            return None
        return super().ftp_CWD(path)


def with_host(handler, reply, linger=0):
    """Returns HANDLER taught the HOST command, answered by REPLY; the
    connection closes LINGER seconds after the reply."""
    commands = dict(handler.proto_cmds)
    commands["HOST"] = dict(perm=None, auth=False, arg=True, help="Syntax: HOST <SP> host.")

    class WithHost(handler):
        proto_cmds = commands

        def ftp_HOST(self, line):
            if not reply:
                self.close()
            elif linger:
                self.respond(reply)
                self._leaving = True
                self.ioloop.call_later(linger, self.close)
            else:
                self.respond(reply)
                self.close_when_done()

        def pre_process_command(self, line, cmd, arg):
            if getattr(self, "_leaving", False):
                return
            super().pre_process_command(line, cmd, arg)

    return WithHost


class NoSize(FTPHandler):
    proto_cmds = {k: v for k, v in proto_cmds.items() if k != "SIZE"}


class Classic(FTPHandler):
    proto_cmds = dict(FTPHandler.proto_cmds)
    proto_cmds["PRET"] = dict(perm=None, auth=True, arg=True, help="Syntax: PRET <SP> command.")

    def __init__(self, *args, **kwargs):
        super().__init__(*args, **kwargs)
        self._extra_feats = ["PRET"]
        self._pret = None

    def ftp_PRET(self, line):
        self._pret = line
        self.respond("200 Ready for " + line.split(" ")[0] + ".")

    def ftp_PASV(self, line):
        # A client told that PRET is offered must announce every transfer.
        pret, self._pret = self._pret, None
        if not pret:
            self.respond("503 PRET first.")
            return
        super().ftp_PASV(line)

    def handle(self):
        self.on_connect()
        self.push("120-Wait a moment,\r\n120 nearly there.\r\n")
        self.push("220-Welcome\r\n to the classic server;\r\n220-it talks in\r\n")
        self.respond("220 many lines.")

    def respond(self, resp, *args, **kwargs):
        if resp.startswith("227 ") and "(" in resp:
            numbers = resp[resp.index("(") + 1:resp.index(")")]
            resp = "227 Entering Passive Mode " + numbers
        elif resp.startswith("250 ") and "current directory" in resp:
            self.push("250-Directory changed;\r\n")
            self.push("this line has no code\r\n")
        super().respond(resp, *args, **kwargs)


def main():
    state, root = sys.argv[1], sys.argv[2]
    servers = {
        "scripted": Scripted,
        "hostclose": with_host(FTPHandler, None),
        "host421": with_host(FTPHandler, "421 No virtual hosts here."),
        "hostlate": with_host(FTPHandler, "530 No virtual hosts here.", linger=0.05),
        "nosize": NoSize,
        "classic": Classic,
    }
    ioloop = IOLoop.instance()
    for name, handler in servers.items():
        authorizer = DummyAuthorizer()
        authorizer.add_user(USER, PASSWORD, root, perm="elr")
        handler.authorizer = authorizer
        handler.passive_ports = None
        handler.auth_failed_timeout = 0.1
        server = FTPServer(("127.0.0.1", 0), handler, ioloop=ioloop)
        port = server.socket.getsockname()[1]
        with open(os.path.join(state, "port-" + name), "w") as out:
            out.write("%d\n" % port)
    with open(os.path.join(state, "ready"), "w") as out:
        out.write("yes\n")
    ioloop.loop()


if __name__ == "__main__":
    main()
