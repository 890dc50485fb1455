"""Data connections that send a download the way a real link delivers it.

PacedDTPHandler sends at a steady rate: small writes, each one slice of the
rate, and the connection rests until the schedule catches up. A link of
512 KiB/s thus shows a file arriving evenly, not in whole-second bursts.

With HOLD set, a download's connection stays open that many seconds after the
file's last byte before it closes, as when a link's last packets are slow
to be acknowledged; while it waits, the file HOLD_MARKER (when set) exists,
so a test knows the client has the whole file but not yet its end.
"""
import os
import time

from pyftpdlib.handlers import DTPHandler

# Seconds of data per write: short enough that progress never visibly stalls.
SLICE = 0.02


class PacedDTPHandler(DTPHandler):
    write_limit = 0  # bytes per second; 0 sends as fast as the socket takes it
    hold = 0.0
    hold_marker = None

    def __init__(self, sock, cmd_channel):
        super().__init__(sock, cmd_channel)
        self._first_send = None
        self._paced_bytes = 0
        self._resting = None
        self._held = False
        if self.write_limit:
            self.ac_out_buffer_size = max(1024, int(self.write_limit * SLICE))

    def use_sendfile(self):
        return False

    def send(self, data):
        sent = super().send(data)
        if self.write_limit and sent:
            now = time.monotonic()
            if self._first_send is None:
                self._first_send = now
            self._paced_bytes += sent
            due = self._first_send + self._paced_bytes / self.write_limit
            if due > now:
                self._rest(due - now)
        return sent

    def _rest(self, seconds):
        self.del_channel()
        self._resting = self.ioloop.call_later(seconds, self._wake, _errback=self.handle_error)

    def _wake(self):
        self._resting = None
        if not self._closed:
            self.add_channel(events=self.ioloop.WRITE)

    def handle_close(self):
        # Listings are sent at once; only a file's download is held.
        whole_file_sent = self.file_obj is not None and not self.receive and not self.producer_fifo
        if self.hold and whole_file_sent and not self._held and not self._closed:
            self._held = True
            if self.hold_marker:
                with open(self.hold_marker, "w") as out:
                    out.write("%d\n" % self.get_transmitted_bytes())
            self.del_channel()
            self._resting = self.ioloop.call_later(self.hold, self._end_hold,
                                                   _errback=self.handle_error)
            return
        super().handle_close()

    def _end_hold(self):
        self._resting = None
        if self.hold_marker:
            try:
                os.remove(self.hold_marker)
            except OSError:
                pass
        super().handle_close()

    def close(self):
        if self._resting is not None and not self._resting.cancelled:
            self._resting.cancel()
        self._resting = None
        super().close()
