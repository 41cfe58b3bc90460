"""The RFC 2217 server of python3-serial's examples, in front of a pseudo-terminal.

Usage: rfc2217_server_on_pty.py SERVER_SCRIPT DEVICE

It listens on 127.0.0.1 only, on a free port, and prints "listening PORT" when it does.
A pseudo-terminal has no modem lines: the server's calls that set or read them (each
connection sets RTS and DTR) succeed there without effect, as on a port without them.
"""
import errno
import fcntl
import runpy
import socket
import sys
import termios

import serial.serialposix


class ModemLinesOptional:
    def __getattr__(self, name):
        return getattr(fcntl, name)

    @staticmethod
    def ioctl(fd, request, arg=0, *rest):
        try:
            return fcntl.ioctl(fd, request, arg, *rest)
        except OSError as e:
            if e.errno != errno.ENOTTY or request not in (termios.TIOCMBIS, termios.TIOCMBIC, termios.TIOCMGET):
                raise
            return arg  # no line set


serial.serialposix.fcntl = ModemLinesOptional()

bind = socket.socket.bind


def bind_local(self, address):
    bind(self, ("127.0.0.1", address[1]))
    print("listening", self.getsockname()[1], flush=True)


socket.socket.bind = bind_local
server_script, device = sys.argv[1:3]
sys.argv = [server_script, "--localport", "0", device]
runpy.run_path(server_script, run_name="__main__")
