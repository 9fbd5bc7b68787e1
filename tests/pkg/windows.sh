#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows downloads, made by cpack from the cross build, and the installer run under Wine: the
# program imports no DLL beyond Windows' own; the zip holds the program and its documents; a
# silent install puts the files into Program Files, the Start-menu shortcut and the uninstall
# entry in place, and the game starts from the shortcut; a silent uninstall leaves nothing of
# ours. WINEPREFIX should name a throwaway prefix: the test installs into it.
set -uo pipefail
source "$(dirname "$0")/pkg_lib.sh"
build=$1
exe=$2
need cpack cmake
need x86_64-w64-mingw32-objdump binutils-mingw-w64-x86-64
need makensis nsis
need wine wine
need unzip unzip
export WINEDEBUG=-all
# Wine would also copy the Start-menu shortcut into the menus of the host's desktop; not from a test.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}winemenubuilder.exe=d"

# Windows' own DLLs (and the API sets of its C runtime) are all the program may import.
windows_dlls='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comdlg32|imm32|winmm|ws2_32|uxtheme|dwmapi|version|shlwapi|shcore|setupapi|msvcrt|ucrtbase|d3d9|d3d11|d3d12|dxgi|dwrite|netapi32|userenv|winspool\.drv|wtsapi32|authz|mpr|crypt32|bcrypt|api-ms-win-[a-z0-9-]+)\.dll$'
imports=$(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ {print tolower($3)}')
echo "imports: $(echo $imports)"
check "the program imports only Windows' own DLLs" \
    test -z "$(grep -vE "$windows_dlls" <<<"$imports")"
check "the program runs in the GUI subsystem (no console window)" \
    grep -q 'Subsystem.*(Windows GUI)' <(x86_64-w64-mingw32-objdump -p "$exe")

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd "$out" && cpack --config "$build/CPackConfig.cmake" -B "$out") >"$out/cpack.log" 2>&1 \
    || { cat "$out/cpack.log"; fail "cpack did not make the downloads"; }
zip=$(the_one "$out"/Dyadora-*-win64.zip) || exit 1
setup=$(the_one "$out"/Dyadora-*-win64-setup.exe) || exit 1
echo "downloads: $(basename "$zip") $(du -k "$zip" | cut -f1) KB," \
    "$(basename "$setup") $(du -k "$setup" | cut -f1) KB"
folder=$(basename "$zip" .zip)
check "the zip holds the program, the readme and the licences in one folder" \
    test "$(unzip -Z1 "$zip" | grep -v '/$' | sort | tr '\n' ' ')" = \
    "$folder/COPYRIGHT.txt $folder/Dyadora.exe $folder/LICENSE.txt $folder/README.txt "
check "the readme is in Greek and English" \
    bash -c 'unzip -p "$1" "$2/README.txt" | grep -q "Ένα παιχνίδι μνήμης" &&
             unzip -p "$1" "$2/README.txt" | grep -q "A single-player memory game"' _ "$zip" "$folder"

# What the Wine prefix holds before the install, to compare with what it holds after the uninstall.
drive=$(winepath -u 'C:\' 2>/dev/null) || fail "no Wine prefix"
ours() { # every file and folder of the prefix but Wine's and the installer's temporary files
    find "$drive" -path '*/[Tt]emp' -prune -o -print | sort
}
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Dyadora'
before=$(ours)

wine "$setup" /S
check "the silent install succeeds" test $? -eq 0
wineserver -w
dir=$(winepath -u 'C:\Program Files\Dyadora')
check "the files are in Program Files" test "$(cd "$dir" && ls | tr '\n' ' ')" = \
    "COPYRIGHT.txt Dyadora.exe LICENSE.txt README.txt Uninstall.exe "
check "the installed program is the one built, stripped" \
    test "$(stat -c %s "$dir/Dyadora.exe")" -lt "$(stat -c %s "$exe")"
shortcut=$(winepath -u 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs')/Λαβυρίδες.lnk
check "the Start menu has a shortcut named Λαβυρίδες" test -f "$shortcut"
wine reg export "$key" "$(winepath -w "$out/entry.reg")" /y >/dev/null 2>&1
entry=$(iconv -f UTF-16 -t UTF-8 "$out/entry.reg" 2>/dev/null | tr -d '\r')
value() { sed -n "s/^\"$1\"=\"\\(.*\\)\"\$/\\1/p" <<<"$entry"; }
check "the uninstall entry names the game" test "$(value DisplayName)" = "Λαβυρίδες"
check "... its version" test "$(value DisplayVersion)" = "1.00"
check "... its publisher" test "$(value Publisher)" = "Λαβυρίδες maintainers"
check "... its icon, the program's own" test "$(value DisplayIcon)" = 'C:\\Program Files\\Dyadora\\Dyadora.exe,0'
check "... and its uninstaller" test "$(value UninstallString)" = '\"C:\\Program Files\\Dyadora\\Uninstall.exe\"'

# The installed game, started from its shortcut, shows its window and ends with Esc.
printf '#!/bin/sh\nexec wine start /wait /unix "%s"\n' "$shortcut" >"$out/from-shortcut"
chmod +x "$out/from-shortcut"
(
    start_game "$out/from-shortcut"
    check "the installed game shows its window" is_viewable "$MAIN_WINDOW"
    xdotool windowactivate --sync "$MAIN_WINDOW" key Escape
    check "Esc ends it" process_ends "$GAME_PID" 10
) || exit 1

wine "$dir/Uninstall.exe" /S
check "the silent uninstall starts" test $? -eq 0
wineserver -w # the uninstaller runs on from a copy of itself
check "the uninstall leaves no file of ours" test "$(ours)" = "$before"
diff <(echo "$before") <(ours) | head
check "... no shortcut" test ! -e "$shortcut"
check "... and no registry key" bash -c '! wine reg query "$1" >/dev/null 2>&1' _ "$key"
check "... nor any other key naming the game" \
    bash -c '! grep -qiE "dyadora|\\\\x39b\\\\x3b1\\\\x3b2" "${WINEPREFIX:-$HOME/.wine}"/*.reg'
