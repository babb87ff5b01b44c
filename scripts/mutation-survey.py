#!/usr/bin/env python3
"""Sampled mutation survey: how many small faults in the product code does the test suite catch?

One mutant at a time is written into a source file, the build is brought up to date and ctest
runs on it; the file is then restored (also after a build failure, Ctrl-C or SIGTERM) and the
restore is checked with git. A mutant is KILLED when a test or a build step running the mutated
code fails, SURVIVED when every test passes, and NOCOMPILE when the compiler or linker refuses
it; such a mutant is replaced by the next one drawn from the same folder, so every folder gets
its share of compiled mutants. So is a mutant listed in scripts/mutation-equivalents.tsv, one
that changes nothing the program does (EQUIVALENT, with the reason there), without building it.
docs/testing.md has the command line and how to read it; docs/history.md the recorded figures.

    scripts/mutation-survey.py --build build-survey --count 60 --seed 2026
"""
import argparse
import os
import random
import re
import shlex
import signal
import subprocess
import sys
import time

DEFAULT_PATHS = ("numbers,calc,report,refdata,cli,"
                 "ui/main/frmzeb.cpp,ui/main/window_commands.cpp,ui/main/basin_form.cpp,"
                 "ui/main/station_picker.cpp,ui/common/field_edit.cpp,ui/main/result_exports.cpp,"
                 "ui/common/file_export.cpp")
# Packaging and the CUPS printer cannot fail through these mutants and cost seconds per run. A
# failing test runs up to three times, so that a timer test late under load kills no mutant.
DEFAULT_CTEST_ARGS = ("-j2 --timeout 20 --repeat until-pass:3 "
                      "-E 'debian_package|install_into_temporary_prefix|cups_pdf'")
REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
EQUIVALENTS = os.path.join(REPO, "scripts", "mutation-equivalents.tsv")


def known_equivalents():
    """(file, before, after) of the listed equivalent mutants, trimmed."""
    listed = set()
    with open(EQUIVALENTS, encoding="utf-8") as f:
        for line in f:
            if line.strip() and not line.startswith("#"):
                file, before, after, _reason = line.rstrip("\n").split("\t")
                listed.add((file, before.strip(), after.strip()))
    return listed


def code_mask(text):
    """The text with comments and the insides of string and character literals blanked, so that
    regexes see only code; lengths and line breaks are kept, so positions match the original."""
    out, i, n = list(text), 0, len(text)

    def blank(start, end):
        for k in range(start, end):
            if out[k] != "\n":
                out[k] = " "

    while i < n:
        c, pair = text[i], text[i:i + 2]
        if pair == "//":
            end = text.find("\n", i)
            end = n if end < 0 else end
            blank(i, end)
            i = end
        elif pair == "/*":
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            blank(i, end)
            i = end
        elif pair == 'R"' and (i == 0 or not (text[i - 1].isalnum() or text[i - 1] == "_")):
            open_paren = text.find("(", i)
            closing = ")" + text[i + 2:open_paren] + '"'
            end = text.find(closing, open_paren)
            end = n if end < 0 else end + len(closing)
            blank(i + 2, end - 1)
            i = end
        elif c == '"' or (c == "'" and not (i > 0 and text[i - 1].isdigit())):
            k = i + 1  # a quote after a digit is a digit separator (1'000), not a literal
            while k < n and text[k] != c and text[k] != "\n":
                k += 2 if text[k] == "\\" else 1
            blank(i + 1, k)
            i = k + 1
        else:
            i += 1
    return "".join(out)


def close_paren(line, start):
    """Index of the parenthesis closing the one at start, or None if it closes on a later line."""
    depth = 0
    for k in range(start, len(line)):
        depth += {"(": 1, ")": -1}.get(line[k], 0)
        if depth == 0:
            return k
    return None


CMP_FLIPS = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
LOGIC_FLIPS = {"&&": "||", "||": "&&"}
INT_LITERAL = re.compile(
    r"(?<![eE][+-])(?<![\w.'])(0[xX][0-9a-fA-F]+|\d+(?:'\d+)*)([uUlL]*)(?![\w.'])")
FLOAT_LITERAL = re.compile(r"(?<![\w.])(\d+\.\d*(?:[eE][+-]?\d+)?|\d+[eE][+-]?\d+)(?![\w.])")
INDEX = re.compile(r"(?<=[\w)\]])\[([a-z_]\w*)\]")
PURE_VIRTUAL = re.compile(r"\)[\w ]*= 0;")
CONDITION = re.compile(r"\b(if|while) \(")
CALL_STATEMENT = re.compile(r"^\s*([A-Za-z_][\w:]*(?:(?:\.|->)[A-Za-z_]\w*)*)\s*\(.*\);\s*$")
NOT_CALLS = {"return", "if", "while", "for", "switch", "throw", "delete", "sizeof", "case",
             "static_assert", "co_return", "Q_UNUSED"}


def mutants_of_line(masked, line, previous, following):
    """(operator, column start, column end, replacement) for each mutant of one code line."""
    found = []
    for m in re.finditer(r"(?<= )(<=|>=|==|!=|<|>)(?= )", masked):
        found.append(("comparison", m.start(), m.end(), CMP_FLIPS[m.group(1)]))
    for m in re.finditer(r"(?<= )(&&|\|\|)(?= )", masked):
        found.append(("logic", m.start(), m.end(), LOGIC_FLIPS[m.group(1)]))
    for m in INT_LITERAL.finditer("" if PURE_VIRTUAL.search(masked) else masked):
        digits = m.group(1).replace("'", "")
        if digits.lower().startswith("0x"):
            text = digits[:2] + format(int(digits, 16) + 1, "X" if digits[2:].isupper() else "x")
        elif digits.startswith("0") and len(digits) > 1:
            text = "0" + format(int(digits, 8) + 1, "o")  # octal, as in file modes
        else:
            text = str(int(digits) + 1)
        found.append(("off-by-one", m.start(1), m.end(1), text))
    for m in FLOAT_LITERAL.finditer(masked):
        changed = "%.12g" % (float(m.group(1)) * 1.1)
        changed += "" if re.search(r"[.eE]", changed) else ".0"
        found.append(("constant", m.start(1), m.end(1), changed))
    for m in INDEX.finditer(masked):
        found.append(("index", m.start(1), m.end(1), m.group(1) + " + 1"))
    for m in CONDITION.finditer(masked):
        start = m.end() - 1
        end = close_paren(masked, start)
        if end is None or re.search(r"[^=!<>]=[^=]", masked[start:end]):
            continue  # open on this line, or it declares a variable the body uses
        condition = line[start + 1:end]
        found.append(("negated", start + 1, end, "!(" + condition + ")"))
        rest = masked[end + 1:].strip()
        body = following if rest in ("", "{") else rest
        if m.group(1) == "if" and re.match(r"(return|throw|continue)\b", body):
            found.append(("removed-check", start + 1, end, "false"))
    call = CALL_STATEMENT.match(masked)
    if (call and call.group(1) not in NOT_CALLS and previous.rstrip().endswith((";", "{", "}"))
            and close_paren(masked, masked.index("(")) == len(masked.rstrip()) - 2):
        indent = len(line) - len(line.lstrip())
        found.append(("removed-call", indent, len(line.rstrip()), ";"))
    return found


def candidates(path):
    """Every mutant of one source file, in line order."""
    with open(os.path.join(REPO, path), encoding="utf-8", newline="") as f:
        text = f.read()
    lines, masked = text.split("\n"), code_mask(text).split("\n")
    code = [(k, m) for k, m in enumerate(masked) if m.strip() and not m.lstrip().startswith("#")]
    result = []
    for pos, (k, m) in enumerate(code):
        previous = code[pos - 1][1] if pos > 0 else ";"
        following = code[pos + 1][1].strip() if pos + 1 < len(code) else ""
        for op, start, end, new in mutants_of_line(m, lines[k], previous, following):
            result.append({"file": path, "line": k + 1, "op": op, "before": lines[k],
                           "after": lines[k][:start] + new + lines[k][end:]})
    return result


def source_files(entry):
    full = os.path.join(REPO, entry)
    if os.path.isfile(full):
        return [entry]
    return sorted(os.path.relpath(os.path.join(root, name), REPO)
                  for root, _, names in os.walk(full) for name in names
                  if name.endswith((".cpp", ".h")))


def draw(paths, seed):
    """Per folder, its candidates in a shuffled order fixed by the seed."""
    rng, folders = random.Random(seed), {}
    for entry in paths:
        folder = entry.split("/")[0]
        folders.setdefault(folder, []).extend(c for f in source_files(entry) for c in candidates(f))
    for folder in folders:
        rng.shuffle(folders[folder])
    return folders


def run(command, log, timeout=None):
    with open(log, "w") as out:
        try:
            return subprocess.run(command, stdout=out, stderr=subprocess.STDOUT, timeout=timeout,
                                  cwd=REPO).returncode
        except subprocess.TimeoutExpired:
            return 124


def run_tests(args, log):
    """(passed, first failing test)."""
    command = ["ctest", "--test-dir", args.build, "--stop-on-failure"]
    code = run(command + shlex.split(args.ctest_args), log, timeout=args.suite_timeout)
    if code == 0:
        return True, ""
    with open(log, errors="replace") as f:
        summary = f.read().partition("The following tests FAILED:")[2]
    # A parameterised test's name may end in raw bytes; the verdict follows the name.
    failed = re.search(r"^\s*\d+ - (\S+)(?:.*\(([\w ]+)\))?", summary, re.MULTILINE)
    if not failed:
        return False, f"ctest exit {code}"
    return False, f"{failed.group(1)} {failed.group(2) or ''}".strip()


def build(args, log):
    """None when the build succeeds; otherwise why it failed. A compiler or linker error means
    the mutant did not compile; any other failure is a build step that ran the mutated code (the
    shipped database is built by the program's own tool) and caught it."""
    if run(["cmake", "--build", args.build, "-j2"], log, timeout=600) == 0:
        return None
    with open(log, errors="replace") as f:
        text = f.read()
    if re.search(r"\berror:", text):
        return "NOCOMPILE"
    failed = re.search(r"^FAILED: (\S+)", text, re.MULTILINE)
    return "build step " + (failed.group(1) if failed else "timed out")


def try_mutant(mutant, args, logs):
    """The verdict and first failing test; the build and ctest output are kept in logs-*.log."""
    path = os.path.join(REPO, mutant["file"])
    with open(path, "rb") as f:
        original = f.read()
    lines = original.decode("utf-8").split("\n")
    assert lines[mutant["line"] - 1] == mutant["before"]
    lines[mutant["line"] - 1] = mutant["after"]
    try:
        with open(path, "wb") as f:
            f.write("\n".join(lines).encode("utf-8"))
        failure = build(args, logs + "-build.log")
        if failure:
            return ("NOCOMPILE", "") if failure == "NOCOMPILE" else ("KILLED", failure)
        passed, failing = run_tests(args, logs + "-ctest.log")
        return ("SURVIVED", "") if passed else ("KILLED", failing)
    finally:
        with open(path, "wb") as f:
            f.write(original)
        if subprocess.run(["git", "-C", REPO, "diff", "--quiet", "--", mutant["file"]]).returncode:
            sys.exit(f"mutation-survey: {mutant['file']} differs from git after the restore")


def describe(m):
    return f"{m['file']}:{m['line']} {m['op']}: {m['before'].strip()} → {m['after'].strip()}"


def assess(args, folders, quota, tally, logs, report):
    """Runs the folders' mutants in turn until each has its quota of compiled ones."""
    queues = {f: iter(folders[f]) for f in folders}
    equivalents = known_equivalents()

    def assessed(f):
        return tally[f]["KILLED"] + tally[f]["SURVIVED"]

    while any(assessed(f) < quota[f] for f in folders):
        for f in folders:
            if assessed(f) >= quota[f]:
                continue
            mutant = next(queues[f], None)
            if mutant is None:
                quota[f] = assessed(f)  # folder exhausted
                continue
            t0 = time.monotonic()
            number = sum(sum(t.values()) for t in tally.values()) + 1
            key = (mutant["file"], mutant["before"].strip(), mutant["after"].strip())
            if key in equivalents:
                verdict, failing = "EQUIVALENT", "(listed)"
            else:
                verdict, failing = try_mutant(mutant, args, os.path.join(logs, f"{number:03}"))
            tally[f][verdict] += 1
            report(f"{describe(mutant)}  {verdict} {failing} ({time.monotonic() - t0:.0f} s)")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--build", default="build", help="configured build directory")
    parser.add_argument("--paths", default=DEFAULT_PATHS, help="comma-separated folders or files")
    parser.add_argument("--count", type=int, default=60, help="compiled mutants to assess")
    parser.add_argument("--seed", type=int, default=2026)
    parser.add_argument("--ctest-args", default=DEFAULT_CTEST_ARGS,
                        help=f"ctest arguments (default: {DEFAULT_CTEST_ARGS})")
    parser.add_argument("--suite-timeout", type=int, default=900, help="seconds for one ctest run")
    parser.add_argument("--output", help="results file (default BUILD/mutation-survey-SEED.txt)")
    parser.add_argument("--list", action="store_true", help="print the sample, run nothing")
    args = parser.parse_args()
    args.build = os.path.abspath(args.build)
    paths = args.paths.split(",")
    folders = draw(paths, args.seed)
    names = list(folders)
    share, extra = divmod(args.count, len(names))
    quota = {f: share + (k < extra) for k, f in enumerate(names)}

    if args.list:
        for k in range(max(quota.values())):
            for f in names:
                if k < min(quota[f], len(folders[f])):
                    print(describe(folders[f][k]))
        print(f"({args.count} mutants, seed {args.seed}; one that does not compile, or is listed as "
              "equivalent, is replaced "
              "by the next of its folder's order)")
        return 0

    if subprocess.run(["git", "-C", REPO, "diff", "--quiet", "HEAD", "--"] + paths).returncode:
        sys.exit("mutation-survey: the sources to mutate have uncommitted changes")
    # As the test presets run the suite: offscreen, and away from the user's own data.
    os.environ["QT_QPA_PLATFORM"] = "offscreen"
    os.environ["XDG_DATA_HOME"] = os.path.abspath(os.path.join(args.build, "tests-data-home"))
    os.environ["XDG_CONFIG_HOME"] = os.path.abspath(os.path.join(args.build, "tests-config-home"))
    signal.signal(signal.SIGTERM, signal.default_int_handler)  # restore the file as on Ctrl-C
    output = args.output or os.path.join(args.build, f"mutation-survey-{args.seed}.txt")
    out = open(output, "w", encoding="utf-8")

    def report(text):
        print(text, flush=True)
        out.write(text + "\n")
        out.flush()

    logs = os.path.splitext(output)[0] + "-logs"
    os.makedirs(logs, exist_ok=True)
    baseline = os.path.join(logs, "unmutated")
    if build(args, baseline + "-build.log") or not run_tests(args, baseline + "-ctest.log")[0]:
        sys.exit("mutation-survey: the unmutated tree must build and pass its tests first")
    tally = {f: {"KILLED": 0, "SURVIVED": 0, "NOCOMPILE": 0, "EQUIVALENT": 0} for f in names}
    started = time.monotonic()
    try:
        assess(args, folders, quota, tally, logs, report)
    except KeyboardInterrupt:
        sys.exit("mutation-survey: stopped; the sources are restored, but the build folder holds "
                 f"the last mutant's objects until {args.build} is built again")
    build(args, baseline + "-build.log")  # leave the build matching the restored sources

    killed = sum(t["KILLED"] for t in tally.values())
    survived = sum(t["SURVIVED"] for t in tally.values())
    total = killed + survived
    equivalent = sum(t["EQUIVALENT"] for t in tally.values())
    report(f"survey: {total} mutants, {killed} killed, {survived} survived, "
           f"rate {100 * killed / max(total, 1):.0f}% (seed {args.seed}; {equivalent} listed "
           "equivalent mutants drawn and replaced)")
    for f in names:
        t = tally[f]
        n, k = t["KILLED"] + t["SURVIVED"], t["KILLED"]
        report(f"  {f}: {n} mutants, {k} killed, rate {100 * k / max(n, 1):.0f}% "
               f"({t['NOCOMPILE']} did not compile, {t['EQUIVALENT']} equivalent)")
    report(f"  wall time {(time.monotonic() - started) / 60:.1f} min; results in {output}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
