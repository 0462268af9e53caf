#!/bin/sh
# Installs the build into a staging folder (DESTDIR, prefix /opt/orvane) and
# runs the installed host there: it must load the installed module, find the
# installed product layer and support files, and need nothing from the build
# folder.
# Usage: install_test.sh CMAKE BUILD_DIR
set -u
cmake=$1
build=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

DESTDIR="$work/stage" "$cmake" --install "$build" --prefix /opt/orvane > "$work/install.log" 2>&1 ||
    fail "cmake --install: $(tail -5 "$work/install.log")"
root="$work/stage/opt/orvane"
for f in bin/orvane-hvac lib/orvane-hvac/orvane-hvac lib/orvane-hvac/zk_riza2015z64.arx \
         lib/orvane-hvac/zk_zk-solid2015x64.dbx share/orvane-hvac/support/ZKARROW.dwg \
         share/orvane-hvac/product/product.lsp share/orvane-hvac/examples/demo/demo.lsp; do
    [ -e "$root/$f" ] || fail "$f is not installed"
done
[ -L "$root/bin/orvane-hvac" ] || fail "bin/orvane-hvac is not a link to the program"

# Installed files find each other, never the build folder's.
for f in lib/orvane-hvac/orvane-hvac lib/orvane-hvac/zk_riza2015z64.arx; do
    ldd "$root/$f" > "$work/ldd.txt" 2>&1 || fail "ldd $f: $(cat "$work/ldd.txt")"
    if grep -q "liborv_.* => $build" "$work/ldd.txt" || grep -q "not found" "$work/ldd.txt"; then
        fail "$f does not use the installed libraries: $(cat "$work/ldd.txt")"
    fi
    grep -q "liborv_runtime.so => $root/lib/orvane-hvac/" "$work/ldd.txt" || fail "$f: $(cat "$work/ldd.txt")"
done

mkdir "$work/job" && cd "$work/job" || exit 2
"$root/bin/orvane-hvac" new-project . job > /dev/null || fail "new-project"
cat > check.lsp <<'LSP'
(load (findfile "product.lsp"))
(princ (strcat "\nfunctions: " (itoa (length (host-functions)))))
(princ (strcat "\narrow block: " (if (findfile "ZKARROW.dwg") "found" "missing")))
(setq r (zk_hvac-room-insert 7 "ZKARROW" 1.0 "LOBBY" nil '(20 30 0)))
(princ (strcat "\nroom: " (if r "made" "none")))
(princ)
LSP
ORVANE_SUPPORT="$root/share/orvane-hvac/support:$root/share/orvane-hvac/product" \
    "$root/bin/orvane-hvac" run --drawing Plan.dwg check.lsp > out.txt 2>&1 || fail "installed host: $(cat out.txt)"
grep -q "Loading Orvane HVAC ARX" out.txt || fail "module not loaded: $(cat out.txt)"
grep -q "functions: 54" out.txt || fail "module functions: $(cat out.txt)"
grep -q "arrow block: found" out.txt || fail "support files: $(cat out.txt)"
grep -q "room: made" out.txt || fail "room: $(cat out.txt)"
echo "1 passed, 0 failed"
