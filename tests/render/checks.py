# Named checks for the render scripts: each check counts, a failed one is
# remembered by what it checked, and finish() prints them and exits 1 if any
# failed.
import sys

_failures = []
_count = 0


def check(condition, what):
    global _count
    _count += 1
    if not condition:
        _failures.append(what)
    return condition


def finish(where=None):
    for f in _failures:
        print("FAILED:", f)
    place = " (in %s)" % where if where else ""
    print("%d passed, %d failed%s" % (_count - len(_failures), len(_failures), place))
    return not _failures


def exit_status():
    return 1 if _failures else 0
