#!/bin/sh
# Runs one AutoLISP script through the host program in a fresh folder and
# compares standard output (and the exit status) with the expected files.
# Usage: run_script_test.sh HOST SCRIPT.lsp
# SCRIPT.expected holds the expected output; an optional first line
# "; status: N" in the script sets the expected exit status (default 0); a
# line "; with project" makes the folder a project (new-project) first.
set -u
host=$1
script=$2
expected="${script%.lsp}.expected"
want_status=$(sed -n '1s/^; status: \([0-9]*\).*/\1/p' "$script")
[ -n "$want_status" ] || want_status=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$script" "$work/script.lsp"
# Fixtures beside the script (same base name, any extension) travel with it.
base="${script%.lsp}"
for f in "$base".*; do
  case "$f" in *.lsp|*.expected) ;; *) [ -e "$f" ] && cp "$f" "$work/" ;; esac
done
cd "$work" || exit 2
if grep -q '^; with project' script.lsp; then
  "$host" new-project . > /dev/null || { echo "new-project failed"; exit 1; }
fi
"$host" run script.lsp > raw.out 2> stderr.out
status=$?
# The folder's own path is shown as WORK so expected output is stable.
sed "s#$work#WORK#g" raw.out > actual.out
if [ "$status" -ne "$want_status" ]; then
  echo "exit status $status, expected $want_status"; cat stderr.out; cat raw.out; exit 1
fi
if ! diff -u "$expected" actual.out; then
  cp actual.out "${script%.lsp}.out" 2>/dev/null
  exit 1
fi
exit 0
