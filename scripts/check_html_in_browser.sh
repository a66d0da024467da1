#!/usr/bin/env bash
# Opens the HTML presentation of the sample tree in headless Chromium and
# checks that the start page (frameset), the name index and a person page
# render with every image loaded and every local link leading to a file.
# Screenshots of the three are kept in the output folder to look at.
#
# Not part of ./test.sh: Chromium is a large package. Usage:
#   scripts/check_html_in_browser.sh [BUILD_DIR] [OUT_DIR]
set -euo pipefail

ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${1:-$ROOT/build}"
OUT="${2:-$(mktemp -d)/presentation}"

if ! command -v chromium >/dev/null; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends chromium
fi
if [ ! -x "$BUILD/src/lineara-tool" ]; then
  "$ROOT/scripts/install-deps.sh"
  cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$BUILD" -j2 --target lineara-tool
fi

rm -rf "$OUT"
XDG_CONFIG_HOME="$(mktemp -d)" "$BUILD/src/lineara-tool" html "$ROOT/examples/sample.ln3" "$OUT"
HOME_PAGE="$(grep -o 'FRAME SRC="[0-9]*\.html"' "$OUT/index.html" | grep -o '[0-9]*\.html')"

# The checker loads each page in a frame of its own folder and reports its
# images that did not load and its links to files that do not exist.
cat > "$OUT/_check.html" <<'HTML'
<html><body><pre id="result"></pre><script>
const pages = decodeURIComponent(location.search.slice(1)).split(",");
const out = document.getElementById("result");
function exists(url) {
  const r = new XMLHttpRequest();
  try { r.open("GET", url, false); r.send(); return r.status === 0 || r.status === 200; }
  catch (e) { return false; }
}
function inspect(doc, name) {
  let images = 0, broken = 0, links = 0, dead = 0;
  for (const img of doc.images) { images++; if (!img.complete || img.naturalWidth === 0) broken++; }
  for (const a of doc.querySelectorAll("a[href]")) {
    if (!a.href.startsWith("file:")) continue;
    links++; if (!exists(a.href)) { dead++; out.textContent += "DEAD " + name + " " + a.href + "\n"; }
  }
  let frames = 0;
  for (const f of doc.querySelectorAll("frame")) {
    frames++;
    const inner = inspect(f.contentDocument, name + ">" + f.name);
    images += inner.images; broken += inner.broken; links += inner.links; dead += inner.dead;
  }
  return {images, broken, links, dead, frames};
}
function next(i) {
  if (i >= pages.length) { out.textContent += "END\n"; return; }
  const frame = document.createElement("iframe");
  frame.onload = () => setTimeout(() => {
    const r = inspect(frame.contentDocument, pages[i]);
    out.textContent += `PAGE ${pages[i]} frames=${r.frames} images=${r.images} broken=${r.broken} links=${r.links} dead=${r.dead}\n`;
    next(i + 1);
  }, 1500);
  frame.src = pages[i];
  document.body.appendChild(frame);
}
next(0);
</script></body></html>
HTML

CHROME=(chromium --headless --no-sandbox --disable-gpu --allow-file-access-from-files
        --virtual-time-budget=20000)
REPORT="$("${CHROME[@]}" --dump-dom "file://$OUT/_check.html?index.html,left.html,$HOME_PAGE" 2>/dev/null |
          sed 's/<pre id="result">/\n/')"
echo "$REPORT" | grep -E '^(PAGE|DEAD|END)' || true

status=0
echo "$REPORT" | grep -q '^END' || { echo "FAIL: the checker did not finish"; status=1; }
for page in index.html left.html "$HOME_PAGE"; do
  line="$(echo "$REPORT" | grep "^PAGE $page " || true)"
  [ -n "$line" ] || { echo "FAIL: $page was not inspected"; status=1; continue; }
  echo "$line" | grep -q ' images=0 ' && [ "$page" = "$HOME_PAGE" ] && { echo "FAIL: $page has no images"; status=1; }
  echo "$line" | grep -q ' broken=0 ' || { echo "FAIL: $page has broken images"; status=1; }
  echo "$line" | grep -q ' dead=0$' || { echo "FAIL: $page has dead links"; status=1; }
done
echo "$REPORT" | grep -q '^PAGE index.html frames=2 ' || { echo "FAIL: the start page is not a frameset of two"; status=1; }

for page in index.html left.html "$HOME_PAGE"; do
  shot="$OUT/_shot_${page%.html}.png"
  "${CHROME[@]}" --window-size=1100,800 --screenshot="$shot" "file://$OUT/$page" >/dev/null 2>&1
  size=$(stat -c %s "$shot" 2>/dev/null || echo 0)
  # A page that drew nothing compresses to a few hundred bytes.
  if [ "$size" -lt 4000 ]; then echo "FAIL: the screenshot of $page is empty ($size bytes)"; status=1; fi
  echo "screenshot $shot ($size bytes)"
done

[ $status -eq 0 ] && echo "OK: the presentation renders in Chromium"
exit $status
