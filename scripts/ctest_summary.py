#!/usr/bin/python3
"""Sums up one CTest run as a stage of scripts/test.sh.

Usage: ctest_summary.py STAGE CTEST_LOG JUNIT_XML

Prints a line "skipped TEST: REASON" for each skipped test, then the stage's closing line
"STAGE: N passed, N failed, N skipped". Failures are CTest's own count (a test that could
not run counts as failed); skips are the tests CTest lists as skipped or disabled, and the
cases a test binary run as one test skipped inside (a Windows binary under Wine runs all
its cases at once). The reason is the one the test printed: the message of GTEST_SKIP, or
a line "SKIP: REASON" of a script that exits with its SKIP_RETURN_CODE. Exits non-zero,
printing nothing, when the log holds no CTest result.
"""

import re
import sys
import xml.etree.ElementTree as ET

RESULT = re.compile(r"tests passed, (\d+) tests? failed out of (\d+)")
DID_NOT_RUN = re.compile(r"^\s*\d+ - (.+) \((Skipped|Disabled)\)\s*$")
GTEST_SKIP_AT = re.compile(r":\d+: Skipped$")


def one_line(text):
    return " ".join(text.split())[:300] or "no reason given"


def gtest_reasons(output):
    """{case: reason} for the cases a GoogleTest binary reports as skipped."""
    reasons, pending = {}, None
    for line in output.splitlines():
        if GTEST_SKIP_AT.search(line):
            pending = []
        elif line.startswith("[  SKIPPED ] ") and pending is not None:
            case = line[len("[  SKIPPED ] "):].split(" (")[0]
            reasons[case] = one_line(" ".join(pending))
            pending = None
        elif pending is not None:
            pending.append(line)
    return reasons


def reason_of(output, message):
    for line in output.splitlines():
        if line.startswith("SKIP: "):
            return one_line(line[len("SKIP: "):])
    reasons = gtest_reasons(output)
    if reasons:
        return "; ".join(sorted(set(reasons.values())))
    return one_line(message or "")


def main(argv):
    if len(argv) != 3:
        sys.exit(__doc__)
    stage, log_path, junit_path = argv
    with open(log_path, encoding="utf-8", errors="replace") as f:
        log = f.read()
    results = RESULT.findall(log)
    if not results:
        return 1
    failed, total = (int(n) for n in results[-1])
    # CTest counts a skipped test in its total but not a disabled one.
    not_run = dict(m.groups() for m in map(DID_NOT_RUN.match, log.splitlines()) if m)

    outputs, messages = {}, {}
    try:
        for case in ET.parse(junit_path).getroot().iter("testcase"):
            name = case.get("name")
            out = case.find("system-out")
            outputs[name] = (out.text or "") if out is not None else ""
            skipped = case.find("skipped")
            messages[name] = skipped.get("message", "") if skipped is not None else ""
    except (OSError, ET.ParseError):
        pass  # reasons unknown; the counts stand

    skips = []
    for name, kind in not_run.items():
        reason = "disabled" if kind == "Disabled" else reason_of(outputs.get(name, ""),
                                                                messages.get(name))
        skips.append((name, reason))
    passed = total - failed - sum(1 for kind in not_run.values() if kind == "Skipped")
    # Cases skipped inside a test that passed as a whole.
    for name, output in outputs.items():
        if name not in not_run:
            skips += [(f"{name}/{case}", reason) for case, reason in gtest_reasons(output).items()]

    for name, reason in skips:
        print(f"skipped {name}: {reason}")
    print(f"{stage}: {passed} passed, {failed} failed, {len(skips)} skipped")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
