#!/usr/bin/env bash
# What a Windows user downloads, checked as that user meets it, under Wine
# (environment from tests/windows/CMakeLists.txt: BUILD_DIR, SOURCE_DIR,
# SIM, LINUX_CLI):
# - the zip holds exactly the programs, Program.ini (CRLF), the notice, the
#   guide with the pictures it shows, and the licence texts; no DLLs;
# - the programs import only DLLs that Windows itself has, are stripped,
#   one a window program and one a console program, and carry the icon,
#   the manifest (DPI and long-path aware) and the version information;
# - the installer installs silently for the current user: the files, the
#   Start-menu entries, the .sin file type and the Add/Remove Programs
#   entry under HKCU; the installed torvan-cli.exe runs and prints a plan in
#   the font it carries, as the Linux build prints it;
# - the uninstaller removes the files, the entries and the registry keys.
set -euo pipefail
export WINEPREFIX=${WINEPREFIX:-$BUILD_DIR/wine} WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
sim_pid=
trap '[ -z "$sim_pid" ] || kill "$sim_pid" 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --build "$BUILD_DIR" --target torvan_windows_packages >/dev/null
zip=$(ls "$BUILD_DIR"/torvan-encoder-*-windows-x64.zip)
base=$(basename "$zip" .zip)
version=${base#torvan-encoder-}
version=${version%-windows-x64}
[ -f "$BUILD_DIR/$base-setup.exe" ] || fail "no $base-setup.exe"

# --- The zip --------------------------------------------------------------
mapfile -t images < <(grep -oE '\]\(images/[^)]+\)' "$SOURCE_DIR/docs/user-guide.md" |
  sed -E 's/^\]\((.*)\)$/docs\/\1/' | sort -u)
expected=$(printf '%s\n' torvan-encoder.exe torvan-cli.exe Program.ini README-Windows.txt \
  docs/user-guide.html "${images[@]}" \
  licenses/{LGPL-3.0,GPL-3.0,LGPL-2.1,Qt-third-party-notices,DejaVu-fonts,GCC-runtime,MinGW-w64-runtime}.txt |
  sed "s|^|$base/|" | sort)
held=$(unzip -Z1 "$zip" | grep -v '/$' | sort)
[ "$held" = "$expected" ] || fail "the zip holds: $(diff <(echo "$expected") <(echo "$held") | grep '^[<>]' | xargs)"
unzip -q "$zip" -d "$work/zip"
files=$work/zip/$base

cmp -s <(tr -d '\r' <"$files/Program.ini") "$SOURCE_DIR/config/DefaultProgram.ini" ||
  fail "Program.ini is not the default profiles"
for text in Program.ini README-Windows.txt licenses/LGPL-3.0.txt; do
  [ "$(grep -c $'\r$' "$files/$text")" = "$(wc -l <"$files/$text")" ] || fail "$text has lines without CRLF"
done
grep -qF 'https://snapshot.debian.org/package/qt6-base/6.4.2%2Bdfsg-10/' "$files/README-Windows.txt" ||
  fail "the notice does not say where Qt's source is"
grep -qF 'GNU LESSER GENERAL PUBLIC LICENSE' "$files/licenses/LGPL-3.0.txt" || fail "no LGPL text"
# Every picture and page the guide links to is in the zip.
while read -r link; do
  [ -f "$files/docs/$link" ] || fail "the guide links to $link, which is not in the zip"
done < <(grep -oE '(src|href)="[^"#:]+"' "$files/docs/user-guide.html" | sed -E 's/^[a-z]+="(.*)"$/\1/')

# --- The programs ---------------------------------------------------------
system32=$WINEPREFIX/drive_c/windows/system32
[ -d "$system32" ] || { wineboot --init >/dev/null 2>&1; wineserver --wait; }
for exe in torvan-encoder torvan-cli; do
  program=$files/$exe.exe
  headers=$(x86_64-w64-mingw32-objdump -p "$program")
  # A DLL that Windows has: Wine has its own copy of it, or it is one of
  # Windows' API sets, which its loader maps itself. Runtime DLLs of a
  # compiler or of Qt are named so they cannot pass by another name.
  while read -r dll; do
    case ${dll,,} in
      qt6* | lib* | *gcc* | *stdc++* | *pthread* | zlib*) fail "$exe.exe imports $dll" ;;
      api-ms-win-*) continue ;;
    esac
    [ -n "$(find "$system32" -maxdepth 1 -iname "$dll" -print -quit)" ] ||
      fail "$exe.exe imports $dll, which Windows does not have"
  done < <(sed -n 's/^\s*DLL Name: //p' <<<"$headers")
  sections=$(x86_64-w64-mingw32-objdump -h "$program")
  ! grep -q '\.debug' <<<"$sections" || fail "$exe.exe is not stripped"
  subsystem=$(sed -n 's/^Subsystem.*(\(.*\))$/\1/p' <<<"$headers")
  [ "$subsystem" = "$([ $exe = torvan-cli ] && echo 'Windows CUI' || echo 'Windows GUI')" ] ||
    fail "$exe.exe is a $subsystem program"

  resources=$(python3 "$here/pe-resources.py" "$program")
  manifest=$(python3 "$here/pe-resources.py" "$program" 24 1)
  version_info=$(python3 "$here/pe-resources.py" "$program" 16 1 | strings -el)
  for want in '<longPathAware[^>]*>true<' '<dpiAwareness[^>]*>PerMonitorV2<' \
              'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' 'level="asInvoker"'; do
    grep -qE "$want" <<<"$manifest" || fail "$exe.exe's manifest lacks $want"
  done
  for want in 'ProductName' 'Torvan PC Encoder' 'ProductVersion' "$version" "$exe.exe"; do
    grep -qxF "$want" <<<"$version_info" || fail "$exe.exe's version information lacks $want"
  done
  # The icon group: 16 to 256 pixels (a width of 0 means 256).
  sizes=$(python3 "$here/pe-resources.py" "$program" 14 IDI_ICON1 |
    python3 -c 'import sys; d = sys.stdin.buffer.read(); print(*(d[6 + 14 * i] for i in range(d[4])))')
  [ "$sizes" = "16 24 32 48 64 0" ] || fail "$exe.exe's icon has the sizes $sizes ($resources)"
done

# --- Installing for the current user ---------------------------------------
profile=$(wine cmd /c echo %USERPROFILE% 2>/dev/null | tr -d '\r')
home=$WINEPREFIX/drive_c/users/${profile##*\\}
installed="$home/AppData/Local/Programs/Torvan PC Encoder"
menu="$home/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Torvan PC Encoder"
classes='HKCU\Software\Classes'
uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\TorvanPCEncoder'
reg_value() {  # KEY NAME ("" for the default value): the value's data
  local which=(/ve)
  [ -z "$2" ] || which=(/v "$2")
  wine reg query "$1" "${which[@]}" 2>/dev/null | tr -d '\r' |
    sed -nE 's/^\s+\S.*\s+REG_[A-Z_]+\s+(.*)$/\1/p'
}
# A copy a failed run left behind goes first.
if [ -f "$installed/uninstall.exe" ]; then
  wine "$installed/uninstall.exe" /S /CurrentUser _?="$(winepath -w "$installed")" || true
fi
rm -rf "$installed" "$menu"

wine "$BUILD_DIR/$base-setup.exe" /S /CurrentUser || fail "the installer failed: $?"
(cd "$files" && find . -type f | sort) >"$work/zip.list"
(cd "$installed" && find . -type f ! -name uninstall.exe | sort) >"$work/installed.list"
cmp -s "$work/zip.list" "$work/installed.list" ||
  fail "installed: $(diff "$work/zip.list" "$work/installed.list" | grep '^[<>]' | xargs)"
[ -f "$installed/uninstall.exe" ] || fail "no uninstall.exe"
for link in "Torvan PC Encoder" "Torvan PC Encoder (simulated radio)" "User guide"; do
  [ -s "$menu/$link.lnk" ] || fail "no Start-menu entry $link"
done
grep -qxF -- '--simulated-radio' <<<"$(strings -el "$menu/Torvan PC Encoder (simulated radio).lnk")" ||
  fail "the simulated-radio entry does not start the window with --simulated-radio"
exe_path="$(winepath -w "$installed")\\torvan-encoder.exe"
progid=$(reg_value "$classes\\.sin" "")
[ "$progid" = TorvanPCEncoder.ChannelData ] || fail ".sin is $progid"
[ "$(reg_value "$classes\\$progid\\shell\\open\\command" "")" = "\"$exe_path\" \"%1\"" ] ||
  fail ".sin opens with: $(reg_value "$classes\\$progid\\shell\\open\\command" "")"
[ "$(reg_value "$classes\\$progid\\DefaultIcon" "")" = "$exe_path,0" ] || fail "no .sin icon"
[ "$(reg_value "HKCU\\$uninstall_key" DisplayName)" = "Torvan PC Encoder" ] ||
  fail "no Add/Remove Programs entry"
[ "$(reg_value "HKCU\\$uninstall_key" DisplayVersion)" = "$version" ] || fail "wrong version listed"
grep -qF 'uninstall.exe" /CurrentUser' <<<"$(reg_value "HKCU\\$uninstall_key" UninstallString)" ||
  fail "the uninstall command does not name the mode"
wine reg query "HKLM\\$uninstall_key" >/dev/null 2>&1 && fail "a per-user install wrote HKLM"

cli=$installed/torvan-cli.exe
shown=$(wine "$cli" --version | tr -d '\r')
grep -qx "torvan-cli $version" <<<"$shown" || fail "the installed torvan-cli --version: $shown"

# The plan the installed program prints: in the font it carries (Wine has
# no Windows fonts to fall back on), with the Linux build's words and pages.
"$SIM" --seed 7 --save "$work/radio.sin" >"$work/sim.out" &
sim_pid=$!
until [ -s "$work/sim.out" ]; do sleep 0.05; done
kill "$sim_pid"
wait "$sim_pid" || true
sim_pid=
cp "$work/radio.sin" "$work/plan.sin"
(cd "$work" && wine "$cli" print plan.sin windows.pdf) || fail "torvan-cli.exe print"
# (Windows names the two faces DejaVuSansBook and DejaVuSansBold.)
fonts=$(pdffonts "$work/windows.pdf" | awk 'NR > 2 {print $1}' | sort | xargs)
[[ $fonts =~ ^DejaVuSans[A-Za-z-]*\ DejaVuSans[A-Za-z-]*$ ]] ||
  fail "the Windows plan is printed in $fonts"
"$LINUX_CLI" print "$work/plan.sin" "$work/linux.pdf"
pages() { pdfinfo "$1" | sed -n 's/^Pages: *//p'; }
[ "$(pages "$work/windows.pdf")" = "$(pages "$work/linux.pdf")" ] ||
  fail "the plan has $(pages "$work/windows.pdf") pages on Windows, $(pages "$work/linux.pdf") on Linux"
# The same words on each page (the order pdftotext reads them in may differ
# with a fraction of a point).
words() { pdftotext -f "$2" -l "$2" "$1" - | tr ' ' '\n' | grep -v '^$' | sort; }
for page in $(seq "$(pages "$work/linux.pdf")"); do
  cmp -s <(words "$work/windows.pdf" "$page") <(words "$work/linux.pdf" "$page") ||
    fail "page $page of the Windows plan differs from the Linux one's"
done

# --- Uninstalling ---------------------------------------------------------
# The uninstaller runs from a copy of itself in %TEMP% and returns at once.
wine "$installed/uninstall.exe" /S /CurrentUser || fail "the uninstaller failed: $?"
for _ in $(seq 60); do
  [ -e "$installed" ] || break
  sleep 0.5
done
[ ! -e "$installed" ] || fail "left installed: $(ls -R "$installed")"
[ ! -e "$menu" ] || fail "Start-menu entries left: $(ls "$menu")"
for key in "$classes\\.sin" "$classes\\TorvanPCEncoder.ChannelData" "HKCU\\$uninstall_key"; do
  wine reg query "$key" >/dev/null 2>&1 && fail "$key is left in the registry"
done
# For all users: Program Files is no folder of the user's, so no Program.ini
# is put beside the programs (each user's goes to %APPDATA%).
machine="$WINEPREFIX/drive_c/Program Files/Torvan PC Encoder"
wine "$BUILD_DIR/$base-setup.exe" /S /AllUsers || fail "the all-users install failed: $?"
[ -f "$machine/torvan-encoder.exe" ] && [ ! -e "$machine/Program.ini" ] ||
  fail "all users: $(ls "$machine" 2>&1)"
wine "$machine/uninstall.exe" /S /AllUsers || fail "the all-users uninstaller failed: $?"
for _ in $(seq 60); do
  [ -e "$machine" ] || break
  sleep 0.5
done
[ ! -e "$machine" ] || fail "left installed for all users: $(ls -R "$machine")"
echo "zip, programs, installer and uninstaller as expected: $base"
