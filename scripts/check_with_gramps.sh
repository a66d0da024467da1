#!/bin/sh
# Checks the standard GEDCOM export against another genealogy program:
# the sample tree and a generated tree of 1,000 persons are exported with
# `export-gedcom --standard`, imported into Gramps (Debian package gramps;
# not run by test.sh), exported back by Gramps, and the two files compared:
# persons, families (husband, wife, children, by name) and names.
#
#   scripts/check_with_gramps.sh [BUILD_DIR]     BUILD_DIR: build/ by default
#
# Gramps keeps its databases under $HOME: the script gives it a HOME of
# its own in a temporary folder, removed at the end.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
tool="$build/src/lineara-tool"
command -v gramps >/dev/null || { echo "gramps is not installed (apt-get install gramps)" >&2; exit 2; }
[ -x "$tool" ] || { echo "no $tool: build the lineara-tool target first" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home"

"$tool" make-sample "$work/sample" >/dev/null
"$tool" generate 1000 "$work/generated.ln3" --seed 1 >/dev/null

status=0
for tree in "$work/sample/sample.ln3" "$work/generated.ln3"; do
    name=$(basename "$tree" .ln3)
    ged="$work/$name.ged"
    back="$work/$name-gramps.ged"
    "$tool" export-gedcom "$tree" "$ged" --standard >/dev/null
    HOME="$work/home" gramps -y -C "check-$name" -i "$ged" -e "$back" >"$work/$name.log" 2>&1 || {
        echo "$name: gramps failed" >&2
        cat "$work/$name.log" >&2
        status=1
        continue
    }
    report=$(tr '\r' '\n' <"$work/$name.log" | sed -n 's/.*\(GEDCOM import report: .*\)/\1/p' | head -n 1)
    echo "$name: ${report:-no import report}"
    python3 - "$ged" "$back" <<'PY' || status=1
import sys
from collections import Counter

def records(path):
    """Level-0 records as (xref, type, [(level, tag, value)])."""
    out = []
    with open(path, encoding="utf-8-sig") as f:
        for raw in f:
            line = raw.strip("\r\n").lstrip()
            if not line:
                continue
            parts = line.split(" ", 2)
            level = int(parts[0])
            if level == 0:
                if len(parts) == 3 and parts[1].startswith("@"):
                    out.append((parts[1], parts[2].strip(), []))
                else:
                    out.append((None, parts[1] if len(parts) > 1 else "", []))
            elif out:
                tag = parts[1] if len(parts) > 1 else ""
                value = parts[2] if len(parts) > 2 else ""
                lines = out[-1][2]
                if tag == "CONC" and lines:
                    lines[-1] = (lines[-1][0], lines[-1][1], lines[-1][2] + value)
                elif tag == "CONT" and lines:
                    lines[-1] = (lines[-1][0], lines[-1][1], lines[-1][2] + "\n" + value)
                else:
                    lines.append((level, tag, value))
    return out

def summary(path):
    names = {}
    families = []
    for xref, kind, lines in records(path):
        if kind == "INDI":
            first = next((v for l, t, v in lines if l == 1 and t == "NAME"), "")
            names[xref] = " ".join(first.replace("/", " / ").split())
        elif kind == "FAM":
            families.append(lines)
    fams = Counter()
    for lines in families:
        husband = next((v for l, t, v in lines if l == 1 and t == "HUSB"), None)
        wife = next((v for l, t, v in lines if l == 1 and t == "WIFE"), None)
        children = sorted(names.get(v, "?") for l, t, v in lines if l == 1 and t == "CHIL")
        fams[(names.get(husband), names.get(wife), tuple(children))] += 1
    return Counter(names.values()), fams, len(names), len(families)

ours, theirs = summary(sys.argv[1]), summary(sys.argv[2])
lost_names = ours[0] - theirs[0]
lost_families = ours[1] - theirs[1]
print(f"  persons: ours {ours[2]}, gramps {theirs[2]}")
print(f"  families: ours {ours[3]}, gramps {theirs[3]}")
print(f"  names matched: {sum((ours[0] & theirs[0]).values())} of {sum(ours[0].values())}")
print(f"  families matched (husband, wife, children by name): "
      f"{sum((ours[1] & theirs[1]).values())} of {sum(ours[1].values())}")
bad = ours[2] != theirs[2] or ours[3] != theirs[3] or lost_names or lost_families
for name, n in list(lost_names.items())[:10]:
    print(f"  lost name: {name} x{n}")
for fam, n in list(lost_families.items())[:10]:
    print(f"  lost family: {fam} x{n}")
sys.exit(1 if bad else 0)
PY
done
exit $status
