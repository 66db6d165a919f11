#!/usr/bin/env python3
"""A Hayes modem with a paging terminal behind it, on a pseudo-terminal.

Written apart from the program's own paging code, so that a page it accepts
shows the program right against an independent peer. Standard library only.

    modem_peer.py --dials FILE --pages FILE --tap-number NUMBER [--link PATH]

Prints the slave device's path and serves until SIGTERM or SIGINT.

Modem: every command line starting with AT is answered "OK". A line holding
a dial command (a D after the AT) is appended to the dials file as typed,
without its CR, one per line. A dial ending in ';' stays in command mode
(numeric pagers and telephones: the tones are keyed and the modem answers
OK). A dial of the TAP number connects ("CONNECT 1200"); any other number
gets "NO CARRIER".

Paging terminal, once connected: CR gets "ID="; ESC PG1 [password] CR gets
"110 1.8" CR, ACK CR, ESC [p CR; each block STX id CR message CR ETX c1 c2 c3
CR is checked against its own sum (every character STX..ETX, low 12 bits,
sent as three characters 0x30 + nibble, the highest first) and answered
ACK CR or NAK CR, and "ACK|NAK<tab>id<tab>message" is appended to the pages
file; EOT CR gets ESC EOT CR and the call ends (NO CARRIER). The program
hangs up by closing the port, which a pseudo-terminal cannot show: an AT
line while connected counts as a new call of the program to its modem.
"""

import argparse
import os
import select
import signal
import sys
import tty

STX, ETX, EOT, ACK, NAK, ESC, CR = b"\x02", b"\x03", b"\x04", b"\x06", b"\x15", b"\x1b", b"\r"


def tap_checksum_ok(framed, check):
    """framed: STX..ETX inclusive; check: the three characters after ETX."""
    total = 0
    for byte in framed:
        total += byte
    total &= 0xFFF
    expected = bytes([0x30 + ((total >> 8) & 0xF), 0x30 + ((total >> 4) & 0xF),
                      0x30 + (total & 0xF)])
    return check == expected


class Peer:
    def __init__(self, master, dials_path, pages_path, tap_number):
        self.master = master
        self.dials_path = dials_path
        self.pages_path = pages_path
        self.tap_number = tap_number
        self.online = False
        self.buffer = b""

    def say(self, data):
        os.write(self.master, data)

    def append(self, path, line):
        with open(path, "a", encoding="latin-1") as f:
            f.write(line + "\n")

    def feed(self, data):
        self.buffer += data
        while self.take_unit():
            pass

    def take_unit(self):
        if self.online and self.buffer.startswith(STX):
            etx = self.buffer.find(ETX)
            if etx < 0 or len(self.buffer) < etx + 5:
                return False
            block, self.buffer = self.buffer[:etx + 5], self.buffer[etx + 5:]
            self.on_block(block)
            return True
        cr = self.buffer.find(CR)
        if cr < 0:
            return False
        line, self.buffer = self.buffer[:cr], self.buffer[cr + 1:]
        line = line.lstrip(b"\n")
        if self.online and not line.upper().startswith(b"AT"):
            self.on_terminal_line(line)
        else:
            self.online = False
            self.on_command(line)
        return True

    def on_command(self, line):
        upper = line.upper()
        if not upper.startswith(b"AT"):
            return
        dial_at = upper.find(b"D", 2)
        if dial_at < 0:
            self.say(b"\r\nOK\r\n")
            return
        self.append(self.dials_path, line.decode("latin-1"))
        dial = upper[dial_at + 1:].lstrip(b"TP")
        if b";" in dial:
            self.say(b"\r\nOK\r\n")
            return
        number = dial.split(b",")[0].decode("latin-1").strip()
        if number == self.tap_number:
            self.online = True
            self.say(b"\r\nCONNECT 1200\r\n")
        else:
            self.say(b"\r\nNO CARRIER\r\n")

    def on_terminal_line(self, line):
        if line.startswith(ESC + b"PG1"):
            self.say(b"110 1.8\r" + ACK + CR + ESC + b"[p\r")
        elif line == EOT:
            self.say(ESC + EOT + CR + b"\r\nNO CARRIER\r\n")
            self.online = False
        elif line == b"":
            self.say(b"ID=")

    def on_block(self, block):
        etx = block.index(ETX)
        framed, check = block[:etx + 1], block[etx + 1:etx + 4]
        fields = framed[1:-1].split(CR)
        pager_id = fields[0].decode("latin-1")
        message = fields[1].decode("latin-1") if len(fields) > 1 else ""
        good = tap_checksum_ok(framed, check)
        self.append(self.pages_path, ("ACK" if good else "NAK") + "\t" + pager_id + "\t" + message)
        self.say((ACK if good else NAK) + CR)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--dials", required=True)
    parser.add_argument("--pages", required=True)
    parser.add_argument("--tap-number", required=True)
    parser.add_argument("--link")
    args = parser.parse_args()

    master, slave = os.openpty()
    tty.setraw(slave)  # held open, so the program may close and reopen its side
    path = os.ttyname(slave)
    if args.link:
        os.symlink(path, args.link)
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    print(path, flush=True)
    peer = Peer(master, args.dials, args.pages, args.tap_number)
    try:
        while True:
            ready, _, _ = select.select([master], [], [])
            if ready:
                peer.feed(os.read(master, 4096))
    except KeyboardInterrupt:
        pass
    finally:
        if args.link and os.path.islink(args.link):
            os.unlink(args.link)


if __name__ == "__main__":
    main()
