#!/usr/bin/env python3
"""Builds the bundled steel catalogue data/JISTEELW.CSV from the source tables in data/sources.

The source tables hold the dimensions of the standard sections; this script computes each member's
designation and unit weight from them, writes a catalogue with every coefficient 0, and lets
`zelk-tool regen` fill in the paint-area coefficients and the file's final layout. The committed
catalogue is therefore exactly what the generator makes of itself. A group whose shape code is
none of the generator's rules (1 to 5) keeps its coefficients as written: for those the script
writes them itself, the painted outline over the weight to two decimals, or 0 for a section that
is not painted.

  make_catalogue.py --zelk-tool build/bin/zelk-tool             rebuild data/JISTEELW.CSV
  make_catalogue.py --zelk-tool build/bin/zelk-tool --check     rebuild into a temporary folder and
                                                                compare with the committed file
  make_catalogue.py --counts                                    list the groups and member counts
"""

import argparse
import pathlib
import subprocess
import sys
import tempfile

import steel_sections

REPO = pathlib.Path(__file__).resolve().parent.parent
ENCODING = "cp932"
MEMBER_CAPACITY = 200  # the loader keeps no more members in a group
DESIGNATION_WIDTH = 21  # the generator cuts designations to this many characters
SETTINGS = ("@group", "@kind", "@shape", "@section")
GENERATOR_SHAPES = {"1", "2", "3", "4", "5"}  # the shape codes whose coefficients regen computes


class SourceError(Exception):
    pass


class Group:
    def __init__(self, path):
        self.path = path
        self.group = None
        self.kind = None
        self.shape = None
        self.section = None
        self.members = []  # (designation, remark, weight and coefficient as Decimal)


def parse_source(path):
    """One group from a source table: "@key<TAB>value" settings, then a header row naming the
    columns, then one row per member. Lines starting with "#" are notes."""
    group = Group(path)
    columns = None
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), start=1):
        where = f"{path.name}:{number}"
        if not line.strip() or line.startswith("#"):
            continue
        fields = line.split("\t")
        if line.startswith("@"):
            if columns is not None or len(fields) != 2 or fields[0] not in SETTINGS:
                raise SourceError(f"{where}: settings are {SETTINGS}, before the columns, as @key<TAB>value")
            setattr(group, fields[0][1:], fields[1])
            continue
        if columns is None:
            if group.section not in steel_sections.SECTIONS:
                raise SourceError(f"{where}: unknown or missing @section {group.section!r}")
            needed = steel_sections.SECTIONS[group.section][0]
            if set(needed) - set(fields) or set(fields) - set(needed) - {"remark"}:
                raise SourceError(f"{where}: section {group.section} needs the columns {needed} (and remark)")
            columns = fields
            continue
        if len(fields) > len(columns):
            raise SourceError(f"{where}: more fields than columns")
        texts = dict(zip(columns, fields))
        try:
            weight = steel_sections.unit_weight(group.section, texts)
            coefficient = 0
            if group.shape not in GENERATOR_SHAPES:
                coefficient = steel_sections.coefficient(group.section, texts, weight)
        except (KeyError, ArithmeticError) as error:
            raise SourceError(f"{where}: missing or malformed dimension, or no outline for shape "
                              f"{group.shape} ({error!r})") from None
        name = steel_sections.designation(group.section, texts)
        group.members.append((name, texts.get("remark", ""), weight, coefficient))
    check_group(group)
    return group


def check_group(group):
    where = group.path.name
    if not group.group or group.kind is None or group.shape is None:
        raise SourceError(f"{where}: @group, @kind and @shape are required")
    if not group.members:
        raise SourceError(f"{where}: no members")
    if len(group.members) > MEMBER_CAPACITY:
        raise SourceError(f"{where}: {len(group.members)} members, more than the {MEMBER_CAPACITY} a group holds")
    names = [name for name, _, _, _ in group.members]
    for name in names:
        if names.count(name) > 1:
            raise SourceError(f"{where}: {name} appears twice")
        if len(name) > DESIGNATION_WIDTH:
            raise SourceError(f"{where}: {name} is longer than {DESIGNATION_WIDTH} characters")
    for text in [group.group] + names + [remark for _, remark, _, _ in group.members]:
        if '"' in text or "," in text:
            raise SourceError(f"{where}: {text!r} holds a quote or a comma")
        text.encode(ENCODING)  # raises on a character that code page 932 lacks


def read_sources(folder):
    header = [line for line in (folder / "header.txt").read_text(encoding="utf-8").splitlines()
              if line and not line.startswith("#")]
    groups = [parse_source(path) for path in sorted(folder.glob("*.tsv"))]
    return header, groups


def generator_input(header, groups):
    """The catalogue in the file format, ready for the generator: every coefficient that the
    generator computes is 0."""
    lines = list(header)
    for group in groups:
        lines.append(f'"{group.group}",{group.kind},{group.shape}')
        lines.extend(f'"{name}","{remark}",{weight},{coefficient}'
                     for name, remark, weight, coefficient in group.members)
        lines.append("/*")
    return "".join(line + "\r\n" for line in lines).encode(ENCODING)


def regenerate(zelk_tool, source, output):
    result = subprocess.run([str(zelk_tool), "regen", str(source), "-o", str(output)],
                            capture_output=True, text=True)
    if result.returncode != 0 or result.stderr:
        raise SourceError(f"zelk-tool regen {source} failed ({result.returncode}): {result.stderr.strip()}")
    return result.stdout.strip()


def build(folder, zelk_tool, output, work):
    header, groups = read_sources(folder)
    unregenerated = work / "JISTEELW.in"
    unregenerated.write_bytes(generator_input(header, groups))
    if zelk_tool is None:
        output.write_bytes(unregenerated.read_bytes())
        return f"{output}: written without coefficients (no --zelk-tool)"
    return regenerate(zelk_tool, unregenerated, output)


def first_difference(expected, actual):
    a, b = expected.split(b"\r\n"), actual.split(b"\r\n")
    for number, (x, y) in enumerate(zip(a, b), start=1):
        if x != y:
            return f"line {number}: {x.decode(ENCODING, 'replace')!r} != {y.decode(ENCODING, 'replace')!r}"
    return f"lengths differ: {len(a)} and {len(b)} lines"


def check(folder, zelk_tool, committed, work):
    """Problems found: the committed file against a fresh build, and against the generator's
    output for the committed file itself."""
    expected = committed.read_bytes()
    problems = []
    built = work / "built.csv"
    build(folder, zelk_tool, built, work)
    if built.read_bytes() != expected:
        problems.append(f"{committed} differs from the catalogue built from {folder}: "
                        + first_difference(expected, built.read_bytes()))
    again = work / "again.csv"
    regenerate(zelk_tool, committed, again)
    if again.read_bytes() != expected:
        problems.append(f"zelk-tool regen changes {committed}: " + first_difference(expected, again.read_bytes()))
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--sources", type=pathlib.Path, default=REPO / "data" / "sources")
    parser.add_argument("--zelk-tool", type=pathlib.Path, help="the zelk-tool program that computes the coefficients")
    parser.add_argument("--output", type=pathlib.Path, default=REPO / "data" / "JISTEELW.CSV")
    parser.add_argument("--check", action="store_true", help="compare with --output instead of writing it")
    parser.add_argument("--counts", action="store_true", help="list the groups and their member counts")
    args = parser.parse_args()
    try:
        if args.counts:
            _, groups = read_sources(args.sources)
            for group in groups:
                print(f"{len(group.members):4d}  {group.group}  ({group.path.name})")
            print(f"{sum(len(g.members) for g in groups):4d}  members in {len(groups)} groups")
            return 0
        with tempfile.TemporaryDirectory() as work:
            if args.check:
                if args.zelk_tool is None:
                    parser.error("--check needs --zelk-tool")
                problems = check(args.sources, args.zelk_tool, args.output, pathlib.Path(work))
                for problem in problems:
                    print(problem, file=sys.stderr)
                return 1 if problems else 0
            print(build(args.sources, args.zelk_tool, args.output, pathlib.Path(work)))
            return 0
    except (SourceError, OSError, UnicodeError) as error:
        print(f"make_catalogue: {error}", file=sys.stderr)
        return 2


if __name__ == "__main__":
    sys.exit(main())
