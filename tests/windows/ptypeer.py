#!/usr/bin/env python3
"""The far end of serialexchange.c: a pseudo-terminal linked at PATH that answers each request
A5 LENGTH SEQ with LENGTH bytes SEQ, SEQ+1, ... Prints READY once the link exists; ends on
end of its standard input."""
import os
import select
import sys
import tty

path = sys.argv[1]
master, slave = os.openpty()
tty.setraw(slave)
try:
    os.unlink(path)
except FileNotFoundError:
    pass
os.symlink(os.ttyname(slave), path)
print("READY", flush=True)

pending = b""
while True:
    ready, _, _ = select.select([master, sys.stdin], [], [])
    if sys.stdin in ready and not sys.stdin.buffer.read1(64):
        break
    if master not in ready:
        continue
    try:
        pending += os.read(master, 256)
    except OSError:  # no one holds the other end
        continue
    while len(pending) >= 3:
        start = pending.find(b"\xa5")
        if start < 0:
            pending = b""
            break
        pending = pending[start:]
        if len(pending) < 3:
            break
        length, seq = pending[1], pending[2]
        pending = pending[3:]
        os.write(master, bytes((seq + k) & 0xFF for k in range(length)))
os.unlink(path)
