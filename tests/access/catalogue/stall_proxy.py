"""A TCP proxy on 127.0.0.1 that can go silent, for the catalogue's read
time-out: it forwards every connection to TARGET_PORT on 127.0.0.1 until the
file STATE/stall exists, and from then on forwards nothing in either
direction while keeping both connections open, as a server that stopped
answering does. Writes STATE/port once it listens.

Usage: stall_proxy.py STATE TARGET_PORT
"""
import os
import socket
import sys
import threading
import time


def pump(state, source, sink):
    try:
        while True:
            data = source.recv(65536)
            if not data:
                break
            while os.path.exists(os.path.join(state, "stall")):
                time.sleep(0.05)
            sink.sendall(data)
    except OSError:
        pass
    finally:
        for end in (source, sink):
            try:
                end.shutdown(socket.SHUT_RDWR)
            except OSError:
                pass


def main():
    state, target = sys.argv[1], int(sys.argv[2])
    server = socket.socket()
    server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    server.bind(("127.0.0.1", 0))
    server.listen(16)
    with open(os.path.join(state, "port.tmp"), "w") as out:
        out.write("%d\n" % server.getsockname()[1])
    os.rename(os.path.join(state, "port.tmp"), os.path.join(state, "port"))
    while True:
        client, _ = server.accept()
        upstream = socket.create_connection(("127.0.0.1", target))
        for source, sink in ((client, upstream), (upstream, client)):
            threading.Thread(target=pump, args=(state, source, sink), daemon=True).start()


if __name__ == "__main__":
    main()
