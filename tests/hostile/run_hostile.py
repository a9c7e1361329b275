#!/usr/bin/env python3
# Runs zelk-tool as its users do and checks what they get.
#
# Usage: run_hostile.py [--emulator WORD]... ZELK_TOOL [CASE...]
#   --emulator WORD  one word of the command that runs the tool (given once a word: a Wine wrapper
#                    and its prefix); cases marked "linux-only" are then left out and listed.
#   CASE             a folder of tests/hostile/ (every one when no CASE is given) or a .cases file.
#
# A hostile catalogue is a folder holding the catalogue and what must come of it:
#   input.csv    the catalogue as it is committed, or
#   generate     one line "KIND SIZE" for inputs too big to commit (made here, in a temporary folder):
#                long-remark BYTES, groups COUNT, members COUNT, sparse BYTES (a file of NUL bytes
#                that takes no disk space), keys-nested DEPTH, keys-repeats COUNT
#   path         one line: "folder" (a folder given as the catalogue) or a path to give as it stands
#   expect       one expectation a line:
#                  check|show|regen|keys STATUS   the exit status of that subcommand
#                  check|regen|keys: TEXT         a line that its output must hold ({file} is the path)
#                  linux-only: WHY                not run under an emulator
#                A subcommand without a status line is not run.
# For every run: no crash and no hang (a deadline), peak memory within a bound proportional to the
# input's size, and the output consistent: `show` prints counts that match what it lists and stay
# inside the tables, and every problem it lists `check` lists too, in the same order (among the
# weight findings); `regen` writes code page 932 (UTF-8 behind its mark when the input had one) with
# CR LF line ends.
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
import json
import os
import shlex
import signal
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
TIME = "/usr/bin/time"  # GNU time, for the peak memory of each run
# Peak resident memory may be the tool's size on an empty input plus this many bytes for every
# byte of input: a line is held as raw bytes and as UTF-16 text, and `show` holds it again as
# JSON; anything that grows faster than the input (or without it) breaks the bound.
BYTES_PER_INPUT_BYTE = 24
SLACK_BYTES = 64 * 1024 * 1024
# In the sanitizer build freed memory waits in a quarantine of up to 256 MB that has nothing to do
# with the input; a small one keeps the measure about the program.
if "ASAN_OPTIONS" in os.environ:
    os.environ["ASAN_OPTIONS"] += ":quarantine_size_mb=16"

HEADER = [b"W>{right}", b"W=d1*e1", b"A>{right}", b"A=", b"1>{down}{left 6}", b"2>{down}{left 5}", b"3>",
          b"2,Unit weight,Paint area", b"1,kg/m,m2/t", b"2,kg/m2,m2/t"]


def generate(spec, folder):
    """Writes the generated input of `spec` into `folder`; returns its path or the keys text."""
    kind, size = spec.split()
    size = int(size)
    if kind == "keys-nested":
        return "(" * size + "a" + ")" * size
    if kind == "keys-repeats":
        return "{a 999}" * size
    path = os.path.join(folder, "input.csv")
    with open(path, "wb") as out:
        if kind == "sparse":
            out.truncate(size)
            return path
        out.write(b"\r\n".join(HEADER) + b"\r\n")
        if kind == "long-remark":
            out.write(b"H-SECTION,1,2\r\nH-100x50x5x7,")
            for _ in range(size // (1 << 20)):
                out.write(b"r" * (1 << 20))
            out.write(b"r" * (size % (1 << 20)) + b",9.30,41.94\r\n/*\r\n")
        elif kind == "groups":
            out.write(b"".join(b"G%d,1,2\r\nH-100x50x5x7,,9.30,41.94\r\n/*\r\n" % g for g in range(size)))
        elif kind == "members":
            out.write(b"H-SECTION,1,2\r\n")
            out.write(b"".join(b"H-%dx50x5x7,,9.30,41.94\r\n" % (100 + m) for m in range(size)))
            out.write(b"/*\r\n")
        else:
            raise ValueError("unknown generator " + kind)
    return path


def run(arguments, cwd, deadline, env=None):
    """Runs one command with a deadline; returns (status, stdout, stderr) with the streams as bytes."""
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        process = subprocess.Popen(arguments, stdout=out, stderr=err, cwd=cwd, env=env, start_new_session=True)
        try:
            status = process.wait(timeout=deadline)
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait()
            raise AssertionError("no answer within %d s: %s" % (deadline, arguments[-1].splitlines()[-1]))
        out.seek(0)
        err.seek(0)
        return status, out.read(), err.read()


def measured(prefix, arguments, folder):
    """Runs the tool under GNU time; returns (status, stdout, stderr, peak RSS in bytes).

    GNU time forks the tool from its own small process: the rusage that this script could collect
    itself would start from this script's own size, which a child started by vfork inherits."""
    rss_path = os.path.join(folder, "rss")
    status, out, err = run([TIME, "-f", "%M", "-o", rss_path] + prefix + arguments, folder, 300)
    with open(rss_path) as f:
        lines = f.read().split("\n")
    os.remove(rss_path)
    if "signal" in lines[0]:
        raise AssertionError("%s: %s\n%s" % (arguments[0], lines[0], err[-3000:].decode(errors="replace")))
    return status, out.decode("utf-8"), err.decode("utf-8"), int(lines[-2]) * 1024


def read_items(lines):
    """The items of one case: {"%": [...], "1:": [...], ...} in the order given."""
    items = {}
    for line in lines:
        if line and not line.startswith("#"):
            key, _, rest = line.partition(" ")
            items.setdefault(key, []).append(rest)
    return items


def check_show(json_text, check_output):
    catalogue = json.loads(json_text)
    groups = catalogue["groups"]
    assert catalogue["GroupCount"] == len(groups) <= 100, "GroupCount %d, %d groups listed" % (
        catalogue["GroupCount"], len(groups))
    assert 0 <= catalogue["UnitKindCount"] <= 50 and len(catalogue["units"]) <= 50
    for group in groups:
        assert group["GroupMemberCount"] == len(group["members"]) <= 200, group["GroupName"][:40]
    lines = iter(check_output.splitlines())
    assert all(message in lines for message in catalogue["messages"]), "check leaves out a problem of show"


def check_regenerated(path, input_head):
    with open(path, "rb") as f:
        data = f.read()
    if input_head.startswith(b"\xef\xbb\xbf"):
        assert data.startswith(b"\xef\xbb\xbf"), "UTF-8 output without its mark"
        data[3:].decode("utf-8")
    else:
        data.decode("cp932")
    assert data.count(b"\n") == data.count(b"\r\n"), "a line end that is not CR LF"
    assert not data or data.endswith(b"\r\n")


def run_hostile(prefix, case_dir, items, folder, base_rss):
    def given(name):
        with open(os.path.join(case_dir, name)) as f:
            return f.read().strip()
    keys_text, path = None, os.path.join(case_dir, "input.csv")
    if os.path.exists(os.path.join(case_dir, "generate")):
        path = generate(given("generate"), folder)
        keys_text, path = (None, path) if path.endswith(".csv") else (path, None)
    elif os.path.exists(os.path.join(case_dir, "path")):
        path = given("path")
        if path == "folder":
            path = os.path.join(folder, "catalogue.csv")
            os.mkdir(path)
    input_size = len(keys_text.encode()) if keys_text is not None else (
        os.stat(path).st_blocks * 512 if os.path.isfile(path) else 0)
    bound = base_rss + SLACK_BYTES + BYTES_PER_INPUT_BYTE * input_size
    outputs, report = {}, []
    for command in ("keys", "check", "show", "regen"):
        if command not in items:
            continue
        arguments = {"keys": [command, "--", keys_text], "regen": [command, path, "-o", "out.new"]}.get(
            command, [command, path])
        status, stdout, stderr, rss = measured(prefix, arguments, folder)
        report.append("%s %dMB" % (command, rss >> 20))
        assert status == int(items[command][0]), "%s: exit status %d, expected %s\n%s%s" % (
            command, status, items[command][0], stdout[-2000:], stderr[-2000:])
        assert rss <= bound, "%s: peak memory %d MB above the bound of %d MB for %d input bytes" % (
            command, rss >> 20, bound >> 20, input_size)
        lines = (stdout + stderr).splitlines()
        for text in items.get(command + ":", []):
            assert text.replace("{file}", path or "") in lines, "%s: no line\n  %s\nin\n  %s" % (
                command, text, "\n  ".join(line[:200] for line in lines[:20]))
        outputs[command] = (status, stdout)
    if outputs.get("show", (1,))[0] == 0:
        check_show(outputs["show"][1], outputs.get("check", (0, ""))[1])
    if os.path.exists(os.path.join(folder, "out.new")):
        with open(path, "rb") as f:
            check_regenerated(os.path.join(folder, "out.new"), f.read(4))
    return ", ".join(report)


def check_stream(name, data, items, stream, cases_dir):
    text = data.decode("utf-8")
    if stream + "@" in items:
        with open(os.path.join(cases_dir, items[stream + "@"][0]), encoding="utf-8", newline="") as f:
            wanted = f.read()
    elif stream + ":" in items:
        wanted = "".join(line + "\n" for line in items[stream + ":"])
    else:
        wanted = "" if stream + "~" not in items else text
        for part in items.get(stream + "~", []):
            assert any(part in line for line in text.splitlines()), "%s holds no line with\n  %s\nin\n%s" % (
                name, part, text[:2000])
    got, expected = text.splitlines(True) + ["(the end)"], wanted.splitlines(True) + ["(the end)"]
    first = next((i for i, (g, e) in enumerate(zip(got, expected)) if g != e), 0)
    assert text == wanted, "%s, line %d:\n  %r\nexpected:\n  %r" % (name, first + 1, got[first], expected[first])


def run_command_case(prefix, items, folder, cases_dir):
    zelk = "zelk() { %s \"$@\"; }\n" % " ".join(shlex.quote(word) for word in prefix)
    env = dict(os.environ, CASES=cases_dir)
    for step in items.get("%", []):
        status, _, err = run(["bash", "-c", zelk + "set -e\n" + step], folder, 120, env)
        assert status == 0, "setup failed: %s\n%s" % (step, err.decode(errors="replace"))
    prelude = "".join(line + "\n" for line in items.get("<", []))
    status, out, err = run(["bash", "-c", zelk + prelude + "zelk " + items["$"][0]], folder, 60, env)
    assert status == int(items["="][0]), "exit status %d, expected %s\n%s%s" % (
        status, items["="][0], out[-2000:].decode(errors="replace"), err[-2000:].decode(errors="replace"))
    check_stream("standard output", out, items, "1", cases_dir)
    check_stream("standard error", err, items, "2", cases_dir)
    for step in items.get("&", []):
        assert run(["bash", "-c", step], folder, 60, env)[0] == 0, "afterwards, not true: " + step
    return ""


def main():
    arguments, prefix = sys.argv[1:], []
    while arguments[0] == "--emulator":
        prefix.append(arguments[1])
        arguments = arguments[2:]
    prefix.append(os.path.abspath(arguments[0]))
    cases = []  # (name, items, run) with run(folder) giving the report
    for given in arguments[1:] or sorted(d for d in os.listdir(HERE) if os.path.isdir(os.path.join(HERE, d))):
        if given.endswith(".cases"):
            cases_dir = os.path.dirname(os.path.abspath(given))
            with open(given, encoding="utf-8") as f:
                blocks = ("\n" + f.read()).split("\n[")[1:]
            for block in blocks:
                name, _, body = block.partition("]\n")
                items = read_items(body.splitlines())
                cases.append((name, items, lambda folder, i=items, d=cases_dir: run_command_case(prefix, i, folder, d)))
        else:
            case_dir = os.path.join(HERE, given)
            with open(os.path.join(case_dir, "expect"), encoding="utf-8") as f:
                items = read_items(f.read().splitlines())
            cases.append((given, items, lambda folder, d=case_dir, i=items: run_hostile(prefix, d, i, folder, base_rss)))
    with tempfile.TemporaryDirectory() as folder:
        open(os.path.join(folder, "empty.csv"), "wb").close()
        base_rss = max(measured(prefix, [command, "empty.csv"], folder)[3] for command in ("check", "show", "regen"))
    print("baseline peak memory %d MB" % (base_rss >> 20))
    failures = 0
    for name, items, run_case in cases:
        if len(prefix) > 1 and "linux-only:" in items:
            print("%-58s left out: linux-only: %s" % (name[:58], items["linux-only:"][0]))
            continue
        try:
            with tempfile.TemporaryDirectory(prefix="zelk-tool-", dir=os.environ.get("ZELK_HOSTILE_TMP")) as folder:
                print("%-58s ok   %s" % (name[:58], run_case(folder)), flush=True)
        except (AssertionError, ValueError, UnicodeDecodeError, KeyError, json.JSONDecodeError) as error:
            failures += 1
            print("%-58s FAIL %s" % (name[:58], error), flush=True)
    print("%d of %d cases failed" % (failures, len(cases)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
