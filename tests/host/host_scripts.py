"""Runs the host program on small scripts and checks its exit status and its complaint.

Usage: host_scripts.py OVHOST SCRATCH_FOLDER
"""
import os
import subprocess
import sys

CASES = [
    # (name, script, exit status, words the complaint on standard error must hold)
    ("answer before any command", "> click 1\nDATAEXTRACTION\n", 4, ["script.scr:1", "no request took"]),
    ("script ends while page 1 waits", "DATAEXTRACTION\n", 4, ["dialog 102", "asks for the next action", "has ended"]),
    ("a point where page 1 wants an action", "DATAEXTRACTION\n> point 1,2\n", 4, ["script.scr:2", "dialog 102"]),
    ("a button page 1 does not have", "DATAEXTRACTION\n> click 4242\n", 4, ["dialog 102", "no control 4242"]),
    ("the disabled Previous of page 1", "DATAEXTRACTION\n> click 1001\n", 4, ["dialog 102", "disabled"]),
    ("an answer left after cancel", "DATAEXTRACTION\n> click 2\n> answer yes\n", 4, ["script.scr:3", "no request took"]),
    ("a malformed answer", "DATAEXTRACTION\n> click one\n", 4, ["script.scr:2", "control id"]),
    ("cancel on page 1", "; comment\n\nDATAEXTRACTION\n> click 2\n", 0, []),
    ("escape on page 1", "DATAEXTRACTION\n> key escape\n", 0, []),
    ("a script saved with a byte-order mark", "\ufeffDATAEXTRACTION\n> click 2\n", 0, []),
]


def main():
    ovhost, scratch = sys.argv[1], sys.argv[2]
    os.makedirs(scratch, exist_ok=True)
    failures = 0
    for name, script, status, words in CASES:
        path = os.path.join(scratch, "script.scr")
        with open(path, "w", encoding="utf-8") as out:
            out.write(script)
        run = subprocess.run([ovhost, "--script", path, "--drawing", "sample", "--profile", os.path.join(scratch, "p.ini")],
                             cwd=scratch, capture_output=True, text=True, timeout=60)
        problems = []
        if run.returncode != status:
            problems.append("exit status %d, expected %d" % (run.returncode, status))
        for word in words:
            if word not in run.stderr:
                problems.append("standard error lacks %r" % word)
        if not words and run.stderr.strip():
            problems.append("unexpected complaint")
        if problems:
            failures += 1
            print("FAIL %s: %s\n  stderr: %s" % (name, "; ".join(problems), run.stderr.strip()))
        else:
            print("ok   %s" % name)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
