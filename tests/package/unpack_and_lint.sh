#!/usr/bin/env bash
# The pilot's zip: scripts/package builds it, it unpacks into a simulator's folder layout, its
# panel lints clean there and draws exactly as the panel of the source tree.
#   unpack_and_lint.sh GAUGEHOST BUILD_DIR
set -euo pipefail
gaugehost="$1"
build="$2"
source_dir="$(cd "$(dirname "$0")/../.." && pwd)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

zip_file=$("$source_dir/scripts/package" --build "$build" --windows-build "$source_dir/build-windows" \
  --out "$work/dist" 2> "$work/package.err" | tail -1)
case "$(basename "$zip_file")" in
  CRV5_Corvane-[0-9]*.zip) ;;
  *) echo "not a versioned zip: $zip_file"; cat "$work/package.err"; exit 1 ;;
esac
mkdir "$work/sim"
unzip -q "$zip_file" -d "$work/sim"
panel="$work/sim/Aircraft/Corvane/panel/panel.cfg"
ls "$work/sim/"*-INSTALL.txt > /dev/null
if [ -f "$source_dir/build-windows/CRV5_Instr.gau" ]; then
  cmp "$source_dir/build-windows/CRV5_Instr.gau" "$work/sim/Gauges/CRV5_Instr.gau"
else
  grep -q "NO WINDOWS MODULE" "$work/package.err"
fi

"$gaugehost" lint "$panel"
"$gaugehost" render --panel "$panel" --out "$work/packaged.png" > /dev/null
"$gaugehost" render --panel "$source_dir/panels/corvane/panel.cfg" --out "$work/source.png" > /dev/null
cmp "$work/packaged.png" "$work/source.png"
echo "packaged panel lints clean and draws as the source panel"
