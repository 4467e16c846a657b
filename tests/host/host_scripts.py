"""Runs the host program on small scripts and checks its exit status and its complaint.

Usage: host_scripts.py OVHOST SCRATCH_FOLDER
"""
import os
import subprocess
import sys

# The wizard over the sample drawing's lines, up to the preview (page 5, dialog 112) on
# line 13: the preview is wider than its list, and its first column (the handles) hidden.
LINES_PREVIEW = "DATAEXTRACTION\n> click 1\n> click 1\n" + "".join(
    '> uncheck 1022 "%s"\n' % kind
    for kind in ["Polyline", "Arc", "Circle", "Solid", "3D Solid", "Point", "MText", "Block"]) + "> click 1\n> click 1\n"

# The wizard up to page 5 (dialog 112), whose insertion point button asks for a point on line 7.
TABLE_POINT = "DATAEXTRACTION\n> click 1\n> click 1\n> click 1\n> click 1\n> click 1031\n"
# The same page's output file button, whose file dialog asks for a path on line 7.
OUTPUT_FILE = "DATAEXTRACTION\n> click 1\n> click 1\n> click 1\n> click 1\n> click 1029\n"
# The wizard's title typed on page 4 by the answer line given, then saved with the settings
# file out/title.qdx, which holds the title.
TITLED = ("DATAEXTRACTION\n> click 1\n> click 1\n> click 1\n%s\n> click 1\n> click 1003\n"
          "> file out/title.qdx\n> click 1\n")

CASES = [
    # (name, script, exit status, words the complaint on standard error must hold[, files of
    # the scratch folder that must not be there after the run[, files that must be there, each
    # with words it must hold]])
    ("answer before any command", "> click 1\nDATAEXTRACTION\n", 4, ["script.scr:1", "no request took"]),
    ("script ends while page 1 waits", "DATAEXTRACTION\n", 4, ["dialog 102", "asks for the next action", "has ended"]),
    ("a point where page 1 wants an action", "DATAEXTRACTION\n> point 1,2\n", 4, ["script.scr:2", "dialog 102"]),
    ("an answer left after cancel", "DATAEXTRACTION\n> click 2\n> answer yes\n", 4, ["script.scr:3", "no request took"]),
    # Every answer that does not fit names its line and the dialog that asked.
    ("a button page 1 does not have", "DATAEXTRACTION\n> click 4242\n", 4,
     ["script.scr:2", "dialog 102", "no control 4242"]),
    ("a control page 2 does not have", "DATAEXTRACTION\n> click 1\n> click 1025\n", 4,
     ["script.scr:3", "dialog 103", "no control 1025"]),
    ("the disabled Previous of page 1", "DATAEXTRACTION\n> click 1001\n", 4, ["script.scr:2", "dialog 102", "disabled"]),
    ("a malformed answer", "DATAEXTRACTION\n> click one\n", 4, ["script.scr:2", "dialog 102", "control id"]),
    ("typing where no control has the focus", "DATAEXTRACTION\n> type 0 abc\n", 4,
     ["script.scr:2", "dialog 102", "has the focus"]),
    ("a filter the settings file dialog lacks", "DATAEXTRACTION\n> click 1002\n> file-filter 2 x.qdx\n", 4,
     ["script.scr:3", 'a file dialog (open) for "*.qdx" asks', "not filter 2"]),
    ("a handle the drawing lacks", "DATAEXTRACTION\n> click 1\n> click 1002\n> pick handles FFFF\n", 4,
     ["script.scr:4", "for dialog 103", "handle FFFF"]),
    ("a button the message box lacks", "DATAEXTRACTIONUPDATE\n> click 1\n> answer yes\n", 4,
     ["script.scr:3", "message box", "not yes"]),
    ("a command the popup menu lacks", "DATAEXTRACTION\n> click 1\n> click 1\n> rclick 1022 0 0\n> menu 9999\n", 4,
     ["script.scr:5", "popup menu of window SysListView32 id 1022", "9999"]),
    # A dialog action where the update dialog asks for its table on the command line: the
    # script stops there, and nothing the dialog held is left (a leak under the sanitizer
    # would end the program with the leak report's status).
    ("an action where the update dialog picks its table", "DATAEXTRACTIONUPDATE\n> click 1051\n> click 1\n", 4,
     ["script.scr:3", "a pick of one object of type ACAD_TABLE for dialog 135", '"> click 1"']),
    # A number beyond a double's range is refused as "inf" is, not read as infinity.
    ("a point beyond a double's range", TABLE_POINT + "> point 1e400,1e400\n> click 1\n", 4,
     ["script.scr:7", "for dialog 112", "'1e400' is not a number"]),
    # A number is read whole or refused, never as another number.
    ("a blank inside a number", TABLE_POINT + "> point 1 2,3\n> click 1\n", 4,
     ["script.scr:7", "for dialog 112", "'1 2' is not a number"]),
    ("a sign alone", TABLE_POINT + "> point - 5,3\n> click 1\n", 4,
     ["script.scr:7", "for dialog 112", "'- 5' is not a number"]),
    ("an exponent without digits", TABLE_POINT + "> point 1e 5,0\n> click 1\n", 4,
     ["script.scr:7", "for dialog 112", "'1e 5' is not a number"]),
    # A NUL byte would cut the line short: the line is refused before anything on it runs.
    ("a NUL in a command line", "DATAEXTRACTION\0junk\n> click 2\n", 4, ["script.scr:1", "NUL"]),
    ("a NUL in an answer line", OUTPUT_FILE + "> file out/a.csv\0.xls\n> click 1\n", 4,
     ["script.scr:7", "NUL"], ["out/a.csv"]),
    ("typing into a button", "DATAEXTRACTION\n> type 1 hello\n> click 2\n", 4,
     ["script.scr:2", "dialog 102", "id 1", "takes no text"]),
    # No dialog of the module shows a grouped list or a date-time picker.
    ("a group header", "DATAEXTRACTION\n> click 1\n> click 1\n> group 1022 0\n", 4,
     ["script.scr:4", "dialog 110", "'group' is no answer"]),
    ("a date to pick", "DATAEXTRACTION\n> pickdate 1022 2024-03-05\n", 4,
     ["script.scr:2", "dialog 102", "'pickdate' is no answer"]),
    # A column the person hid on the preview (the Length column, from its header menu)
    # cannot be reached by its heading nor by its cells.
    ("the heading of a hidden column", LINES_PREVIEW + "> rheader 1022 3\n> menu 16\n> header 1022 12\n", 4,
     ["script.scr:16", "dialog 112", 'column 12 ("Length") cannot be reached', "hidden"]),
    ("a cell of a hidden column", LINES_PREVIEW + "> rheader 1022 3\n> menu 16\n> cell 1022 1 12\n", 4,
     ["script.scr:16", "dialog 112", 'column 12 ("Length") cannot be reached', "hidden"]),
    # A quote opens an argument only at its start; a comment starts at a ';' after a blank
    # outside a quoted argument, whatever quotes come before it in a word.
    ("a quote inside a word of typed text", TITLED % '> type 1056 12" pipes ; the title', 0, [], [],
     {"out/title.qdx": ["title='12&quot; pipes'"]}),
    ("an escaped backslash closing a quoted text", TITLED % r'> type 1056 "C:\\" ; the title', 0, [], [],
     {"out/title.qdx": [r'title="C:\"']}),
    ("a quote inside a path", OUTPUT_FILE + '> file out/12"pipes.csv ; the export\n> click 1\n', 0, [],
     ['out/12"pipes.csv ; the export'], {'out/12"pipes.csv': []}),
    # A path in quotes is read as every quoted argument is.
    ("an escaped quote in a quoted path", OUTPUT_FILE + r'> file "out/a\"b.csv"' + "\n> click 1\n", 0, [],
     [r'out/a\"b.csv'], {'out/a"b.csv': []}),
    ("cancel on page 1", "; comment\n\nDATAEXTRACTION\n> click 2\n", 0, []),
    ("escape on page 1", "DATAEXTRACTION\n> key escape\n", 0, []),
    ("a script saved with a byte-order mark", "\ufeffDATAEXTRACTION\n> click 2\n", 0, []),
]


def main():
    ovhost, scratch = sys.argv[1], sys.argv[2]
    os.makedirs(os.path.join(scratch, "out"), exist_ok=True)
    failures = 0
    for name, script, status, words, *files in CASES:
        absent = files[0] if files else []
        present = files[1] if len(files) > 1 else {}
        for file in absent + list(present):
            if os.path.exists(os.path.join(scratch, file)):
                os.remove(os.path.join(scratch, file))
        path = os.path.join(scratch, "script.scr")
        with open(path, "w", encoding="utf-8") as out:
            out.write(script)
        run = subprocess.run([ovhost, "--script", path, "--drawing", "sample", "--lang", "en-AU",
                              "--profile", os.path.join(scratch, "p.ini")],
                             cwd=scratch, capture_output=True, text=True, timeout=60)
        problems = []
        if run.returncode != status:
            problems.append("exit status %d, expected %d" % (run.returncode, status))
        for word in words:
            if word not in run.stderr:
                problems.append("standard error lacks %r" % word)
        if not words and run.stderr.strip():
            problems.append("unexpected complaint")
        problems += ["%s was written" % file for file in absent if os.path.exists(os.path.join(scratch, file))]
        for file, held in present.items():
            if not os.path.exists(os.path.join(scratch, file)):
                problems.append("%s was not written" % file)
                continue
            with open(os.path.join(scratch, file), encoding="utf-8") as written:
                text = written.read()
            problems += ["%s lacks %r" % (file, word) for word in held if word not in text]
        if problems:
            failures += 1
            print("FAIL %s: %s\n  stderr: %s" % (name, "; ".join(problems), run.stderr.strip()))
        else:
            print("ok   %s" % name)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
