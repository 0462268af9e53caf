#!/bin/sh
# The host program's commands and exit codes: unknown commands and unreadable
# scripts are named, render draws the module's entities (it loads the
# module), repl evaluates standard input, and each exit code (0 to 4).
# Usage: host_program_test.sh HOST
set -u
host=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 2
fail() { echo "FAILED: $*"; exit 1; }
printf '(car 1)\n' > bad.lsp

"$host" frobnicate > out.txt 2>&1; status=$?
[ "$status" -eq 2 ] || fail "unknown command exits $status"
grep -q "unknown command 'frobnicate'" out.txt || fail "unknown command message: $(cat out.txt)"

"$host" run missing.lsp > out.txt 2>&1; status=$?
[ "$status" -eq 4 ] || fail "missing script exits $status"
grep -q "cannot read script missing.lsp" out.txt || fail "missing script message: $(cat out.txt)"
mkdir folder.lsp
"$host" run folder.lsp > out.txt 2>&1; status=$?
[ "$status" -eq 4 ] || fail "unreadable script exits $status"

"$host" render missing.dwg -o out.svg > out.txt 2>&1; status=$?
[ "$status" -eq 4 ] || fail "render of a missing drawing exits $status"

"$host" new-project . > /dev/null || fail "new-project"
cat > make.lsp <<'LSP'
(setq r (zk_hvac-room-insert 7 "NOARROW" 1.0 "LOBBY" nil '(20 30 0)))
(zk_hvac-room-setPoints r '((0 0) T (10 0) nil (10 10) nil))
(host-save "Plan.dwg")
LSP
"$host" run --drawing Plan.dwg make.lsp > /dev/null || fail "making the drawing"
"$host" render Plan.dwg -o plan.svg > out.txt 2>&1 || fail "render: $(cat out.txt)"
grep -q "LOBBY" plan.svg || fail "render left the room out"

"$host" render Plan.dwg -o plan.svg --view sideways > out.txt 2>&1; status=$?
[ "$status" -eq 2 ] || fail "render with an unknown view exits $status"
grep -q "unknown view sideways" out.txt || fail "unknown view message: $(cat out.txt)"
"$host" render Plan.dwg -o no/such/folder/plan.svg > out.txt 2>&1; status=$?
[ "$status" -eq 4 ] || fail "render to an unwritable file exits $status"
grep -q "cannot render" out.txt || fail "unwritable render message: $(cat out.txt)"

# repl: each form's value, an error does not end the session.
printf '(+ 1 2)\n(car 5)\n(strcat "a" "b")\n' | "$host" repl --drawing Plan.dwg > out.txt 2>&1; status=$?
[ "$status" -eq 0 ] || fail "repl exits $status"
grep -q "Command: 3" out.txt || fail "repl answer: $(cat out.txt)"
grep -q "; error: bad argument type: consp: 5" out.txt || fail "repl error: $(cat out.txt)"
grep -q 'Command: "ab"' out.txt || fail "repl after an error: $(cat out.txt)"
grep -q "Loading Orvane HVAC" out.txt || fail "repl without the module: $(cat out.txt)"

# A program without its module beside it cannot start a session.
mkdir alone && cp "$host" alone/
ORVANE_SUPPORT= ./alone/"$(basename "$host")" run bad.lsp > out.txt 2>&1; status=$?
[ "$status" -eq 3 ] || fail "a missing module exits $status"
grep -q "cannot load zk_riza2015z64.arx" out.txt || fail "missing module message: $(cat out.txt)"

"$host" run bad.lsp > out.txt 2>&1; status=$?
[ "$status" -eq 1 ] || fail "an AutoLISP error exits $status"
echo "1 passed, 0 failed"
