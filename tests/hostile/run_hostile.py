#!/usr/bin/env python3
"""Runs zelk-tool on every hostile catalogue under tests/hostile/ and checks what the user gets.

Usage: run_hostile.py ZELK_TOOL [CASE...]

Each case is a folder holding the catalogue and what must come of it:
  input.csv    the catalogue as it is committed, or
  generate     one line "KIND SIZE" for inputs too big to commit (made here, in a temporary folder):
               long-remark BYTES, groups COUNT, members COUNT, keys-nested DEPTH, keys-repeats COUNT
  path         one line: "folder" (a folder given as the catalogue) or a path to give as it stands
  expect       one expectation a line:
                 check|show|regen|keys STATUS   the exit status of that subcommand
                 check|regen|keys: TEXT         a line that its output must hold ({file} is the path)
               A subcommand without a status line is not run.

For every run: no crash and no hang (a deadline), peak memory within a bound proportional to the
input's size, and the output consistent: `show` prints counts that match what it lists and stay
inside the tables, and lists the same problems as `check`; `regen` writes code page 932 (UTF-8
behind its mark when the input had one) with CR LF line ends.
"""
import json
import os
import signal
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
TIME = "/usr/bin/time"  # GNU time, for the peak memory of each run
DEADLINE_SECONDS = 300
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
        out.write(b"\r\n".join(HEADER) + b"\r\n")
        if kind == "long-remark":
            out.write(b"H-SECTION,1,2\r\nH-100x50x5x7,")
            chunk = b"r" * (1024 * 1024)
            for _ in range(size // len(chunk)):
                out.write(chunk)
            out.write(b"r" * (size % len(chunk)) + b",9.30,41.94\r\n/*\r\n")
        elif kind == "groups":
            for g in range(size):
                out.write(b"G%d,1,2\r\nH-100x50x5x7,,9.30,41.94\r\n/*\r\n" % g)
        elif kind == "members":
            out.write(b"H-SECTION,1,2\r\n")
            for m in range(size):
                out.write(b"H-%dx50x5x7,,9.30,41.94\r\n" % (100 + m))
            out.write(b"/*\r\n")
        else:
            raise ValueError("unknown generator " + kind)
    return path


def run(arguments, folder):
    """Runs one command; returns (status, stdout, stderr, peak RSS in bytes, seconds).

    The peak comes from GNU time, which forks the command from its own small process: the
    rusage that this script could collect itself would start from this script's own size, which
    a child started by vfork inherits."""
    out_path = os.path.join(folder, "stdout")
    err_path = os.path.join(folder, "stderr")
    rss_path = os.path.join(folder, "rss")
    start = time.monotonic()
    with open(out_path, "wb") as out, open(err_path, "wb") as err:
        process = subprocess.Popen([TIME, "-f", "%M", "-o", rss_path] + arguments, stdout=out, stderr=err,
                                   cwd=folder, start_new_session=True)
        try:
            status = process.wait(timeout=DEADLINE_SECONDS)
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait()
            raise AssertionError("%s: no answer within %d s" % (" ".join(arguments[:2]), DEADLINE_SECONDS))
    with open(out_path, "rb") as f:
        stdout = f.read().decode("utf-8")
    with open(err_path, "rb") as f:
        stderr = f.read().decode("utf-8")
    with open(rss_path) as f:
        measured = f.read().split("\n")
    if "signal" in measured[0]:
        raise AssertionError("%s: %s\n%s" % (arguments[1], measured[0], stderr[-3000:]))
    return status, stdout, stderr, int(measured[-2]) * 1024, time.monotonic() - start


def read_expectations(case_dir):
    statuses, lines = {}, {}
    with open(os.path.join(case_dir, "expect"), encoding="utf-8") as f:
        for raw in f:
            line = raw.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            command, _, rest = line.partition(" ")
            if command.endswith(":"):
                lines.setdefault(command[:-1], []).append(rest)
            else:
                statuses[command] = int(rest)
    return statuses, lines


def check_show(json_text, check_output):
    catalogue = json.loads(json_text)
    groups = catalogue["groups"]
    assert catalogue["GroupCount"] == len(groups), "GroupCount %d, groups listed %d" % (
        catalogue["GroupCount"], len(groups))
    assert 0 <= len(groups) <= 100
    assert 0 <= catalogue["UnitKindCount"] <= 50 and len(catalogue["units"]) <= 50
    for group in groups:
        assert group["GroupMemberCount"] == len(group["members"]), group["GroupName"][:40]
        assert 0 <= len(group["members"]) <= 200
    assert catalogue["messages"] == check_output.splitlines(), "show and check list different problems"


def check_regenerated(path, input_bytes):
    with open(path, "rb") as f:
        data = f.read()
    if input_bytes.startswith(b"\xef\xbb\xbf"):
        assert data.startswith(b"\xef\xbb\xbf"), "UTF-8 output without its mark"
        data[3:].decode("utf-8")
    else:
        data.decode("cp932")
    assert data.count(b"\n") == data.count(b"\r\n"), "a line end that is not CR LF"
    assert not data or data.endswith(b"\r\n")


def run_case(tool, name, base_rss):
    case_dir = os.path.join(HERE, name)
    statuses, expected_lines = read_expectations(case_dir)
    with tempfile.TemporaryDirectory(prefix="hostile-", dir=os.environ.get("ZELK_HOSTILE_TMP")) as folder:
        keys_text = None
        if os.path.exists(os.path.join(case_dir, "generate")):
            with open(os.path.join(case_dir, "generate")) as f:
                made = generate(f.read().strip(), folder)
            if made.endswith(".csv"):
                path = made
            else:
                keys_text, path = made, None
        elif os.path.exists(os.path.join(case_dir, "path")):
            with open(os.path.join(case_dir, "path")) as f:
                given = f.read().strip()
            path = os.path.join(folder, "catalogue.csv") if given == "folder" else given
            if given == "folder":
                os.mkdir(path)
        else:
            path = os.path.join(case_dir, "input.csv")
        input_size = len(keys_text.encode()) if keys_text is not None else (
            os.path.getsize(path) if os.path.isfile(path) and not path.startswith("/proc/") else 0)
        bound = base_rss + SLACK_BYTES + BYTES_PER_INPUT_BYTE * input_size

        outputs = {}
        report = []
        for command in ("keys", "check", "show", "regen"):
            if command not in statuses:
                continue
            if command == "keys":
                arguments = [tool, "keys", keys_text]
            elif command == "regen":
                arguments = [tool, "regen", path, "-o", os.path.join(folder, "out.new")]
            else:
                arguments = [tool, command, path]
            status, stdout, stderr, rss, seconds = run(arguments, folder)
            report.append("%s %.1fs %dMB" % (command, seconds, rss // (1024 * 1024)))
            assert status == statuses[command], "%s: exit status %d, expected %d\n%s%s" % (
                command, status, statuses[command], stdout[-2000:], stderr[-2000:])
            assert rss <= bound, "%s: peak memory %d MB above the bound of %d MB for %d input bytes" % (
                command, rss >> 20, bound >> 20, input_size)
            given_lines = (stdout + stderr).splitlines()
            for text in expected_lines.get(command, []):
                wanted = text.replace("{file}", path or "")
                assert wanted in given_lines, "%s: no line\n  %s\nin\n  %s" % (
                    command, wanted, "\n  ".join(line[:200] for line in given_lines[:20]))
            outputs[command] = (status, stdout)
        if "show" in outputs and outputs["show"][0] == 0:
            check_show(outputs["show"][1], outputs.get("check", (0, ""))[1])
        if "regen" in outputs and os.path.exists(os.path.join(folder, "out.new")):
            head = b""
            if input_size:
                with open(path, "rb") as f:
                    head = f.read(4)
            check_regenerated(os.path.join(folder, "out.new"), head)
        return ", ".join(report)


def main():
    tool = sys.argv[1]
    names = sys.argv[2:] or sorted(d for d in os.listdir(HERE) if os.path.isdir(os.path.join(HERE, d)))
    with tempfile.TemporaryDirectory() as folder:
        empty = os.path.join(folder, "empty.csv")
        open(empty, "wb").close()
        base_rss = max(run([tool, command, empty], folder)[3] for command in ("check", "show", "regen"))
    print("baseline peak memory %d MB" % (base_rss >> 20))
    failures = 0
    for name in names:
        try:
            print("%-34s ok   %s" % (name, run_case(tool, name, base_rss)), flush=True)
        except (AssertionError, ValueError, UnicodeDecodeError, KeyError, json.JSONDecodeError) as error:
            failures += 1
            print("%-34s FAIL %s" % (name, error), flush=True)
    print("%d of %d cases failed" % (failures, len(names)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
