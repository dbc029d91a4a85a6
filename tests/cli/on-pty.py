#!/usr/bin/env python3
"""Runs a command on a pseudo-terminal of its own, as a user's terminal window
would: the command leads a new session whose controlling terminal is the
pty, with standard output and standard error on it.

on-pty.py [--rows R] [--cols C] [--hangup-after TEXT] [--suspend-until FILE]
          [--screen FILE] -- COMMAND...

--hangup-after TEXT  closes the terminal (a hang-up) once TEXT was shown
--suspend-until FILE suspends the terminal's output (as Ctrl+S does) until
                     FILE exists (a minute at most)
--screen FILE        writes what a terminal of that size shows at the end,
                     lines that scrolled away first, one text line per row

Exits with the command's status (128 + N when signal N ended it).
"""
import argparse
import fcntl
import os
import pty
import struct
import sys
import termios
import time


def run(args):
    master, slave = pty.openpty()
    fcntl.ioctl(slave, termios.TIOCSWINSZ, struct.pack("HHHH", args.rows, args.cols, 0, 0))
    if args.suspend_until:
        termios.tcflow(slave, termios.TCOOFF)
    pid = os.fork()
    if pid == 0:
        os.close(master)
        os.setsid()
        fcntl.ioctl(slave, termios.TIOCSCTTY, 0)
        os.dup2(slave, 1)
        os.dup2(slave, 2)
        os.close(slave)
        os.execvp(args.command[0], args.command)
    if args.suspend_until:
        end = time.monotonic() + 60
        while not os.path.exists(args.suspend_until) and time.monotonic() < end:
            time.sleep(0.05)
        termios.tcflow(slave, termios.TCOON)
    os.close(slave)
    shown = b""
    while True:
        try:
            chunk = os.read(master, 4096)
        except OSError:  # the last holder of the terminal closed it
            break
        if not chunk:
            break
        shown += chunk
        if args.hangup_after and args.hangup_after.encode() in shown:
            break
    os.close(master)
    _, status = os.waitpid(pid, 0)
    return shown, (os.WEXITSTATUS(status) if os.WIFEXITED(status)
                   else 128 + os.WTERMSIG(status))


def screen(shown, rows, cols):
    """A small terminal: autowrap, CR, LF, cursor up and down, erase to the
    end of the line; lines that scroll off the top are kept above."""
    lines = [[" "] * cols for _ in range(rows)]
    gone = []
    row = col = 0
    text = shown.decode("utf-8", "replace")
    i = 0
    while i < len(text):
        c = text[i]
        i += 1
        if c == "\x1b" and text[i:i + 1] == "[":
            j = i + 1
            while j < len(text) and not text[j].isalpha():
                j += 1
            n = int(text[i + 1:j] or "1") if text[j] in "AB" else 0
            if text[j] == "A":
                row = max(0, row - n)
            elif text[j] == "B":
                row = min(rows - 1, row + n)
            elif text[j] == "K":
                lines[row][min(col, cols):] = [" "] * (cols - min(col, cols))
            col = min(col, cols - 1)
            i = j + 1
            continue
        if c == "\r":
            col = 0
            continue
        if c == "\n" or col == cols:  # a line feed, or a wrap
            if row == rows - 1:
                gone.append(lines.pop(0))
                lines.append([" "] * cols)
            else:
                row += 1
            if c == "\n":
                continue
            col = 0
        lines[row][col] = c
        col += 1
    return ["".join(line).rstrip() for line in gone + lines]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--rows", type=int, default=24)
    parser.add_argument("--cols", type=int, default=80)
    parser.add_argument("--hangup-after")
    parser.add_argument("--suspend-until")
    parser.add_argument("--screen")
    parser.add_argument("command", nargs="+")
    args = parser.parse_args()
    shown, status = run(args)
    if args.screen:
        with open(args.screen, "w") as out:
            out.write("\n".join(screen(shown, args.rows, args.cols)) + "\n")
        with open(args.screen + ".raw", "wb") as out:
            out.write(shown)
    sys.exit(status)


main()
