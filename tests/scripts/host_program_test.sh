#!/bin/sh
# The host program's commands and exit codes: unknown commands and unreadable
# scripts are named, render draws the module's entities (it loads the
# module), repl evaluates standard input.
# Usage: host_program_test.sh HOST
set -u
host=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 2
fail() { echo "FAILED: $*"; exit 1; }

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

printf '(+ 1 2)\n(car nil)\n' | "$host" repl > out.txt 2>&1; status=$?
[ "$status" -eq 0 ] || fail "repl exits $status"
grep -q "3" out.txt || fail "repl answer: $(cat out.txt)"

printf '(car 1)\n' > bad.lsp
"$host" run bad.lsp > out.txt 2>&1; status=$?
[ "$status" -eq 1 ] || fail "an AutoLISP error exits $status"
echo "1 passed, 0 failed"
