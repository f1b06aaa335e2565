#!/usr/bin/env bash
# mivo-check as tools and `make test` use it: every level we ship and the blank template are
# ready (exit status 0); a level with a fault fails (1) and names it in its JSON; a call without
# levels is refused (2).
set -uo pipefail
bin=$1
src=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$src" || exit 1
"$bin" levels/*/ templates/blank || { echo "a shipped level is not ready"; exit 1; }

mkdir -p "$work/nostart"
cp templates/blank/0.lvl templates/blank/config.ini "$work/nostart/"
grep -v 'A' templates/blank/1.lvl >"$work/nostart/1.lvl"
"$bin" --json templates/blank "$work/nostart" >"$work/out.json"
status=$?
[ "$status" = 1 ] || { echo "a level without start gave status $status"; exit 1; }
python3 - "$work/out.json" <<'PY' || exit 1
import json, sys
levels = json.load(open(sys.argv[1]))
assert [l["ready"] for l in levels] == [True, False], levels
kinds = [f["kind"] for f in levels[1]["findings"]]
assert kinds == ["no_start"], kinds
PY
"$bin" >/dev/null
status=$?
[ "$status" = 2 ] || { echo "no level given: status $status"; exit 1; }
echo "mivo-check answers as tools expect"
