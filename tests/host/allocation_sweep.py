"""Runs the main job through the host program again and again, each time with one allocation
refused (the n-th made through operator new, for n spread over the whole run), and checks that
memory running out never escapes: the host runs on or ends with its own status, no output is
reported done that was not written whole or without its path, no earlier output is damaged,
nothing else is left beside the outputs, and the drawing keeps no table that is not whole and
linked.

usage: allocation_sweep.py REFUSING_HOST MAIN_JOB_SCRIPT OUTPUT_FOLDER

DX_ALLOCATION_STRIDE=k refuses every k-th allocation (1: every one, a long run); by default
the stride leaves about 600 runs over the whole job.
"""

import concurrent.futures
import filecmp
import os
import re
import shutil
import subprocess
import sys

OUTPUTS = ["FloorPlan.xls", "FloorPlan.qdx", "FloorPlan.csv"]
# The line that reports each output written, with the path it names.
DONE_LINES = {
    "FloorPlan.xls": re.compile(r"^Finished XLS exportation to : (.*)$", re.M),
    "FloorPlan.qdx": re.compile(r"^Finished QDX export to : (.*)$", re.M),
    "FloorPlan.csv": re.compile(r"^CSV export done to : (.*)$", re.M),
}
STOPPED = "The command was stopped: memory ran out or an internal error occurred."
OUT_OF_MEMORY = "ovhost: out of memory"
DUMPED_TABLE = re.compile(r"Table [0-9A-F]+ at \(")  # the first line of a table in the drawing's dump
RUNS_BY_DEFAULT = 600

# The statuses of the host program (README, "The host program").
DONE, SCRIPT_ERROR, HOST_OUT_OF_MEMORY = 0, 4, 5


def done_path(name):
    """The path that the line reporting the output written names."""
    return "build/main-job/" + name


def run_host(host, script, folder, language, refused=None, count_file=None, seed=None):
    """Runs the main job in its own folder (the script names its outputs under build/main-job),
    the folder's outputs first seeded from another; the completed process."""
    if os.path.exists(folder):
        shutil.rmtree(folder)
    outputs = os.path.join(folder, "build", "main-job")
    os.makedirs(outputs)
    if seed:
        for name in OUTPUTS:
            shutil.copyfile(os.path.join(seed, name), os.path.join(outputs, name))
    env = dict(os.environ)
    env.pop("DX_REFUSED_ALLOCATION", None)
    env.pop("DX_ALLOCATION_COUNT", None)
    if refused is not None:
        env["DX_REFUSED_ALLOCATION"] = str(refused)
    if count_file:
        env["DX_ALLOCATION_COUNT"] = count_file
    return subprocess.run(
        [host, "--script", script, "--profile", os.path.join(folder, "profile.ini"), "--lang", language, "--dump"],
        cwd=folder, env=env, capture_output=True, text=True, errors="replace", timeout=300)


def sections(stdout):
    """The command line's output split at each command: (command, text) pairs; the text
    before the first command is under "", the dump of the drawing's tables under "dump"."""
    parts, name, lines = [], "", []
    for line in stdout.split("\n"):
        if line.startswith("Command: "):
            parts.append((name, "\n".join(lines)))
            name, lines = line[len("Command: "):], []
        elif DUMPED_TABLE.match(line) and name != "dump":
            parts.append((name, "\n".join(lines)))
            name, lines = "dump", [line]
        else:
            lines.append(line)
    parts.append((name, "\n".join(lines)))
    return parts


def dump_of(stdout):
    return "\n".join(text for name, text in sections(stdout) if name == "dump")


def phase_of(run):
    """Where the refusal met the job, as the run shows it."""
    parts = sections(run.stdout)
    commands = [name for name, _ in parts if name not in ("", "dump")]
    if not commands:
        return "the host's start"
    for index, (name, text) in enumerate(parts):
        if name == "DATAEXTRACTION":
            if "XLS export to : build/main-job/FloorPlan.xls failed." in text:
                return "the wizard's XLS export"
            if "QDX exportation failed !" in text:
                return "the wizard's settings file"
            if STOPPED in text:
                inserted = "Please input table insertion point" in text.split(STOPPED)[0]
                return "the wizard, with a table inserted" if inserted else "the wizard's pages"
        elif name == "DATAEXTRACTIONUPDATE" and STOPPED in text:
            refresh = [i for i, (n, _) in enumerate(parts) if n == "DATAEXTRACTIONUPDATE"][0] == index
            return "the update's refresh" if refresh else "the update's export"
        elif name == "DATAEXTRACTIONUPDATE" and "CSV export to : build/main-job/FloorPlan.csv failed." in text:
            return "the update's export"
    if run.returncode == HOST_OUT_OF_MEMORY:
        return "the host's work around the commands"
    return "nothing reported"


def check(run, folder, clean, earlier):
    """The problems of one run with an allocation refused."""
    problems = []
    if run.returncode not in (DONE, SCRIPT_ERROR, HOST_OUT_OF_MEMORY):
        problems.append("exit status %d" % run.returncode)
    if "terminate called" in run.stderr or "ERROR: AddressSanitizer" in run.stderr:
        problems.append("the host was ended: " + run.stderr.strip()[-300:])
    if run.returncode == HOST_OUT_OF_MEMORY and OUT_OF_MEMORY not in run.stderr:
        problems.append("status %d without saying that memory ran out" % HOST_OUT_OF_MEMORY)
    if run.returncode == SCRIPT_ERROR and STOPPED not in run.stdout:
        # Only a command that was stopped leaves answers of the script unused.
        problems.append("a script error though no command was stopped: " + run.stderr.strip()[-300:])
    if "bad_alloc" in run.stdout + run.stderr:
        problems.append("an exception reached the host: " + run.stderr.strip()[-300:])
    outputs = os.path.join(folder, "build", "main-job")
    for name in OUTPUTS:
        path = os.path.join(outputs, name)
        written = os.path.exists(path) and filecmp.cmp(path, os.path.join(clean, name), shallow=False)
        kept = os.path.exists(path) and filecmp.cmp(path, os.path.join(earlier, name), shallow=False)
        named = DONE_LINES[name].findall(run.stdout)
        for path_named in named:
            if path_named != done_path(name):
                problems.append("%s reported done naming %r, not its path" % (name, path_named))
        if named and not written:
            problems.append(name + " reported done but not written whole")
        elif not written and not kept:
            problems.append(name + " damaged: neither the earlier file nor the new one")
    left = sorted(set(os.listdir(outputs)) - set(OUTPUTS))
    if left:
        problems.append("left beside the outputs: " + ", ".join(left))
    if run.returncode != HOST_OUT_OF_MEMORY:  # the dump itself may be what memory ran out in
        dump = dump_of(run.stdout)
        if dump.strip() and dump != clean_dump_of(clean):
            problems.append("the drawing keeps a table that is not the whole, linked one")
    return problems


def clean_dump_of(clean):
    with open(os.path.join(clean, "stdout.txt")) as f:
        return dump_of(f.read())


def main():
    host, script, output = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2]), os.path.abspath(sys.argv[3])
    os.makedirs(output, exist_ok=True)

    # An earlier run (French) leaves outputs the runs below must not damage; then a clean run
    # gives the outputs a run must write and how many allocations the job makes.
    earlier_run = run_host(host, script, os.path.join(output, "earlier"), "fr-FR")
    clean_run = run_host(host, script, os.path.join(output, "clean"), "en-US",
                         count_file=os.path.join(output, "count.txt"))
    for what, run in (("the earlier run", earlier_run), ("the clean run", clean_run)):
        if run.returncode != DONE:
            print("%s failed (status %d):\n%s%s" % (what, run.returncode, run.stdout, run.stderr))
            return 1
    earlier = os.path.join(output, "earlier", "build", "main-job")
    clean = os.path.join(output, "clean", "build", "main-job")
    with open(os.path.join(clean, "stdout.txt"), "w") as f:
        f.write(clean_run.stdout)
    for name in OUTPUTS:
        if filecmp.cmp(os.path.join(earlier, name), os.path.join(clean, name), shallow=False):
            print("the earlier %s equals the clean one: the check could not tell them apart" % name)
            return 1
    for name in OUTPUTS:
        if DONE_LINES[name].findall(clean_run.stdout) != [done_path(name)]:
            print("the clean run does not report %s written once, by its path" % name)
            return 1
    with open(os.path.join(output, "count.txt")) as f:
        total = int(f.read())
    if not clean_dump_of(clean).strip():
        print("the clean run's drawing holds no table")
        return 1

    stride = int(os.environ.get("DX_ALLOCATION_STRIDE", "0")) or max(1, total // RUNS_BY_DEFAULT)
    refused = range(1, total + 1, stride)

    def sweep(n):
        folder = os.path.join(output, "runs", str(n))
        run = run_host(host, script, folder, "en-US", refused=n, seed=earlier)
        problems = check(run, folder, clean, earlier)
        if not problems:
            shutil.rmtree(folder)
        else:  # kept with what the run said, to be looked at
            for name, text in (("problems.txt", "\n".join(problems) + "\n"), ("stdout.txt", run.stdout),
                               ("stderr.txt", run.stderr)):
                with open(os.path.join(folder, name), "w") as f:
                    f.write(text)
        return n, phase_of(run), problems

    jobs = int(os.environ.get("DX_SWEEP_JOBS", "0")) or min(4, os.cpu_count() or 1)
    phases, failed = {}, []
    with concurrent.futures.ThreadPoolExecutor(jobs) as pool:
        for n, phase, problems in pool.map(sweep, refused):
            phases.setdefault(phase, []).append(n)
            if problems:
                failed.append((n, problems))

    print("%d allocations in the job; %d runs, every %d-th allocation refused" % (total, len(refused), stride))
    for phase, ns in sorted(phases.items(), key=lambda item: item[1][0]):
        print("  %-40s %5d runs (allocation %d to %d)" % (phase, len(ns), ns[0], ns[-1]))
    for n, problems in failed[:20]:
        print("allocation %d refused: %s" % (n, "; ".join(problems)))
    if failed:
        print("%d runs failed; their folders are kept under %s" % (len(failed), os.path.join(output, "runs")))
    expected = ["the host's start", "the wizard's pages", "the wizard, with a table inserted",
                "the wizard's XLS export", "the wizard's settings file", "the update's refresh",
                "the update's export", "the host's work around the commands"]
    missing = [phase for phase in expected if phase not in phases]
    if missing:
        print("no run stopped in: " + ", ".join(missing) + " (a command that runs out of memory says so; "
              "a smaller stride reaches more places)")
    return 1 if failed or missing else 0


if __name__ == "__main__":
    sys.exit(main())
