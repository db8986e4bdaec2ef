"""Prints line coverage per library from a gcovr JSON summary."""
import json
import sys

# Longest prefix first, so support/ libraries are not counted twice.
LIBRARIES = [
    "support/wincompat", "support/hollin", "support/orrin", "support/pellmark",
    "fennick", "goldmere", "brackwater/masks", "brackwater/config",
    "mirelight/scanner", "mirelight/settings", "mirelight/devices",
    "simulators", "tools", "bridges",
]


def library_of(path):
    for library in LIBRARIES:
        if path.startswith(library + "/"):
            return library
    return None


def main(summary_path):
    with open(summary_path) as f:
        summary = json.load(f)
    totals = {}
    for entry in summary["files"]:
        library = library_of(entry["filename"])
        if library is None:
            continue
        covered, total = totals.get(library, (0, 0))
        totals[library] = (covered + entry["line_covered"], total + entry["line_total"])
    print(f"{'library':<22}{'lines':>8}{'covered':>9}{'%':>8}")
    for library in LIBRARIES:
        if library not in totals:
            continue
        covered, total = totals[library]
        percent = 100.0 * covered / total if total else 0.0
        print(f"{library:<22}{total:>8}{covered:>9}{percent:>7.1f}%")
    all_covered = sum(c for c, _ in totals.values())
    all_total = sum(t for _, t in totals.values())
    print(f"{'all':<22}{all_total:>8}{all_covered:>9}{100.0 * all_covered / max(all_total, 1):>7.1f}%")


if __name__ == "__main__":
    main(sys.argv[1])
