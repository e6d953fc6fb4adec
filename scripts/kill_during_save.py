#!/usr/bin/env python3
"""Kills the built program with SIGKILL at random moments while it saves a
large file, and checks after each kill that no text was lost: the file holds
exactly the old content or exactly the new one, or (for a save that writes
the file in place) the next opening of the file names the copy of the old
text and puts it back when asked. Three kinds of save are killed:

  rename    a plain file: the new content replaces it by a rename;
  hardlink  a file with a second hard link: written in place;
  readonly  a file the user may write in a folder the user may not (the
            program runs as the user "nobody"): written in place, its
            temporary files in $TMPDIR.

Kills fall at random moments of the save; for an in-place save every second
one falls at a random moment of the write into the file itself (while its
marker is there), the short part of the save where a mixture can arise.

A temporary file a killed save left must be gone after the next save of the
file, except a copy of the old text that a marker holds until the user has
answered the offer to restore it; a last, undisturbed save must leave none.

Usage: scripts/kill_during_save.py [build folder] [kills per kind] [megabytes] [kind ...]
(defaults: build, 25, 100, all three kinds). Runs offscreen in folders of its
own; prints one line a kill and a summary, and exits 1 when any kill failed.
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
ROUNDS = int(sys.argv[2]) if len(sys.argv) > 2 else 25
MEGABYTES = int(sys.argv[3]) if len(sys.argv) > 3 else 100
KINDS = sys.argv[4:] or ["rename", "hardlink", "readonly"]
NAME = "big.txt"
NOBODY = 65534
EDIT = "wait 200\nkey Ctrl+Home\nkey End\ntype x\nkey Ctrl+S\nwait 600000\n"
OFFER = "was cut off"


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


def temporaries(folder):
    """The program's temporary files in a folder (for any file)."""
    return {n for n in os.listdir(folder) if n.startswith(".") and ".nuvel-" in n and n.endswith(".tmp")}


def give(path, user):
    if user is not None:
        os.chown(path, user, user)


class Run:
    def __init__(self, root, kind):
        self.root = root
        self.kind = kind
        self.user = NOBODY if kind == "readonly" else None
        self.program = os.path.join(root, "program")
        self.documents = os.path.join(root, "documents")
        self.tmp = os.path.join(root, "tmp")
        shutil.copytree(os.path.join(BUILD, "program"), self.program)
        os.chmod(root, 0o755)
        for sub in ("documents", "config", "home", "runtime", "tmp"):
            os.makedirs(os.path.join(root, sub), exist_ok=True)
            give(os.path.join(root, sub), self.user)
        os.chmod(os.path.join(root, "runtime"), 0o700)
        with open(os.path.join(self.program, "NuvelW.INI"), "wb") as f:
            f.write(b"[StartUp]\r\nEng_Prompts=English\r\n[GENPREFS]\r\nENG_FILE=1\r\n")
        self.env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_CONFIG_HOME=os.path.join(root, "config"),
                        HOME=os.path.join(root, "home"), XDG_RUNTIME_DIR=os.path.join(root, "runtime"),
                        TMPDIR=self.tmp)
        self.file = os.path.join(self.documents, NAME)
        self.link = os.path.join(self.documents, "link.txt") if kind == "hardlink" else None
        self.markers = os.path.join(root, "config", "nuvel", "unfinished-saves")
        # Where the save's temporary files are made.
        self.watch = self.tmp if kind == "readonly" else self.documents
        self.number = 0

    def make_file(self):
        # One line a paragraph, 79 letters and LF; the edit adds "x" to line 1.
        line = bytes(range(ord("a"), ord("a") + 26)) * 3 + b"a\n"
        with open(self.file, "wb") as f:
            for _ in range(MEGABYTES * (1 << 20) // len(line)):
                f.write(line)
        give(self.file, self.user)
        if self.link:
            os.link(self.file, self.link)
        if self.kind == "readonly":
            os.chmod(self.documents, 0o555)

    def start(self, script):
        self.number += 1
        path = os.path.join(self.root, f"input-{self.number}.script")
        with open(path, "w") as f:
            f.write(script)
        os.chmod(path, 0o644)
        env = dict(self.env, NUVEL_INPUT_SCRIPT=path)
        command = [os.path.join(self.program, "nuvel"), self.file]
        if self.user is not None:
            command = ["setpriv", f"--reuid={self.user}", f"--regid={self.user}", "--clear-groups", "--"] + command
        self.errors = os.path.join(self.root, f"stderr-{self.number}.txt")
        with open(self.errors, "wb") as err:
            return subprocess.Popen(command, env=env, cwd=self.root, stdout=subprocess.DEVNULL, stderr=err)

    def said(self):
        with open(self.errors, "rb") as f:
            return f.read().decode("utf-8", "replace")

    def leftovers(self):
        names = {os.path.join(self.documents, n) for n in temporaries(self.documents)}
        return names | {os.path.join(self.tmp, n) for n in temporaries(self.tmp)}

    def marked(self):
        """The copies the markers of unfinished saves name."""
        copies = set()
        if os.path.isdir(self.markers):
            for n in os.listdir(self.markers):
                with open(os.path.join(self.markers, n), "rb") as f:
                    for line in f.read().decode("utf-8", "replace").splitlines():
                        if line.startswith("copy\t"):
                            copies.add(line[5:])
        return copies

    def writing_in_place(self):
        """True while a marker says a save is writing the file in place."""
        return os.path.isdir(self.markers) and any(n.endswith(".save") for n in os.listdir(self.markers))

    def finish(self):
        if self.kind == "readonly":
            os.chmod(self.documents, 0o755)


def await_temporary(run, process, before, limit):
    """Seconds until a new temporary file of the save appears; None when it did not."""
    start = time.monotonic()
    while time.monotonic() - start < limit:
        if temporaries(run.watch) - before:
            return time.monotonic() - start
        if process.poll() is not None:
            return None
        time.sleep(0.002)
    return None


def end(process, timeout):
    try:
        process.wait(timeout=timeout)
        return True
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()
        return False


def open_after_kill(run, kind, before):
    """Opens the file as the next run would, answers the offer to restore
    the old text (Yes for a mixture, No for a file that holds the new text)
    and says what came of it; None when all was as it should be."""
    copies = run.marked()
    offer_due = kind != "old"
    answer = "key Return\n" if kind == "BROKEN" else "key Escape\n"
    script = "wait 3000\n" + (answer if offer_due else "") + "wait 1000\nmenu Exit1\n"
    p = run.start(script)
    if not end(p, 600):
        return "the program did not end after the opening"
    said = run.said()
    offered = OFFER in said
    if offer_due != offered:
        return f"offer {'missing' if offer_due else 'unexpected'}: {said.strip()[:300]}"
    if offered and not any(c in said for c in copies):
        return f"the offer does not name the copy {sorted(copies)}: {said.strip()[:300]}"
    if run.marked():
        return "the marker outlived the answer"
    if any(os.path.exists(c) for c in copies):
        return "the copy outlived the answer"
    after = digest(run.file)
    if kind == "BROKEN" and after != before:
        return "the old text did not come back"
    if run.link and digest(run.link) != after:
        return "the hard link does not see the file's text"
    return None


def kill_rounds(run, rng):
    failures = 0
    outcomes = {"old": 0, "new": 0, "restored": 0}

    # The length of one save, measured undisturbed, sets the span the kills fall in.
    old = digest(run.file)
    p = run.start(EDIT)
    t0 = await_temporary(run, p, set(), 300)
    if t0 is None:
        print(f"{run.kind}: FAIL: the save never began")
        return 1, outcomes
    begin = time.monotonic()
    marker_from = marker_to = None
    while temporaries(run.watch):
        marking = run.writing_in_place()
        if marking and marker_from is None:
            marker_from = time.monotonic()
        if not marking and marker_from is not None and marker_to is None:
            marker_to = time.monotonic()
        time.sleep(0.002)
    span = time.monotonic() - begin
    # The in-place write itself, between its marker's coming and going.
    in_place = None if marker_from is None else (marker_to or time.monotonic()) - marker_from
    time.sleep(0.2)
    p.kill()
    p.wait()
    current = digest(run.file)
    print(f"{run.kind}: calibration: load {t0:.2f} s, save {span:.2f} s"
          f"{'' if in_place is None else f', in-place write {in_place:.2f} s'}, file changed: {current != old}")

    earlier = set()
    for round_ in range(1, ROUNDS + 1):
        before = current
        expected = digest_edited(run.file)
        p = run.start(EDIT)
        if await_temporary(run, p, temporaries(run.watch), 300) is None:
            print(f"{run.kind} {round_}: FAIL: the save never began")
            failures += 1
            p.kill()
            p.wait()
            continue
        # This save has swept by now: what earlier kills left must be gone,
        # except a copy a marker holds.
        survived = (earlier & run.leftovers()) - run.marked()
        # Every second kill of an in-place save is aimed at the write into
        # the file itself, which is a small part of the whole save.
        aimed = in_place is not None and round_ % 2 == 0
        if aimed:
            start = time.monotonic()
            while not run.writing_in_place() and p.poll() is None and time.monotonic() - start < 300:
                time.sleep(0.001)
        delay = rng.uniform(0, (in_place if aimed else span) * 1.2)
        time.sleep(delay)
        p.send_signal(signal.SIGKILL)
        p.wait()
        after = digest(run.file)
        kind = "old" if after == before else "new" if after == expected else "BROKEN"
        marked = run.marked()
        problem = None
        if survived:
            problem = f"left by an earlier save and not removed: {sorted(os.path.basename(s) for s in survived)}"
        elif kind == "BROKEN" and not marked:
            problem = "neither old nor new, and no copy of the old text is named"
        note = ""
        if problem is None and marked:
            note = f", copy of the old text named ({kind})"
            problem = open_after_kill(run, kind, before)
            if problem is None and kind == "BROKEN":
                kind = "restored"
            after = digest(run.file)
        if problem is None:
            outcomes[kind] += 1
        else:
            failures += 1
        left = run.leftovers()
        print(f"{run.kind} {round_}: killed {delay * 1000:.0f} ms into the {'in-place write' if aimed else 'save'}: "
              f"file {kind}{note}, "
              f"temporary files left: {len(left)}{'' if problem is None else '  FAIL: ' + problem}")
        earlier = left
        current = after

    # A save left alone removes what the killed ones left.
    p = run.start("wait 200\nkey Ctrl+Home\nkey End\ntype x\nkey Ctrl+S\nwait 300\nmenu Exit1\n")
    finished = end(p, 600)
    left = run.leftovers()
    if left or not finished or run.marked():
        failures += 1
    print(f"{run.kind}: final save: exit {p.returncode}, temporary files left: {len(left)}, "
          f"markers left: {len(run.marked())}")
    return failures, outcomes


def main():
    failures = 0
    totals = []
    rng = random.Random(20)
    for kind in KINDS:
        with tempfile.TemporaryDirectory(prefix="nuvel-kill-") as root:
            run = Run(root, kind)
            run.make_file()
            try:
                failed, outcomes = kill_rounds(run, rng)
            finally:
                run.finish()
            failures += failed
            totals.append(f"{kind}: {ROUNDS} kills, {outcomes['old']} left the old file, {outcomes['new']} the new "
                          f"one, {outcomes['restored']} a mixture whose old text was offered and put back, "
                          f"{failed} failures")
    for line in totals:
        print("summary: " + line)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
