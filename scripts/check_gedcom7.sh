#!/bin/sh
# Checks the GEDCOM 7 export against a strict reader of the format: the
# MIT-licensed Python package gedcom7, whose parser refuses every line that
# does not conform. It is installed into a virtual environment of its own
# (a temporary folder, removed at the end); the sample tree and a generated
# tree of 10,000 persons are exported with `export-gedcom --gedcom7` and as
# GEDZIP archives, and the package loads each file, and the gedcom.ged
# inside each archive. Not run by test.sh (it needs the package index).
#
#   scripts/check_gedcom7.sh [BUILD_DIR]     BUILD_DIR: build/ by default
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
tool="$build/src/lineara-tool"
[ -x "$tool" ] || tool=$(find "$build" -name lineara-tool -type f -perm -u+x | head -n 1)
[ -x "$tool" ] || { echo "no lineara-tool under $build: build it first" >&2; exit 2; }
command -v python3 >/dev/null || { echo "python3 is not installed" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 -m venv "$work/venv" || { echo "python3 -m venv failed (apt-get install python3-venv)" >&2; exit 2; }
"$work/venv/bin/pip" install --quiet gedcom7 || {
    echo "the package gedcom7 could not be installed (is the package index reachable?)" >&2
    exit 2
}

"$tool" make-sample "$work/sample" >/dev/null
"$tool" generate 10000 "$work/generated.ln3" --seed 1 >/dev/null

status=0
for tree in "$work/sample/sample.ln3" "$work/generated.ln3"; do
    name=$(basename "$tree" .ln3)
    "$tool" export-gedcom "$tree" "$work/$name.ged" --gedcom7 >/dev/null
    "$tool" export-gedcom "$tree" "$work/$name.gdz" >/dev/null
    "$work/venv/bin/python" - "$work/$name.ged" "$work/$name.gdz" <<'PY' || status=1
import sys, zipfile
import gedcom7

def check(label, data):
    try:
        records = gedcom7.loads(data.decode("utf-8"))
    except Exception as exc:  # GedcomParseError names the line
        print(f"{label}: REFUSED: {exc}")
        return False
    print(f"{label}: {len(records)} records loaded")
    return True

ok = True
with open(sys.argv[1], "rb") as f:
    ok &= check(sys.argv[1], f.read())
with zipfile.ZipFile(sys.argv[2]) as z:
    names = z.namelist()
    if "gedcom.ged" not in names:
        print(f"{sys.argv[2]}: no gedcom.ged at the root")
        ok = False
    else:
        ok &= check(sys.argv[2] + "!gedcom.ged", z.read("gedcom.ged"))
    print(f"{sys.argv[2]}: {len(names) - 1} media files")
sys.exit(0 if ok else 1)
PY
done
exit $status
