"""An SFTP server on 127.0.0.1 for the delivery tests (Debian's paramiko).

usage: sftp_server.py PORT USER PASSWORD ROOT

PORT 0 picks a free port. ROOT is both "/" and the home directory of the one
user, who logs in with the password. The host key is made at start. Prints
"listening PORT KEYTYPE BASE64KEY" once it accepts connections and exits when
its standard input closes, so it never outlives the test.

A rename over an existing file fails, as with OpenSSH's sftp-server.
"""
import argparse
import logging
import os
import posixpath
import socket
import sys
import threading

import paramiko
from paramiko import SFTPAttributes, SFTPHandle, SFTPServer, SFTPServerInterface
from paramiko.sftp import SFTP_FAILURE, SFTP_OK

HOST_KEY_BITS = 2048


def main():
    parser = argparse.ArgumentParser()
    for name, kind in (("port", int), ("user", str), ("password", str), ("root", str)):
        parser.add_argument(name, type=kind)
    args = parser.parse_args()

    logging.getLogger("paramiko").addHandler(logging.NullHandler())
    logging.getLogger("paramiko").setLevel(logging.CRITICAL)
    root = os.path.realpath(args.root)
    host_key = paramiko.RSAKey.generate(HOST_KEY_BITS)

    class Login(paramiko.ServerInterface):
        def get_allowed_auths(self, username):
            return "password"

        def check_auth_password(self, username, password):
            if (username, password) == (args.user, args.password):
                return paramiko.AUTH_SUCCESSFUL
            return paramiko.AUTH_FAILED

        def check_channel_request(self, kind, chanid):
            if kind == "session":
                return paramiko.OPEN_SUCCEEDED
            return paramiko.OPEN_FAILED_ADMINISTRATIVELY_PROHIBITED

    class Handle(SFTPHandle):
        def stat(self):
            return SFTPAttributes.from_stat(os.fstat(self.readfile.fileno()))

    def errors(operation):
        # An OSError becomes the SFTP status of its errno.
        def wrapped(self, *args):
            try:
                return operation(self, *args)
            except OSError as error:
                return SFTPServer.convert_errno(error.errno)
        return wrapped

    class Files(SFTPServerInterface):
        def canonicalize(self, path):
            return posixpath.normpath("/" + path)

        def local(self, path):
            return os.path.join(root, self.canonicalize(path).lstrip("/"))

        @errors
        def open(self, path, flags, attr):
            mode = getattr(attr, "st_mode", None) or 0o644
            fd = os.open(self.local(path), flags, mode & 0o777)
            writable = flags & (os.O_WRONLY | os.O_RDWR)
            handle = Handle(flags)
            handle.readfile = handle.writefile = os.fdopen(fd, "r+b" if writable else "rb")
            return handle

        @errors
        def list_folder(self, path):
            folder = self.local(path)
            return [SFTPAttributes.from_stat(os.lstat(os.path.join(folder, name)), name)
                    for name in os.listdir(folder)]

        @errors
        def stat(self, path):
            return SFTPAttributes.from_stat(os.stat(self.local(path)))

        @errors
        def lstat(self, path):
            return SFTPAttributes.from_stat(os.lstat(self.local(path)))

        @errors
        def remove(self, path):
            os.remove(self.local(path))
            return SFTP_OK

        @errors
        def rename(self, oldpath, newpath):
            if os.path.lexists(self.local(newpath)):
                return SFTP_FAILURE
            os.rename(self.local(oldpath), self.local(newpath))
            return SFTP_OK

        @errors
        def mkdir(self, path, attr):
            os.mkdir(self.local(path))
            return SFTP_OK

        @errors
        def rmdir(self, path):
            os.rmdir(self.local(path))
            return SFTP_OK

    def serve(connection):
        transport = paramiko.Transport(connection)
        transport.add_server_key(host_key)
        transport.set_subsystem_handler("sftp", SFTPServer, Files)
        try:
            transport.start_server(server=Login())
        except (paramiko.SSHException, EOFError, OSError):
            transport.close()

    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", args.port))
    listener.listen()
    print("listening", listener.getsockname()[1], host_key.get_name(), host_key.get_base64(),
          flush=True)

    def exit_when_stdin_closes():
        sys.stdin.read()
        os._exit(0)

    threading.Thread(target=exit_when_stdin_closes, daemon=True).start()
    while True:
        connection, _ = listener.accept()
        serve(connection)


if __name__ == "__main__":
    main()
