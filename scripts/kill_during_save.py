#!/usr/bin/env python3
"""Kills the built program with SIGKILL at random moments while it saves a
large file, and checks after each kill that the file is whole: exactly the
old content or exactly the new one, with at most the program's own temporary
file beside it; a last, undisturbed save must remove that leftover.

Usage: scripts/kill_during_save.py [build folder] [rounds] [megabytes]
(defaults: build, 20, 100). Runs offscreen in folders of its own; prints one
line a round and a summary, and exits 1 when any round failed.
"""
import hashlib
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time

BUILD = sys.argv[1] if len(sys.argv) > 1 else "build"
ROUNDS = int(sys.argv[2]) if len(sys.argv) > 2 else 20
MEGABYTES = int(sys.argv[3]) if len(sys.argv) > 3 else 100
NAME = "big.txt"
PREFIX = "." + NAME + ".nuvel-"


def digest(path):
    h = hashlib.sha1()
    with open(path, "rb") as f:
        for block in iter(lambda: f.read(1 << 20), b""):
            h.update(block)
    return h.hexdigest()


def digest_edited(path):
    """The digest the file has once the edit ("x" at the end of line 1) is saved."""
    h = hashlib.sha1()
    with open(path, "rb") as f:
        h.update(f.readline()[:-1] + b"x\n")
        for block in iter(lambda: f.read(1 << 20), b""):
            h.update(block)
    return h.hexdigest()


def leftovers(folder):
    return sorted(n for n in os.listdir(folder) if n.startswith(PREFIX))


class Run:
    def __init__(self, root):
        self.root = root
        self.program = os.path.join(root, "program")
        self.documents = os.path.join(root, "documents")
        shutil.copytree(os.path.join(BUILD, "program"), self.program)
        for sub in ("documents", "config", "home", "runtime", "tmp"):
            os.makedirs(os.path.join(root, sub), exist_ok=True)
        os.chmod(os.path.join(root, "runtime"), 0o700)
        with open(os.path.join(self.program, "NuvelW.INI"), "wb") as f:
            f.write(b"[StartUp]\r\nEng_Prompts=English\r\n[GENPREFS]\r\nENG_FILE=1\r\n")
        self.env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_CONFIG_HOME=os.path.join(root, "config"),
                        HOME=os.path.join(root, "home"), XDG_RUNTIME_DIR=os.path.join(root, "runtime"),
                        TMPDIR=os.path.join(root, "tmp"))
        self.file = os.path.join(self.documents, NAME)

    def start(self, script):
        path = os.path.join(self.root, "input.script")
        with open(path, "w") as f:
            f.write(script)
        env = dict(self.env, NUVEL_INPUT_SCRIPT=path)
        return subprocess.Popen([os.path.join(self.program, "nuvel"), self.file], env=env, cwd=self.documents,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def await_temporary(folder, process, limit):
    """Seconds until the save's temporary file appears; None when it did not."""
    start = time.monotonic()
    while time.monotonic() - start < limit:
        if leftovers(folder):
            return time.monotonic() - start
        if process.poll() is not None:
            return None
        time.sleep(0.002)
    return None


def main():
    # One line a paragraph, 79 letters and LF; the edit adds "x" to line 1.
    line = bytes(range(ord("a"), ord("a") + 26)) * 3 + b"a\n"
    with tempfile.TemporaryDirectory(prefix="nuvel-kill-") as root:
        run = Run(root)
        with open(run.file, "wb") as f:
            for _ in range(MEGABYTES * (1 << 20) // len(line)):
                f.write(line)
        edit = "wait 200\nkey Ctrl+Home\nkey End\ntype x\nkey Ctrl+S\nwait 600000\n"

        # The length of one save, measured undisturbed, sets the span the
        # kills fall in.
        old = digest(run.file)
        p = run.start(edit)
        t0 = await_temporary(run.documents, p, 300)
        if t0 is None:
            print("FAIL: the save never began")
            return 1
        begin = time.monotonic()
        while leftovers(run.documents):
            time.sleep(0.002)
        span = time.monotonic() - begin
        time.sleep(0.2)
        p.kill()
        p.wait()
        current = digest(run.file)
        print(f"calibration: load {t0:.2f} s, save {span:.2f} s, file changed: {current != old}")

        failures = 0
        outcomes = {"old": 0, "new": 0}
        rng = random.Random(20)
        for round_ in range(1, ROUNDS + 1):
            before = current
            expected = digest_edited(run.file)
            p = run.start(edit)
            if await_temporary(run.documents, p, 300) is None:
                print(f"round {round_}: FAIL: the save never began")
                failures += 1
                p.kill()
                p.wait()
                continue
            delay = rng.uniform(0, span * 1.2)
            time.sleep(delay)
            p.send_signal(signal.SIGKILL)
            p.wait()
            after = digest(run.file)
            size = os.path.getsize(run.file)
            left = leftovers(run.documents)
            kind = "old" if after == before else "new" if after == expected else "BROKEN"
            ok = kind != "BROKEN" and len(left) <= 1
            if ok:
                outcomes[kind] += 1
            else:
                failures += 1
            print(f"round {round_}: killed {delay * 1000:.0f} ms into the save: file {kind}, "
                  f"{size} bytes, temporary files left: {len(left)}{'' if ok else '  FAIL'}")
            current = after

        # A save left alone removes what the killed ones left.
        p = run.start("wait 200\nkey Ctrl+Home\nkey End\ntype x\nkey Ctrl+S\nwait 300\nmenu Exit1\n")
        p.wait(timeout=600)
        left = leftovers(run.documents)
        if left:
            failures += 1
        print(f"final save: exit {p.returncode}, temporary files left: {len(left)}")
        print(f"summary: {ROUNDS} kills, {outcomes['old']} left the old file, {outcomes['new']} the new one, "
              f"{failures} failures")
        return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
