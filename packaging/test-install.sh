#!/usr/bin/env bash
# What a dealer gets from `cmake --install` and from the .deb, checked from a
# temporary prefix with a fresh home folder:
#   test-install.sh BUILD_DIR WITH_WINDOW(ON|OFF)
# - every file is installed; the desktop entry and the MIME type validate
#   and *.sin maps to the type;
# - the installed programs keep Program.ini in ~/.config/torvan-encoder/
#   (never beside /usr/bin), created with the default profiles;
# - the window, installed, opens a .sin, and a port chosen in it survives
#   a restart (driven on a virtual X display like a user would);
# - the .deb builds and holds the same files.
set -euo pipefail
build=$(cd "$1" && pwd)
window=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null

expected=(
  bin/torvan-cli bin/torvan-radio-sim
  share/man/man1/torvan-cli.1.gz share/man/man1/torvan-radio-sim.1.gz
  share/torvan-encoder/Program.ini
  share/doc/torvan-encoder/README.md share/doc/torvan-encoder/docs/user-guide.md
  share/doc/torvan-encoder/DejaVu-LICENSE.txt
)
sizes=(16 22 24 32 48 64 128 256)
if [ "$window" = ON ]; then
  expected+=(bin/torvan-encoder share/man/man1/torvan-encoder.1.gz
             share/applications/torvan-encoder.desktop
             share/mime/packages/torvan-encoder.xml
             share/icons/hicolor/scalable/apps/torvan-encoder.svg)
  for size in "${sizes[@]}"; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/torvan-encoder.png")
  done
fi
for file in "${expected[@]}"; do
  [ -s "$prefix/$file" ] || fail "not installed: $file"
done

# Every picture and page the installed README and guide link to is there.
doc=$prefix/share/doc/torvan-encoder
for page in "$doc/README.md" "$doc/docs/user-guide.md" "$doc/docs/developer.md"; do
  while read -r link; do
    [ -e "$(dirname "$page")/$link" ] || fail "$page links to $link, which is not installed"
  done < <(grep -oE '\]\([^)#:]+\)' "$page" | sed -E 's/^\]\((.*)\)$/\1/')
done

# Manual pages: a title, and the help text they were made from.
for page in "$prefix"/share/man/man1/*.1.gz; do
  zcat "$page" | grep -q '^\.TH "TORVAN' || fail "no title in $page"
done
zcat "$prefix/share/man/man1/torvan-cli.1.gz" | grep -q '^  \\-\\-version' ||
  fail "torvan-cli(1) lacks the --help text"
# They name the files of the prefix installed to, not another one.
roff_prefix=${prefix//-/\\-}
for page in "$prefix"/share/man/man1/*.1.gz; do
  zcat "$page" | grep -qF "The user guide in $roff_prefix/share/doc/" ||
    fail "$page does not name the guide under $prefix"
done
if [ "$window" = ON ]; then
  zcat "$prefix/share/man/man1/torvan-encoder.1.gz" |
    grep -qF "(a copy of them is in $roff_prefix/share/torvan\\-encoder/Program.ini)" ||
    fail "torvan-encoder(1) does not name the default profiles under $prefix"
  "$prefix/bin/torvan-encoder" --help |
    grep -qF "(a copy of them is in $prefix/share/torvan-encoder/Program.ini)" ||
    fail "torvan-encoder --help does not name the default profiles under $prefix"
fi

if [ "$window" = ON ]; then
  # Each PNG is square at its size (width and height from the PNG header).
  for size in "${sizes[@]}"; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/torvan-encoder.png
    read -r w h < <(od -An -tu4 --endian=big -j16 -N8 "$png")
    [ "$w" = "$size" ] && [ "$h" = "$size" ] || fail "$png is ${w}x${h}"
  done
  desktop-file-validate "$prefix/share/applications/torvan-encoder.desktop" ||
    fail "desktop entry does not validate"
  xmllint --noout "$prefix/share/mime/packages/torvan-encoder.xml"
  # The type database built from our file alone; any complaint fails.
  mkdir -p "$work/data"
  cp -r "$prefix/share/mime" "$work/data/mime"
  XDG_DATA_HOME=$work/data update-mime-database "$work/data/mime" 2>"$work/mime.log"
  [ ! -s "$work/mime.log" ] || fail "update-mime-database: $(cat "$work/mime.log")"
  grep -qx '50:application/x-torvan-channel-data:\*\.sin' "$work/data/mime/globs2" ||
    fail "*.sin is not mapped to the channel-data type"
fi

# A fresh user of the installed programs.
export HOME=$work/home
unset XDG_CONFIG_HOME
mkdir -p "$HOME"
ini=$HOME/.config/torvan-encoder/Program.ini
cli=$prefix/bin/torvan-cli
"$cli" --version | grep -qx "Program.ini: $ini" || fail "torvan-cli --version: $("$cli" --version)"
[ -f "$ini" ] || fail "no $ini"
[ ! -e "$prefix/bin/Program.ini" ] || fail "Program.ini written beside the installed programs"
cmp -s "$ini" "$prefix/share/torvan-encoder/Program.ini" || fail "$ini is not the default"
"$cli" new "$work/new.sin"
[ "$(stat -c %s "$work/new.sin")" = 4096 ] || fail "new.sin is not 4096 bytes"
shown=$("$cli" show "$work/new.sin")
grep -qx 'Model: VHF Standard' <<<"$shown" || fail "no default model: $shown"
grep -qx 'Frequency Range: 136-174MHz' <<<"$shown" || fail "no default range: $shown"

# The plan is printed in the font the programs carry, whatever the system
# offers: here a font configuration with Liberation only.
cat >"$work/fonts.conf" <<FONTS
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig><dir>/usr/share/fonts/truetype/liberation2</dir><cachedir>$work/fc</cachedir></fontconfig>
FONTS
FONTCONFIG_FILE=$work/fonts.conf "$cli" print "$work/new.sin" "$work/plan.pdf"
fonts=$(pdffonts "$work/plan.pdf" | awk 'NR > 2 {print $1}' | sort | xargs)
[ "$fonts" = "DejaVuSans DejaVuSans-Bold" ] || fail "the plan is printed in $fonts"

if [ "$window" = ON ]; then
  # Two runs of the installed window on a virtual display: the first opens
  # new.sin, picks COM3 from the Port menu and ends through File > Exit;
  # the second starts with COM3 and ends unchanged.
  cat >"$work/session.sh" <<'SESSION'
set -euo pipefail
encoder=$1 file=$2 keys=$3
# A real window on the virtual display, whatever the test command set.
QT_QPA_PLATFORM=xcb "$encoder" "$file" &
pid=$!
echo "$pid" >"$(dirname "$0")/encoder.pid"   # for the caller, should this session time out
window=$(xdotool search --sync --onlyvisible --name '^Torvan PC Encoder$' | head -n 1)
xdotool windowfocus --sync "$window"
for key in $keys; do
  xdotool key "$key"
  sleep 0.6   # let the menus open before the next key, as a person would
done
wait "$pid"
SESSION
  # Alt+P opens Program, Alt+P again Port at COM1; Down twice reaches COM3.
  # Then File > Exit (Alt+F, X) and Yes (Enter) on the exit prompt.
  choose="alt+p alt+p Down Down Return alt+f x Return"
  leave="alt+f x Return"
  # Leaks the X libraries keep until exit are theirs, not the program's.
  export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0
  # Keys typed into a virtual display can outrun a busy machine's window;
  # a session that did not end as typed is tried again, twice at most.
  run() {
    for _ in 1 2 3; do
      timeout 60 xvfb-run -a -s "-screen 0 1280x1024x24" \
        bash "$work/session.sh" "$prefix/bin/torvan-encoder" "$work/new.sin" "$1" && return 0
      # The window this session started, if it outlived the time-out.
      [ -s "$work/encoder.pid" ] && kill "$(cat "$work/encoder.pid")" 2>/dev/null || true
      rm -f "$work/encoder.pid"
    done
    fail "the installed window did not run and end through File > Exit ($1)"
  }
  run "$choose"
  grep -qx 'COM=COM3' "$ini" || fail "port not stored: $(cat "$ini")"
  run "$leave"
  grep -qx 'COM=COM3' "$ini" || fail "port lost after a restart: $(cat "$ini")"
  grep -q '^Type0=VHF Standard$' "$ini" || fail "profiles lost: $(cat "$ini")"
fi

# The .deb holds what the install did, under /usr.
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb" >/dev/null
deb=$(ls "$work"/deb/torvan-encoder_*.deb)
dpkg-deb -c "$deb" | awk '{print $NF}' | sed 's|^\./||' >"$work/deb.list"
for file in "${expected[@]}"; do
  grep -qx "usr/$file" "$work/deb.list" || fail "not in the .deb: usr/$file"
done
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6core6 libqt6serialport6 libqt6svg6; do
  grep -q "$package" <<<"$depends" || fail "the .deb does not depend on $package: $depends"
done
if [ "$window" = ON ]; then
  grep -q libqt6widgets6 <<<"$depends" || fail "the .deb lacks libqt6widgets6: $depends"
  dpkg-deb -x "$deb" "$work/unpacked"
  zcat "$work/unpacked/usr/share/man/man1/torvan-encoder.1.gz" |
    grep -qF '(a copy of them is in /usr/share/torvan\-encoder/Program.ini)' ||
    fail "the .deb's torvan-encoder(1) does not name /usr/share"
fi
echo "installed, ran and packaged: $(basename "$deb")"
