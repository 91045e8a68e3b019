#!/usr/bin/env python3
"""Start-up of orvane.exe under Wine against a MinGW "hello" under Wine.

Each round spawns, on a fresh 80 x 25 pseudo-terminal, first a statically
linked MinGW-w64 program that prints one line, then orvane.exe, both through
Wine with the build's own prefix, and times each until its text has reached
the terminal (the banner title for orvane.exe). The two alternate, so both see
the same load and the same warm Wine server; the ratio of the medians is the
figure to watch.

usage: bench/windows_startup.py [BUILD_DIR (build/windows)] [ROUNDS (10)]
"""
import fcntl
import os
import pty
import re
import select
import shutil
import signal
import statistics
import struct
import subprocess
import sys
import tempfile
import termios
import time

WINE64 = shutil.which("wine64") or "/usr/lib/wine/wine64"
ESCAPES = re.compile(rb"\x1b(\[[0-?]*[ -/]*[@-~]|\][^\x07\x1b]*(\x07|\x1b\\)|[@-Z\\-_])")
HELLO_SOURCE = '#include <cstdio>\nint main() { std::puts("hello from MinGW"); }\n'


def printed(stream):
    """The characters a terminal prints, escape sequences and blanks left out."""
    return ESCAPES.sub(b"", stream).replace(b" ", b"").replace(b"\r", b"").replace(b"\n", b"")


def time_until(program, text, environment):
    """Seconds from spawning program under Wine until text has been printed."""
    start = time.monotonic()
    pid, master = pty.fork()
    if pid == 0:
        os.execve(WINE64, [WINE64, program], environment)
    fcntl.ioctl(master, termios.TIOCSWINSZ, struct.pack("HHHH", 25, 80, 0, 0))
    wanted = text.replace(b" ", b"")
    stream = b""
    elapsed = None
    deadline = start + 30
    while time.monotonic() < deadline:
        ready, _, _ = select.select([master], [], [], 0.5)
        if not ready:
            continue
        try:
            chunk = os.read(master, 65536)
        except OSError:
            break
        if not chunk:
            break
        stream += chunk
        if wanted in printed(stream):
            elapsed = time.monotonic() - start
            break
    try:
        os.kill(pid, signal.SIGTERM)
    except ProcessLookupError:
        pass
    os.waitpid(pid, 0)
    os.close(master)
    return elapsed


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build/windows")
    rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 10
    orvane = os.path.join(build, "app", "orvane.exe")
    environment = dict(os.environ, WINEPREFIX=os.path.join(build, "wineprefix"),
                       WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=",
                       TERM="xterm-256color", LC_ALL="C.UTF-8")
    with tempfile.TemporaryDirectory() as folder:
        source = os.path.join(folder, "hello.cpp")
        hello = os.path.join(folder, "hello.exe")
        with open(source, "w") as f:
            f.write(HELLO_SOURCE)
        subprocess.run(["x86_64-w64-mingw32-g++-posix", "-O2", "-static", source, "-o", hello],
                       check=True)
        time_until(hello, b"hello from MinGW", environment)  # the prefix and server warm up
        hellos, orvanes = [], []
        for _ in range(rounds):
            hellos.append(time_until(hello, b"hello from MinGW", environment))
            orvanes.append(time_until(orvane, b"Orvane 6.0 Layout Assistant v1", environment))
    failed = sum(t is None for t in hellos + orvanes)
    hellos = [t for t in hellos if t is not None]
    orvanes = [t for t in orvanes if t is not None]
    if not hellos or not orvanes:
        sys.exit("no start printed its text within 30 s")
    h, o = statistics.median(hellos), statistics.median(orvanes)
    print(f"rounds: {rounds}, starts that printed nothing within 30 s: {failed}")
    print(f"MinGW hello under Wine, spawn to text:  median {h * 1000:.0f} ms "
          f"(min {min(hellos) * 1000:.0f}, max {max(hellos) * 1000:.0f})")
    print(f"orvane.exe under Wine, spawn to banner: median {o * 1000:.0f} ms "
          f"(min {min(orvanes) * 1000:.0f}, max {max(orvanes) * 1000:.0f})")
    print(f"ratio orvane.exe / hello: {o / h:.2f} of the medians, "
          f"{min(orvanes) / min(hellos):.2f} of the fastest starts")


if __name__ == "__main__":
    main()
