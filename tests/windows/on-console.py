#!/usr/bin/env python3
"""Runs a Windows console program under Wine with a pseudo-terminal of its
own as its console, as a console window would: standard input and output
on it, and standard error with --screen (else as the caller gave it).

on-console.py [--ctrl-c-when FILE TEXT] [--screen FILE] -- COMMAND...

--ctrl-c-when FILE TEXT  types Ctrl+C on the console once FILE holds TEXT
--screen FILE            writes the text the console showed, its cursor
                         and colour sequences removed

Exits with the command's status.
"""
import argparse
import fcntl
import os
import pty
import re
import select
import signal
import sys
import termios
import time


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--ctrl-c-when", nargs=2, metavar=("FILE", "TEXT"))
    parser.add_argument("--screen")
    parser.add_argument("command", nargs="+")
    args = parser.parse_args()
    master, slave = pty.openpty()
    pid = os.fork()
    if pid == 0:
        os.close(master)
        os.setsid()
        fcntl.ioctl(slave, termios.TIOCSCTTY, 0)
        os.dup2(slave, 0)
        os.dup2(slave, 1)
        if args.screen:
            os.dup2(slave, 2)
        os.close(slave)
        os.execvp(args.command[0], args.command)
    os.close(slave)
    shown = b""
    waiting = args.ctrl_c_when
    end = time.monotonic() + 120
    while time.monotonic() < end:
        if waiting and os.path.exists(waiting[0]):
            with open(waiting[0], "rb") as watched:
                if waiting[1].encode() in watched.read():
                    os.write(master, b"\x03")
                    waiting = None
        ready, _, _ = select.select([master], [], [], 0.05)
        if not ready:
            continue
        try:
            chunk = os.read(master, 4096)
        except OSError:  # the program and its console have gone
            break
        if not chunk:
            break
        shown += chunk
    else:  # a program that hangs is ended, as a closed window would end it
        os.kill(pid, signal.SIGKILL)
    _, status = os.waitpid(pid, 0)
    if args.screen:
        with open(args.screen, "wb") as out:
            out.write(re.sub(rb"\x1b\[[0-9;?]*[A-Za-z]|\x1b\][^\x07]*\x07|\r", b"", shown))
    sys.exit(os.WEXITSTATUS(status) if os.WIFEXITED(status) else 128 + os.WTERMSIG(status))


main()
