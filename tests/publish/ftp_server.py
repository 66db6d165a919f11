"""An FTP server on 127.0.0.1 for the delivery tests (Debian's pyftpdlib).

usage: ftp_server.py PORT USER PASSWORD ROOT [options]

PORT 0 picks a free port. Prints "listening PORT" once it accepts connections
and exits when its standard input closes, so it never outlives the test.

Options make it behave as some real servers do:
  --reject-unknown-user  answer USER with 530 for a name it does not know
  --refuse-active        answer PORT and EPRT with 500 (a passive-only server)
  --refuse-rename        answer RNFR with 502
"""
import argparse
import logging
import os
import sys
import threading

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
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
    args = parser.parse_args()

    logging.getLogger("pyftpdlib").addHandler(logging.NullHandler())
    logging.getLogger("pyftpdlib").setLevel(logging.CRITICAL)

    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, args.root, perm="elradfmwMT")

    class Handler(FTPHandler):
        def ftp_USER(self, line):
            if args.reject_unknown_user and not self.authorizer.has_user(line):
                self.respond("530 Unknown user.")
                return
            FTPHandler.ftp_USER(self, line)

        def ftp_PORT(self, line):
            if args.refuse_active:
                self.respond("500 Active mode refused.")
                return
            FTPHandler.ftp_PORT(self, line)

        def ftp_EPRT(self, line):
            if args.refuse_active:
                self.respond("500 Active mode refused.")
                return
            FTPHandler.ftp_EPRT(self, line)

        def ftp_RNFR(self, path):
            if args.refuse_rename:
                self.respond("502 Command not implemented.")
                return
            FTPHandler.ftp_RNFR(self, path)

    Handler.authorizer = authorizer
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
