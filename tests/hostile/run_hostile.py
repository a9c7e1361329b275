#!/usr/bin/env python3
# Runs zelk-tool as its users do and checks what they get: the command cases of .cases files.
#
# Usage: run_hostile.py [--emulator WORD]... ZELK_TOOL [CASES...]
#   --emulator WORD  one word of the command that runs the tool (given once a word: a Wine wrapper
#                    and its prefix); cases marked "linux-only" are then left out and listed.
#   CASES            .cases files (default: hostile.cases beside this script)
#
# A .cases file holds command cases, each from a line "[NAME]" to the next, one item a line:
#   linux-only: WHY   not run under an emulator (it needs a FIFO, /dev/full, byte file names...)
#   % SHELL           setup, run by bash in a fresh folder before the tool; $CASES is the folder of
#                     the .cases file, and the function zelk runs the tool
#   < SHELL           run by the tool's own bash right before it (a limit, a trap)
#   $ ARGUMENTS       the tool's arguments, in bash's words (so $'\x8c', redirections, "&" work)
#   = STATUS          its exit status
#   1: TEXT / 2: TEXT one line of standard output / error; together they are the whole stream
#   1@ FILE           standard output is FILE's bytes (FILE beside the .cases file)
#   1~ TEXT / 2~ TEXT some line of standard output / error holds TEXT
#   & SHELL           afterwards, a condition on the folder that must hold (bash, exit status 0)
#   A stream with no line of its own above must be empty.
# Every case also runs within a deadline and in bounded memory: its peak resident memory may be the
# tool's on an empty catalogue plus a bound proportional to the bytes in the case's folder and its
# arguments, so that no input, however large, makes the tool hold more than a few copies of it.
import os
import shlex
import signal
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
TIME = "/usr/bin/time"  # GNU time, for the peak memory of each run
# A line is held as raw bytes and as UTF-16 text, and `show` holds it again as JSON; anything that
# grows faster than the input (or without it) breaks the bound.
BYTES_PER_INPUT_BYTE = 24
SLACK_BYTES = 64 * 1024 * 1024
# In the sanitizer build freed memory waits in a quarantine of up to 256 MB that has nothing to do
# with the input; a small one keeps the measure about the program.
if "ASAN_OPTIONS" in os.environ:
    os.environ["ASAN_OPTIONS"] += ":quarantine_size_mb=16"


def run(arguments, cwd, env):
    # One command with a deadline: (status, stdout, stderr), the streams as bytes.
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        process = subprocess.Popen(arguments, stdout=out, stderr=err, cwd=cwd, env=env, start_new_session=True)
        try:
            status = process.wait(timeout=300)
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait()
            raise AssertionError("no answer within 300 s: " + arguments[-1].splitlines()[-1])
        out.seek(0)
        err.seek(0)
        return status, out.read(), err.read()


def measured(script, folder, env):
    # A bash script under GNU time: (status, stdout, stderr, peak resident bytes of the script and
    # the tool it started).
    with tempfile.NamedTemporaryFile() as rss:
        status, out, err = run([TIME, "-f", "%M", "-o", rss.name, "bash", "-c", script], folder, env)
        return status, out, err, int(rss.read().split()[-1]) * 1024


def check_stream(name, data, items, stream, cases_dir):
    text = data.decode("utf-8")
    if stream + "@" in items:
        with open(os.path.join(cases_dir, items[stream + "@"][0]), encoding="utf-8", newline="") as f:
            wanted = f.read()
    elif stream + ":" in items:
        wanted = "".join(line + "\n" for line in items[stream + ":"])
    else:
        for part in items.get(stream + "~", []):
            assert any(part in line for line in text.splitlines()), "%s holds no line with\n  %s\nin\n%s" % (
                name, part, text[:2000])
        wanted = text if stream + "~" in items else ""
    assert text == wanted, "%s:\n%s\nexpected:\n%s" % (name, text[:2000], wanted[:2000])


def run_case(zelk, items, folder, cases_dir, base_rss):
    env = dict(os.environ, CASES=cases_dir)
    for step in items.get("%", []):
        status, _, err = run(["bash", "-c", zelk + "set -e\n" + step], folder, env)
        assert status == 0, "setup failed: %s\n%s" % (step, err.decode(errors="replace"))
    # Disk blocks, so that a sparse file counts for what it holds.
    input_size = len(items["$"][0]) + sum(os.lstat(os.path.join(folder, name)).st_blocks * 512
                                          for name in os.listdir(folder))
    prelude = "".join(line + "\n" for line in items.get("<", []))
    status, out, err, rss = measured(zelk + prelude + "zelk " + items["$"][0], folder, env)
    assert status == int(items["="][0]), "exit status %d, expected %s\n%s%s" % (
        status, items["="][0], out[-2000:].decode(errors="replace"), err[-2000:].decode(errors="replace"))
    bound = base_rss + SLACK_BYTES + BYTES_PER_INPUT_BYTE * input_size
    assert rss <= bound, "peak memory %d MB above the bound of %d MB for %d input bytes" % (
        rss >> 20, bound >> 20, input_size)
    check_stream("standard output", out, items, "1", cases_dir)
    check_stream("standard error", err, items, "2", cases_dir)
    for step in items.get("&", []):
        assert run(["bash", "-c", step], folder, env)[0] == 0, "afterwards, not true: " + step
    return "%d MB" % (rss >> 20)


def main():
    arguments, prefix = sys.argv[1:], []
    while arguments[0] == "--emulator":
        prefix.append(arguments[1])
        arguments = arguments[2:]
    prefix.append(os.path.abspath(arguments[0]))
    zelk = "zelk() { %s \"$@\"; }\n" % " ".join(shlex.quote(word) for word in prefix)
    cases = []  # (name, items, folder of the .cases file)
    for given in arguments[1:] or [os.path.join(HERE, "hostile.cases")]:
        with open(given, encoding="utf-8") as f:
            for block in ("\n" + f.read()).split("\n[")[1:]:
                name, _, body = block.partition("]\n")
                items = {}
                for line in body.splitlines():
                    if line and not line.startswith("#"):
                        key, _, rest = line.partition(" ")
                        items.setdefault(key, []).append(rest)
                cases.append((name, items, os.path.dirname(os.path.abspath(given))))
    with tempfile.TemporaryDirectory() as folder:
        open(os.path.join(folder, "empty.csv"), "wb").close()
        base_rss = max(measured(zelk + "zelk %s empty.csv" % command, folder, None)[3]
                       for command in ("check", "show", "regen"))
    print("baseline peak memory %d MB" % (base_rss >> 20))
    failures = 0
    for name, items, cases_dir in cases:
        if len(prefix) > 1 and "linux-only:" in items:
            print("%-58s left out: linux-only: %s" % (name[:58], items["linux-only:"][0]))
            continue
        try:
            with tempfile.TemporaryDirectory(prefix="zelk-tool-", dir=os.environ.get("ZELK_HOSTILE_TMP")) as folder:
                print("%-58s ok   %s" % (name[:58], run_case(zelk, items, folder, cases_dir, base_rss)), flush=True)
        except (AssertionError, UnicodeDecodeError, KeyError, ValueError) as error:
            failures += 1
            print("%-58s FAIL %s" % (name[:58], error), flush=True)
    print("%d of %d cases failed" % (failures, len(cases)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
