"""An FTP server that misbehaves on purpose, for the client's tests.

Plain sockets on 127.0.0.1, one thread per session. The user name chosen at
log-in (any password) picks the misbehaviour; every other user gets a
well-behaved session. Files served: "hello.txt" (HELLO below), listed by
LIST as LISTING; any other name gets 550.

  breakdata    RETR sends part of the file, resets the data connection and
               then never answers again
  byenobreak   QUIT is answered "221 Bye" with no line break and the
               connection stays open
  longline     SIZE is answered by one reply line that never ends
  longreply    SIZE is answered by a multi-line reply that never ends
  lateaccept   (active mode) RETR is answered 150, no data connection is
               made, and 425 follows half a second later
  noaccept     (active mode) RETR is answered 150 and then nothing ever
  intruder     (active mode) before the server's own data connection, one
               from 127.0.0.2 delivers other bytes
  idle421      CWD is answered, then "421" follows unasked and the server
               hangs up
  stalldata    RETR sends part of the file and then nothing more, on either
               connection, both left open
  stallreply   SIZE is never answered; the connection stays open

A password that names a misbehaviour picks it too, for a client whose user
name is fixed (the updater logs in with its own).

Silences last SILENCE seconds at most, and endless replies stop after
ENDLESS bytes, so that a client without limits fails its test instead of
hanging it. AUTH TLS is refused (502). Writes STATE/port and STATE/ready, and
appends every password it is sent to STATE/passwords.

Usage: hostile_server.py STATE
"""
import os
import socket
import sys
import threading
import time

HELLO = b"hello from the hostile server\r\n"
LISTING = b"-rw-r--r-- 1 u g 31 Jan 02  2020 hello.txt\r\n"
SILENCE = 60
ENDLESS = 4 * 1024 * 1024
STATE = "."
MODES = ("breakdata", "byenobreak", "longline", "longreply", "lateaccept", "noaccept",
         "intruder", "idle421", "stalldata", "stallreply")


class Session:
    def __init__(self, conn):
        self.conn = conn
        self.reader = conn.makefile("rb")
        self.user = ""
        self.passive = None
        self.port = None

    def send(self, text):
        self.conn.sendall(text.encode("latin-1"))

    def reply(self, text):
        self.send(text + "\r\n")

    def silent(self):
        """Answers nothing more until the client leaves or SILENCE passes."""
        self.conn.settimeout(SILENCE)
        try:
            while self.conn.recv(4096):
                pass
        except OSError:
            pass

    def endless(self, first, each):
        sent = 0
        try:
            self.send(first)
            while sent < ENDLESS:
                self.send(each)
                sent += len(each)
        except OSError:
            return
        self.reply("213 Done.")

    def data_connection(self):
        if self.passive is not None:
            self.passive.settimeout(10)
            data, _ = self.passive.accept()
            self.passive.close()
            self.passive = None
            return data
        data = socket.socket()
        data.bind(("127.0.0.1", 0))
        data.connect(self.port)
        return data

    def send_data(self, content):
        self.reply("150 Opening data connection.")
        data = self.data_connection()
        data.sendall(content)
        data.close()
        self.reply("226 Transfer complete.")

    def retr(self, name):
        if name != "hello.txt":
            self.reply("550 No such file.")
            return
        self.reply("150 Opening data connection.")
        if self.user in ("lateaccept", "noaccept"):
            if self.user == "noaccept":
                self.silent()
                raise EOFError
            time.sleep(0.5)
            self.reply("425 Cannot open data connection.")
            return
        if self.user == "intruder":
            intruder = socket.socket()
            intruder.bind(("127.0.0.2", 0))
            intruder.connect(self.port)
            intruder.sendall(b"bytes of an intruder\r\n")
            intruder.close()
            time.sleep(0.3)
        data = self.data_connection()
        if self.user == "stalldata":
            data.sendall(HELLO * 100)
            self.silent()
            data.close()
            raise EOFError
        if self.user == "breakdata":
            data.sendall(HELLO * 1000)
            # A reset, not an orderly close: the client sees a broken transfer.
            data.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, b"\x01\x00\x00\x00\x00\x00\x00\x00")
            data.close()
            self.silent()
            raise EOFError
        data.sendall(HELLO)
        data.close()
        self.reply("226 Transfer complete.")

    def command(self, verb, arg):
        if verb == "USER":
            self.user = arg
            self.reply("331 Password, please.")
        elif verb == "PASS":
            # Every password that reached the server, for the tests that
            # make sure one never does.
            with open(os.path.join(STATE, "passwords"), "a") as out:
                out.write(arg + "\n")
            if arg in MODES:
                self.user = arg
            self.reply("230 Logged in.")
        elif verb == "FEAT":
            self.send("211-Features:\r\n SIZE\r\n211 End\r\n")
        elif verb == "TYPE":
            self.reply("200 Type set.")
        elif verb == "SYST":
            self.reply("215 UNIX Type: L8")
        elif verb == "CWD":
            self.reply("250 Folder changed.")
            if self.user == "idle421":
                self.reply("421 Idle too long, goodbye.")
                raise EOFError
        elif verb == "SIZE":
            if self.user == "stallreply":
                self.silent()
                raise EOFError
            elif self.user == "longline":
                self.endless("213 ", "9" * 4096)
            elif self.user == "longreply":
                self.endless("213-Size follows.\r\n", " and more\r\n" * 400)
            elif arg == "hello.txt":
                self.reply("213 %d" % len(HELLO))
            else:
                self.reply("550 No such file.")
        elif verb == "PASV":
            self.passive = socket.socket()
            self.passive.bind(("127.0.0.1", 0))
            self.passive.listen(1)
            port = self.passive.getsockname()[1]
            self.reply("227 Entering Passive Mode (127,0,0,1,%d,%d)." % (port // 256, port % 256))
        elif verb == "PORT":
            n = [int(x) for x in arg.split(",")]
            self.port = ("%d.%d.%d.%d" % tuple(n[:4]), n[4] * 256 + n[5])
            self.reply("200 PORT command successful.")
        elif verb == "RETR":
            self.retr(arg)
        elif verb == "LIST":
            self.send_data(LISTING)
        elif verb == "QUIT":
            if self.user == "byenobreak":
                self.send("221 Bye")
                self.silent()
            else:
                self.reply("221 Goodbye.")
            raise EOFError
        else:
            self.reply("502 Command not implemented.")

    def run(self):
        try:
            self.reply("220 Hostile FTP server ready.")
            for raw in self.reader:
                line = raw.decode("latin-1").rstrip("\r\n")
                verb, _, arg = line.partition(" ")
                self.command(verb.upper(), arg)
        except (EOFError, OSError):
            pass
        finally:
            self.conn.close()


def main():
    global STATE
    state = STATE = sys.argv[1]
    server = socket.socket()
    server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    server.bind(("127.0.0.1", 0))
    server.listen(16)
    with open(os.path.join(state, "port"), "w") as out:
        out.write("%d\n" % server.getsockname()[1])
    with open(os.path.join(state, "ready"), "w") as out:
        out.write("yes\n")
    while True:
        conn, _ = server.accept()
        threading.Thread(target=Session(conn).run, daemon=True).start()


if __name__ == "__main__":
    main()
