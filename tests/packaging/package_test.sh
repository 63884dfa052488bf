#!/usr/bin/env bash
# Tests a built kneebrace .deb as a user's machine would see it: lintian finds no error
# or warning, the control fields name what the program needs at run time, the files land
# where desktop environments look for them and agree with each other, and the installed
# program starts and shows its window.
#
#   tests/packaging/package_test.sh build-pkg/package/kneebrace_1.0.0_amd64.deb
#
# Needs dpkg-deb, dpkg-parsechangelog, lintian, man, desktop-file-validate, appstreamcli,
# xdotool and an X display in DISPLAY (./dev package installs the tools and runs this on a
# virtual X server of its own). The package is unpacked into a temporary root, never
# installed.
set -euo pipefail

deb="${1:?usage: package_test.sh FILE.deb}"
[ -f "$deb" ] || { echo "no such package: $deb" >&2; exit 2; }

app_id=org.kneebrace.kneebrace
caption="角钢Omvarel by Tavrosk"
failures=0
checks=0

pass() { checks=$((checks + 1)); printf 'ok    %s\n' "$1"; }
fail() { checks=$((checks + 1)); failures=$((failures + 1)); printf 'FAIL  %s\n' "$1"; }
expect() {  # expect "what" command...
  local what="$1"; shift
  if "$@" >/dev/null 2>&1; then pass "$what"; else fail "$what"; fi
}

work=$(mktemp -d)
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# --- lintian ---------------------------------------------------------------------------
# Debian's own checks. The one override the package ships (bogus-mail-host: there is no
# public mail address yet) is checked below; anything else at warning or above fails.
lintian_rc=0
lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 || lintian_rc=$?
if [ "$lintian_rc" -eq 0 ] && ! grep -qE '^[EW]: ' "$work/lintian.log"; then
  pass "lintian reports no error or warning"
else
  fail "lintian reports (exit $lintian_rc):"
  sed 's/^/      /' "$work/lintian.log"
fi

# --- control fields --------------------------------------------------------------------
field() { dpkg-deb --field "$deb" "$1"; }
depends=$(field Depends)
echo "Depends: $depends"
has_dependency() { tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/ .*//' | grep -qx "$1"; }
expect "package is named kneebrace" test "$(field Package)" = kneebrace
for p in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6svg6 fonts-arphic-uming \
         qt6-translations-l10n libstdc++6 libc6; do
  expect "Depends names $p" has_dependency "$p"
done
version=$(field Version)
expect "Version is set ($version)" test -n "$version"

# --- files and their places ------------------------------------------------------------
root="$work/root"
dpkg-deb -x "$deb" "$root"
listed=$(cd "$root" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
expected=$(LC_ALL=C sort <<EOF
usr/bin/kneebrace
usr/share/applications/$app_id.desktop
usr/share/doc/kneebrace/changelog.gz
usr/share/doc/kneebrace/copyright
usr/share/icons/hicolor/scalable/apps/$app_id.svg
usr/share/lintian/overrides/kneebrace
usr/share/man/man1/kneebrace.1.gz
usr/share/metainfo/$app_id.metainfo.xml
EOF
)
if [ "$listed" = "$expected" ]; then
  pass "the package holds exactly the program, desktop entry, licence, changelog, manual page, lintian override, icon and metainfo"
else
  fail "the package's files differ from the expected eight:"
  diff <(echo "$expected") <(echo "$listed") | sed 's/^/      /' || true
fi

exe="$root/usr/bin/kneebrace"
desktop="$root/usr/share/applications/$app_id.desktop"
icon="$root/usr/share/icons/hicolor/scalable/apps/$app_id.svg"
metainfo="$root/usr/share/metainfo/$app_id.metainfo.xml"

expect "the program is an executable ELF file" bash -c "[ -x '$exe' ] && head -c4 '$exe' | grep -q ELF"
expect "the program has no run path (it uses the system's libraries)" \
  bash -c "! readelf -d '$exe' | grep -qE 'RPATH|RUNPATH'"
expect "every library the program links is on this machine" \
  bash -c "ldd '$exe' && ! ldd '$exe' | grep -q 'not found'"

changelog="$root/usr/share/doc/kneebrace/changelog.gz"
manpage="$root/usr/share/man/man1/kneebrace.1.gz"
overrides="$root/usr/share/lintian/overrides/kneebrace"
gzip -dc "$changelog" >"$work/changelog" 2>/dev/null || true
expect "the changelog's newest entry is the package version" \
  test "$(dpkg-parsechangelog -l "$work/changelog" -S Version 2>/dev/null)" = "$version"
# As lintian renders it (on a terminal of 80 columns), then as plain text to read.
LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$manpage" >/dev/null 2>"$work/man.log" || true
expect "the manual page renders without a warning" test ! -s "$work/man.log"
LC_ALL=C.UTF-8 MANWIDTH=80 man -E UTF-8 -l "$manpage" >"$work/man.txt" 2>/dev/null || true
expect "the manual page is in Chinese and in English" \
  bash -c "grep -q '^说明' '$work/man.txt' && grep -q '^DESCRIPTION' '$work/man.txt'"
expect "the manual page's footer names the package version" grep -q "kneebrace $version" "$work/man.txt"
# The overrides are for the missing public mail address alone (in the Maintainer field
# and in the changelog's trailer), with their reason.
expect "lintian overrides bogus-mail-host alone" \
  test "$(grep -v '^#' "$overrides" | grep -v '^ *$' | tr '\n' ' ')" = \
       "kneebrace: bogus-mail-host kneebrace: bogus-mail-host-in-debian-changelog "
expect "the overrides give their reason" grep -q '^# .*mail address' "$overrides"

entry() { sed -n "s/^$1=//p" "$desktop" | head -1; }
expect "the desktop entry is valid (desktop-file-validate)" desktop-file-validate "$desktop"
expect "the desktop entry starts the installed program" test "$(entry Exec)" = kneebrace
expect "the desktop entry names the installed icon" test "$(entry Icon)" = "$app_id"
expect "the desktop entry has a Chinese name" bash -c "grep -q '^Name\[zh_CN\]=..' '$desktop'"
expect "the desktop entry has a Chinese comment" bash -c "grep -q '^Comment\[zh_CN\]=..' '$desktop'"
expect "the desktop entry has an English default name" test -n "$(entry Name)"
expect "the icon is an SVG image" grep -q '<svg' "$icon"
expect "the metainfo is valid (appstreamcli validate)" appstreamcli validate --no-net "$metainfo"
expect "the metainfo launches the desktop entry" grep -q "<launchable type=\"desktop-id\">$app_id.desktop<" "$metainfo"
expect "the metainfo names the program" grep -q '<binary>kneebrace</binary>' "$metainfo"
expect "the metainfo's newest release is the package version" \
  bash -c "grep -o '<release version=\"[^\"]*\"' '$metainfo' | head -1 | grep -q '\"$version\"'"

# --- the installed program starts ------------------------------------------------------
# Offscreen first: the program must still be running (in its event loop) after a few
# seconds, and Qt must not complain about missing pictures or plugins.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 0700 "$XDG_RUNTIME_DIR"
rc=0
QT_QPA_PLATFORM=offscreen timeout 4 "$exe" >"$work/offscreen.log" 2>&1 </dev/null || rc=$?
if [ "$rc" -eq 124 ]; then
  pass "the installed program runs offscreen until stopped"
else
  fail "the installed program ended by itself offscreen (exit $rc): $(head -5 "$work/offscreen.log")"
fi
if grep -qiE 'qt\.svg|cannot open|could not (load|find)|failed to' "$work/offscreen.log"; then
  fail "Qt reported a problem while starting:"
  sed 's/^/      /' "$work/offscreen.log" | head -10
else
  pass "Qt reported no missing file or plugin"
fi

# Then on the X display: the window appears, with its caption and size.
if [ -z "${DISPLAY:-}" ]; then
  fail "no X display to start the program on (DISPLAY is not set)"
else
  env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY "$exe" >"$work/x11.log" 2>&1 </dev/null &
  app_pid=$!
  wid=$(timeout 15 xdotool search --sync --onlyvisible --pid "$app_pid" 2>/dev/null | head -1) || true
  if [ -z "$wid" ]; then
    fail "the installed program showed no window: $(head -5 "$work/x11.log")"
  else
    pass "the installed program shows a window"
    name=$(xdotool getwindowname "$wid")
    expect "the window's caption is \"$caption\" (got \"$name\")" test "$name" = "$caption"
    geometry=$(xdotool getwindowgeometry "$wid" | sed -n 's/.*Geometry: //p')
    # The calculator's area is 854x590 at 96 dpi; the menu bar above it adds its own
    # height, which depends on the style's font (17 px here), never more than 40.
    width=${geometry%x*}
    height=${geometry#*x}
    expect "the window is 854 wide and 590 plus a menu bar high (got $geometry)" \
      test "$width" = 854 -a "$height" -gt 590 -a "$height" -le 630
  fi
  kill "$app_pid" 2>/dev/null || true
  wait "$app_pid" 2>/dev/null || true
  app_pid=""
fi

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
