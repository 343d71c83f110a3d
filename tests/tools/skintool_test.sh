#!/usr/bin/env bash
# Drives skintool the way a skin author does and checks what it prints and writes.
# Usage: skintool_test.sh SKINTOOL SAMPLE_SKIN_DIR WORKDIR STORED_SKINS_DIR
# (STORED_SKINS_DIR holds the packages the build embeds, <Name>.qkz.)
set -uo pipefail
TOOL=$1 SAMPLE=$2 WORK=$3 STORED=$4
rm -rf "$WORK" && mkdir -p "$WORK"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
expect_line() { grep -qxF -- "$2" <<<"$1" || fail "expected the line '$2' in: $1"; }

# pack: Options.dat first, then the rest in name order, one line per member.
mkdir "$WORK/src"
printf '[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\n[PANEL]\nBORDERSMASK=^0000^0000^0024^0024^0000^0000^0000^0000^1^0^0^2\n' > "$WORK/src/options.DAT"
cp "$SAMPLE/MASTER.BMP" "$WORK/src/MASTER.BMP"
printf 'abc' > "$WORK/src/A.txt"
out=$("$TOOL" pack "$WORK/src" "$WORK/p.qkz") || fail "pack exited $?"
[ "$(head -1 <<<"$out" | cut -f1)" = "options.DAT" ] || fail "pack did not put the options first: $out"
[ "$(sed -n 2p <<<"$out" | cut -f1)" = "A.txt" ] || fail "pack order: $out"

# list: name and unpacked size, in package order.
out=$("$TOOL" list "$WORK/p.qkz") || fail "list exited $?"
expect_line "$out" "A.txt	3"
[ "$(wc -l <<<"$out")" -eq 3 ] || fail "list printed: $out"

# unpack writes every member back byte for byte.
"$TOOL" unpack "$WORK/p.qkz" "$WORK/out" || fail "unpack exited $?"
cmp -s "$WORK/src/MASTER.BMP" "$WORK/out/MASTER.BMP" || fail "unpacked MASTER.BMP differs"
cmp -s "$WORK/src/A.txt" "$WORK/out/A.txt" || fail "unpacked A.txt differs"
cmp -s "$WORK/src/options.DAT" "$WORK/out/Options.dat" || fail "unpacked options differ"

# dump of a package and of a folder give the same records.
"$TOOL" dump "$WORK/p.qkz" > "$WORK/p.json" || fail "dump of a package exited $?"
"$TOOL" dump "$WORK/src" > "$WORK/d.json" || fail "dump of a folder exited $?"
grep -q '"masterBitmap": {' "$WORK/p.json" || fail "dump has no master bitmap"
grep -q '"Width": 120' "$WORK/p.json" || fail "master bitmap width missing"
grep -q '"PropertyName": "BORDERSMASK"' "$WORK/p.json" || fail "dump lacks the image"
grep -q '"SkinFolder": ""' "$WORK/p.json" || fail "a package has no skin folder"
grep -q '"SkinFolder": "C:\\\\' "$WORK/d.json" || fail "a folder skin names its folder: $(grep SkinFolder "$WORK/d.json")"
diff <(grep -v SkinFolder "$WORK/p.json") <(grep -v SkinFolder "$WORK/d.json") >/dev/null || fail "package and folder dumps differ"

# gradient writes a PNG of the asked size.
"$TOOL" gradient "255;16711680;100;0;0" 7x5 "$WORK/g.png" || fail "gradient exited $?"
[ "$(head -c 8 "$WORK/g.png" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] || fail "not a PNG"
[ "$(od -An -tu1 -j16 -N8 "$WORK/g.png" | tr -s ' ')" = " 0 0 0 7 0 0 0 5" ] || fail "PNG size is not 7x5"

# render and sheet write PNGs of a real skin; the sizes are the asked ones.
png_size() { od -An -tu1 -j16 -N8 "$1" | tr -s ' '; }
"$TOOL" render "$SAMPLE" BUTTON 30x20 "$WORK/r.png" --state 1 || fail "render exited $?"
[ "$(png_size "$WORK/r.png")" = " 0 0 0 30 0 0 0 20" ] || fail "render PNG is not 30x20"
"$TOOL" gradient "255;255;100;0;0" 64x64 "$WORK/parent.png" || fail "gradient exited $?"
"$TOOL" render "$WORK/p.qkz" PANEL 24x24 "$WORK/r2.png" --parent-image "$WORK/parent.png" \
    --at 4,5 --hue 30 --saturation -20 || fail "render over a picture exited $?"
"$TOOL" render "$SAMPLE" panel 8x8 "$WORK/r3.png" --parent-color 255 || fail "render with a colour exited $?"
"$TOOL" sheet "$SAMPLE" "$WORK/sheet.png" || fail "sheet exited $?"
[ "$(head -c 8 "$WORK/sheet.png" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] || fail "sheet is not a PNG"
# A bad size, state or number is a usage error (exit 2); an unknown section exit 1, one line.
check_usage() {
    "$@" >/dev/null 2>"$WORK/usage.txt"; local rc=$?
    [ $rc -eq 2 ] || fail "'$*' exited $rc, not 2"
    grep -q "skintool render SKIN SECTION" "$WORK/usage.txt" || fail "'$*' did not show the usage"
}
check_usage "$TOOL" render "$SAMPLE" BUTTON 30y20 "$WORK/x.png"
check_usage "$TOOL" render "$SAMPLE" BUTTON 0x20 "$WORK/x.png"
check_usage "$TOOL" render "$SAMPLE" BUTTON 30x20 "$WORK/x.png" --state -1
check_usage "$TOOL" render "$SAMPLE" BUTTON 30x20 "$WORK/x.png" --state two
check_usage "$TOOL" render "$SAMPLE" BUTTON 30x20 "$WORK/x.png" --hue
check_usage "$TOOL" render "$SAMPLE" BUTTON 30x20 "$WORK/x.png" --parent-color 1 --parent-image "$WORK/parent.png"
check_usage "$TOOL" render "$SAMPLE" BUTTON 30x20 "$WORK/x.png" --at 1,2
check_usage "$TOOL" render "$SAMPLE" BUTTON 30x20 "$WORK/x.png" --at 1
check_usage "$TOOL" render "$SAMPLE" BUTTON 30x20
err=$("$TOOL" render "$SAMPLE" NOSUCH 30x20 "$WORK/x.png" 2>&1 >/dev/null); rc=$?
[ $rc -eq 1 ] || fail "an unknown section exited $rc"
[ "$(wc -l <<<"$err")" -eq 1 ] && grep -q 'NOSUCH' <<<"$err" || fail "unknown section said: $err"
[ ! -e "$WORK/x.png" ] || fail "a failed render wrote a file"

# A stored skin named as the program names it loads like its package file.
for name in Nordvale Pavo Frostline; do
    "$TOOL" dump "$name (internal)" > "$WORK/$name-stored.json" || fail "dump of '$name (internal)' exited $?"
    "$TOOL" dump "$STORED/$name.qkz" > "$WORK/$name-file.json" || fail "dump of $name.qkz exited $?"
    cmp -s "$WORK/$name-stored.json" "$WORK/$name-file.json" || fail "'$name (internal)' and $name.qkz dump otherwise"
done
"$TOOL" sheet "Pavo (internal)" "$WORK/pavo-sheet.png" || fail "sheet of a stored skin exited $?"
"$TOOL" sheet "$STORED/Pavo.qkz" "$WORK/pavo-file-sheet.png" || fail "sheet of Pavo.qkz exited $?"
cmp -s "$WORK/pavo-sheet.png" "$WORK/pavo-file-sheet.png" || fail "the stored and the file sheet of Pavo differ"
"$TOOL" render "Frostline (internal)" PANEL 20x10 "$WORK/stored.png" || fail "render of a stored skin exited $?"
[ "$(png_size "$WORK/stored.png")" = " 0 0 0 20 0 0 0 10" ] || fail "stored render PNG is not 20x10"
# A name that is no folder, file or stored skin (letter case counts): exit 1, one line.
for cmd in "dump" "sheet" "render"; do
    args=("$TOOL" "$cmd" "pavo (internal)")
    [ "$cmd" = sheet ] && args+=("$WORK/x.png")
    [ "$cmd" = render ] && args+=(PANEL 8x8 "$WORK/x.png")
    err=$("${args[@]}" 2>&1 >/dev/null); rc=$?
    [ $rc -eq 1 ] || fail "$cmd of an unknown stored skin exited $rc"
    [ "$(wc -l <<<"$err")" -eq 1 ] && grep -q 'pavo (internal).*stored skin' <<<"$err" || fail "$cmd of an unknown stored skin said: $err"
done
[ ! -e "$WORK/x.png" ] || fail "a failed stored-skin command wrote a file"

# Errors: exit status 1 and one line naming the file (and member, section, key).
check_error() {
    local expect=$1; shift
    local err
    err=$("$@" 2>&1 >/dev/null); local rc=$?
    [ $rc -eq 1 ] || fail "'$*' exited $rc"
    grep -q -- "$expect" <<<"$err" || fail "'$*' said: $err (expected $expect)"
}
printf 'QKzx' > "$WORK/magic.qkz"
head -c 40 "$WORK/p.qkz" > "$WORK/cut.qkz"
printf '[PANEL]\nBORDERSMASK=@00x0@0000@0039@0013@3@0\n' > "$WORK/src/options.DAT"
"$TOOL" pack "$WORK/src" "$WORK/bad.qkz" >/dev/null
check_error "no such file" "$TOOL" list "$WORK/none.qkz"
check_error "wrong magic" "$TOOL" list "$WORK/magic.qkz"
check_error 'member "options.DAT"' "$TOOL" list "$WORK/cut.qkz"
check_error "\[PANEL\] BORDERSMASK" "$TOOL" dump "$WORK/bad.qkz"
check_error "WIDTHxHEIGHT" "$TOOL" gradient "1;2;3;0;0" 0x5 "$WORK/x.png"
check_error "not a valid integer" "$TOOL" gradient "1;x;3;0;0" 5x5 "$WORK/x.png"

if [ $failures -eq 0 ]; then echo "skintool: all checks passed"; exit 0; fi
echo "$failures check(s) failed"; exit 1
