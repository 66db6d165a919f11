"""An FTP server on 127.0.0.1 for the delivery tests (Debian's pyftpdlib).

usage: ftp_server.py PORT USER PASSWORD ROOT [options]

PORT 0 picks a free port. Prints "listening PORT" once it accepts connections
and exits when its standard input closes, so it never outlives the test.

Options make it behave as some real servers do:
  --reject-unknown-user  answer USER with 530 for a name it does not know
  --refuse-active        answer PORT and EPRT with 500 (a passive-only server)
  --refuse-rename        answer RNFR with 502
  --cut-upload-after N   reset an upload's data connection after N bytes and
                         answer 426, as a server whose link drops does
  --withhold-upload-reply  take an upload's data but never send its reply
  --tls CERTFILE         FTP with explicit TLS (AUTH TLS), key and certificate
                         in CERTFILE
"""
import argparse
import logging
import os
import socket
import struct
import sys
import threading

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import DTPHandler, FTPHandler, TLS_DTPHandler, TLS_FTPHandler
from pyftpdlib.servers import FTPServer


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("port", type=int)
    parser.add_argument("user")
    parser.add_argument("password")
    parser.add_argument("root")
    parser.add_argument("--reject-unknown-user", action="store_true")
    parser.add_argument("--refuse-active", action="store_true")
    parser.add_argument("--refuse-rename", action="store_true")
    parser.add_argument("--cut-upload-after", type=int, default=0)
    parser.add_argument("--withhold-upload-reply", action="store_true")
    parser.add_argument("--tls", metavar="CERTFILE")
    args = parser.parse_args()

    logging.getLogger("pyftpdlib").addHandler(logging.NullHandler())
    logging.getLogger("pyftpdlib").setLevel(logging.CRITICAL)

    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, args.root, perm="elradfmwMT")

    quiet = logging.getLogger("pyftpdlib").debug

    class Data(TLS_DTPHandler if args.tls else DTPHandler):
        def handle_read(self):
            super().handle_read()
            if (args.cut_upload_after and self.receive and not self._closed
                    and self.tot_bytes_received >= args.cut_upload_after):
                # Linger 0: the close resets the connection.
                self.socket.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER,
                                       struct.pack("ii", 1, 0))
                self._resp = ("426 Connection closed; transfer aborted.", quiet)
                self.close()

        handle_read_event = handle_read

        def readable(self):
            # libcurl starts a data connection's TLS handshake before it sends
            # STOR; pyftpdlib would take the early bytes for a hang-up.
            if getattr(self, "_ssl_accepting", False) and not self._initialized:
                return True
            return super().readable()

        def close(self):
            if args.withhold_upload_reply and self.receive:
                self._resp = ()
            super().close()

    class Handler(TLS_FTPHandler if args.tls else FTPHandler):
        def ftp_USER(self, line):
            if args.reject_unknown_user and not self.authorizer.has_user(line):
                self.respond("530 Unknown user.")
                return
            super().ftp_USER(line)

        def ftp_PORT(self, line):
            if args.refuse_active:
                self.respond("500 Active mode refused.")
                return
            super().ftp_PORT(line)

        def ftp_EPRT(self, line):
            if args.refuse_active:
                self.respond("500 Active mode refused.")
                return
            super().ftp_EPRT(line)

        def ftp_RNFR(self, path):
            if args.refuse_rename:
                self.respond("502 Command not implemented.")
                return
            super().ftp_RNFR(path)

    Handler.authorizer = authorizer
    Handler.dtp_handler = Data
    if args.tls:
        Handler.certfile = args.tls
    Handler.auth_failed_timeout = 0  # answer a failed login at once, not after 3 s
    server = FTPServer(("127.0.0.1", args.port), Handler)
    print("listening", server.address[1], flush=True)

    def exit_when_stdin_closes():
        sys.stdin.read()
        os._exit(0)

    threading.Thread(target=exit_when_stdin_closes, daemon=True).start()
    server.serve_forever(handle_exit=False)


if __name__ == "__main__":
    main()
