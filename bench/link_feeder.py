#!/usr/bin/env python3
# SPDX-License-Identifier: BSD-2-Clause
"""Feeds a capture's sentences through pseudo-terminals at a fixed byte rate.

A receiver on a 38400 bit/s link that never pauses delivers 3840 bytes a second; the monitor
polls every 100 ms, so 384 bytes every 100 ms is the most it ever has to take in. The
capture's sentence lines are looped, CRLF-terminated, and cut into chunks of exactly that
size wherever the cut falls, as a serial line would deliver them.

The first pseudo-terminal is published as a port link (COMn in the port-link folder), where
the monitor finds it. An optional second one gets every chunk the first gets, in the same
tick, so that another reader (gpsd) works on the very same bytes at the very same time.

On SIGUSR1 the counters are written to the stats file (when given), so that a caller can
read them at the start and the end of its measuring window; SIGTERM or SIGINT ends the
feeder, which then removes its links.
"""

import argparse
import errno
import os
import select
import signal
import sys
import time
import tty


def sentence_stream(capture_path):
    """The capture's sentences, comment lines and blank lines left out, each ended by CRLF."""
    with open(capture_path, "rb") as capture:
        lines = [line.strip() for line in capture]
    sentences = [line for line in lines if line and not line.startswith(b"#")]
    if not sentences:
        raise SystemExit(f"{capture_path}: no sentences")
    return b"".join(line + b"\r\n" for line in sentences)


class Terminal:
    """One pseudo-terminal pair. The slave end stays open here, so that the terminal outlives
    a reader that closes it and opens it again; the master is non-blocking, so that a reader
    that stops reading costs dropped bytes (counted), never a stalled feeder."""

    def __init__(self, name):
        self.name = name
        self.master, self.slave = os.openpty()
        # Raw through the slave, as a serial port is set: no line-end translation, no echo of
        # the commands the monitor writes back.
        tty.setraw(self.slave)
        os.set_blocking(self.master, False)
        self.path = os.ttyname(self.slave)
        self.written = 0
        self.dropped = 0
        self.read_back = 0

    def write(self, chunk):
        try:
            sent = os.write(self.master, chunk)
        except OSError as error:
            if error.errno not in (errno.EAGAIN, errno.EIO):
                raise
            sent = 0
        self.written += sent
        self.dropped += len(chunk) - sent

    def drain(self):
        """Reads and forgets what the reader wrote (the monitor's "@" commands)."""
        while True:
            try:
                data = os.read(self.master, 4096)
            except OSError as error:
                # EIO: nobody else has the slave open at the moment (not while we hold it,
                # but harmless either way).
                if error.errno in (errno.EAGAIN, errno.EIO):
                    return
                raise
            if not data:
                return
            self.read_back += len(data)

    def stats(self):
        return (f"{self.name}_written={self.written}\n{self.name}_dropped={self.dropped}\n"
                f"{self.name}_read_back={self.read_back}\n")


def publish(link, target):
    """Points `link` at `target` in one step (a new link renamed over any old one)."""
    temporary = os.path.join(os.path.dirname(link), f".{os.path.basename(link)}.{os.getpid()}")
    if os.path.lexists(temporary):
        os.unlink(temporary)
    os.symlink(target, temporary)
    os.rename(temporary, link)


def unpublish(link, target):
    try:
        if os.readlink(link) == target:
            os.unlink(link)
    except OSError:
        pass


class Feeder:
    def __init__(self, options):
        self.options = options
        self.stream = b"" if options.idle else sentence_stream(options.capture)
        self.offset = 0
        self.ticks = 0
        self.late_ticks = 0
        self.running = True
        self.terminals = [Terminal("monitor")]
        if options.second_link:
            self.terminals.append(Terminal("second"))

    def next_chunk(self):
        """Exactly `chunk` bytes, wrapping round the end of the stream."""
        size = self.options.chunk
        parts = []
        while size > 0:
            part = self.stream[self.offset:self.offset + size]
            parts.append(part)
            size -= len(part)
            self.offset = (self.offset + len(part)) % len(self.stream)
        return b"".join(parts)

    def write_stats(self):
        if not self.options.stats:
            return
        text = (f"feeder_ticks={self.ticks}\nfeeder_late_ticks={self.late_ticks}\n"
                f"feeder_clock={time.monotonic():.6f}\n")
        text += "".join(terminal.stats() for terminal in self.terminals)
        temporary = self.options.stats + ".new"
        with open(temporary, "w") as out:
            out.write(text)
        os.replace(temporary, self.options.stats)

    def wait_until(self, deadline):
        """Sleeps until the deadline, draining what the readers write back meanwhile."""
        masters = [terminal.master for terminal in self.terminals]
        while self.running:
            left = deadline - time.monotonic()
            if left <= 0:
                return
            readable, _, _ = select.select(masters, [], [], left)
            for terminal in self.terminals:
                if terminal.master in readable:
                    terminal.drain()

    def run(self):
        links = [(self.options.link, self.terminals[0].path)]
        if self.options.second_link:
            links.append((self.options.second_link, self.terminals[1].path))
        for link, target in links:
            publish(link, target)
        try:
            self.loop()
        finally:
            for link, target in links:
                unpublish(link, target)
            self.write_stats()

    def loop(self):
        period = self.options.period
        deadline = time.monotonic()
        while self.running:
            # The next deadline is the last one plus the period, not "now" plus the period,
            # so that the rate holds however late a wake-up was.
            deadline += period
            self.wait_until(deadline)
            if not self.running:
                return
            # After a long stall (the machine swapping, the feeder stopped) a burst to catch
            # up would not be the link's rate: start the schedule afresh and count the stall.
            if time.monotonic() - deadline > 10 * period:
                self.late_ticks += 1
                deadline = time.monotonic()
            if self.stream:
                chunk = self.next_chunk()
                for terminal in self.terminals:
                    terminal.write(chunk)
            self.ticks += 1


def parse_options(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--capture", help="the capture whose sentences are looped")
    parser.add_argument("--link", required=True,
                        help="the port link to create, e.g. $SATTRAIL_PORT_DIR/COM1")
    parser.add_argument("--second-link",
                        help="a link to a second pseudo-terminal fed the same bytes")
    parser.add_argument("--chunk", type=int, default=384, help="bytes per period (384)")
    parser.add_argument("--period", type=float, default=0.1, help="seconds per chunk (0.1)")
    parser.add_argument("--idle", action="store_true", default=bool(os.environ.get("FEED_IDLE")),
                        help="open the terminals but write nothing (also FEED_IDLE=1)")
    parser.add_argument("--stats", help="where SIGUSR1 and the end write the counters")
    options = parser.parse_args(argv)
    if not options.idle and not options.capture:
        parser.error("--capture is needed unless --idle")
    if options.chunk <= 0 or options.period <= 0:
        parser.error("--chunk and --period must be positive")
    return options


def main(argv):
    feeder = Feeder(parse_options(argv))

    def stop(_signal, _frame):
        feeder.running = False

    # Written in the handler itself: the caller waits for the file, and a select() resumed
    # after the signal could hold it back for a whole period.
    def want_stats(_signal, _frame):
        feeder.write_stats()

    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGINT, stop)
    signal.signal(signal.SIGHUP, stop)
    signal.signal(signal.SIGUSR1, want_stats)
    feeder.run()
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
