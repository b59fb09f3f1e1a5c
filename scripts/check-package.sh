#!/usr/bin/env bash
# Checks the Debian package that scripts/package.sh leaves in ./build: its name and control
# fields, the files it installs, its desktop entry and AppStream metadata, and the program in it,
# which must keep running on the offscreen platform and, on an X server, show the window class
# and icon its desktop entry names. Prints one line per check; fails when any check fails.
#   scripts/check-package.sh [quorvane_<version>_<arch>.deb]
set -euo pipefail
deb=${1:+$(realpath "$1")}
cd "$(dirname "$0")/.."

# Runs one check: prints "ok" or "FAIL" with what was checked, and under a FAIL the reasons the
# check gave with why.
failures=0
check() {
  local what=$1
  shift
  : >"${reasons}"
  if "$@"; then
    echo "ok   - ${what}"
  else
    echo "FAIL - ${what}"
    sed 's/^/       /' "${reasons}"
    failures=$((failures + 1))
  fi
}

# Gives the reason a check fails, and fails.
why() {
  echo "$*" >>"${reasons}"
  return 1
}

if [ -z "${deb}" ]; then
  debs=(build/quorvane_*.deb)
  if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    echo "FAIL - expected exactly one build/quorvane_*.deb; scripts/package.sh makes it" >&2
    exit 1
  fi
  deb=${debs[0]}
fi

work=$(mktemp -d)
reasons=${work}/reasons
started=()
cleanup() {
  for pid in "${started[@]}"; do
    kill "${pid}" 2>/dev/null || true
  done
  rm -rf "${work}"
}
trap cleanup EXIT

root=${work}/root
dpkg-deb -x "${deb}" "${root}"
contents=$(dpkg-deb --contents "${deb}")
field() { dpkg-deb --field "${deb}" "$1"; }

# Every desktop session has a private runtime folder; without one Qt warns on standard error.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  export XDG_RUNTIME_DIR=${work}/runtime
  mkdir -m 700 "${XDG_RUNTIME_DIR}"
fi

# --- The package's name and control fields --------------------------------------------------

file_name_matches() {
  local expected
  expected="quorvane_$(field Version)_$(dpkg --print-architecture).deb"
  [ "$(basename "${deb}")" = "${expected}" ] || why "named $(basename "${deb}"), not ${expected}"
}
check "file name is quorvane_<version>_<arch>.deb" file_name_matches

field_matches() {
  local name=$1 pattern=$2 value
  value=$(field "${name}")
  grep -Eq -e "${pattern}" <<<"${value}" || why "${name}: ${value:-(none)}"
}
field_lacks() {
  local name=$1 pattern=$2 value
  value=$(field "${name}")
  ! grep -Eq -e "${pattern}" <<<"${value}" || why "${name}: ${value}"
}
check "Package is quorvane" field_matches Package '^quorvane$'
check "Section is science" field_matches Section '^science$'
check "Maintainer names someone with an address" field_matches Maintainer '^[^<]+ <[^>]+@[^>]+>$'
check "Description has a summary and a long text" field_matches Description '^[^ ].+$'
check "Depends names the Qt 6 widget library" field_matches Depends '(^|, )libqt6widgets6( |,|$)'
check "Depends names no development package" field_lacks Depends '-dev( |,|$)'

# --- The installed files, named after the application id ------------------------------------

desktop_entries=$(sed -n 's:.* \./usr/share/applications/\(.*\)\.desktop$:\1:p' <<<"${contents}")
if [ "$(wc -w <<<"${desktop_entries}")" -ne 1 ]; then
  echo "FAIL - expected one desktop entry in usr/share/applications, found: ${desktop_entries:-none}" >&2
  exit 1
fi
id=${desktop_entries}
desktop=${root}/usr/share/applications/${id}.desktop
metainfo=${root}/usr/share/metainfo/${id}.metainfo.xml
echo "       application id ${id}"

lists() { grep -Eq " \./$1\$" <<<"${contents}" || why "not in dpkg-deb --contents"; }
while read -r path; do
  check "installs ${path}" lists "${path}"
done <<EOF
usr/bin/quorvane
usr/share/applications/${id}.desktop
usr/share/metainfo/${id}.metainfo.xml
usr/share/icons/hicolor/scalable/apps/${id}.svg
usr/share/icons/hicolor/48x48/apps/${id}.png
usr/share/icons/hicolor/128x128/apps/${id}.png
usr/share/icons/hicolor/256x256/apps/${id}.png
EOF

png_size_is() {
  local size=$1 png=${root}/usr/share/icons/hicolor/$1x$1/apps/${id}.png
  file "${png}" | grep -q "PNG image data, ${size} x ${size}," || why "$(file -b "${png}")"
}
for size in 48 128 256; do
  check "the ${size}x${size} icon is a ${size} px PNG" png_size_is "${size}"
done

# --- Desktop entry and AppStream metadata ---------------------------------------------------

desktop_value() { sed -n "s/^$1=//p" "${desktop}"; }
xml_value() { sed -n "s:.*<$1>\(.*\)</$2>.*:\1:p" "${metainfo}"; }
equals() { [ "$2" = "$3" ] || why "$1 is '$2', not '$3'"; }

desktop_entry_valid() {
  local report
  report=$(desktop-file-validate "${desktop}" 2>&1) || why "${report}"
}
check "desktop-file-validate accepts the desktop entry" desktop_entry_valid
check "desktop entry's Icon is the application id" equals Icon "$(desktop_value Icon)" "${id}"
check "desktop entry's Exec starts quorvane" equals Exec "$(desktop_value Exec)" quorvane
check "desktop entry's Categories" \
  equals Categories "$(desktop_value Categories)" "Education;Science;Electronics;"
check "metainfo's id is the application id" equals id "$(xml_value id id)" "${id}"
check "metainfo launches the desktop entry" \
  equals launchable "$(xml_value 'launchable type="desktop-id"' launchable)" "${id}.desktop"

# Every error and warning fails the check. The metadata names no screenshot: AppStream wants
# one as a web address, and Quorvane has no web home yet.
metainfo_valid() {
  local report
  if ! report=$(appstreamcli validate --no-net "${metainfo}" 2>&1); then
    why "${report}"
    return 1
  fi
  if grep -Eq '^[EW]: ' <<<"${report}" || ! grep -q 'Validation' <<<"${report}"; then
    why "${report}"
    return 1
  fi
}
check "appstreamcli validate --no-net accepts the metainfo" metainfo_valid

# --- The program in the package -------------------------------------------------------------

program=${root}/usr/bin/quorvane

runs_offscreen() {
  QT_QPA_PLATFORM=offscreen "${program}" 2>"${work}/offscreen.err" &
  local pid=$!
  started+=("${pid}")
  sleep 3
  if ! kill -0 "${pid}" 2>/dev/null; then
    why "ended within 3 s: $(cat "${work}/offscreen.err")"
    return 1
  fi
  kill "${pid}"
  wait "${pid}" 2>/dev/null || true
  [ ! -s "${work}/offscreen.err" ] || why "standard error: $(cat "${work}/offscreen.err")"
}
check "unpacked quorvane runs 3 s offscreen with nothing on standard error" runs_offscreen

# On a private X server: the window's class must be the desktop entry's StartupWMClass, so the
# task bar groups the window under the menu entry, and the window must carry every icon size.
xvfb_display=
start_xvfb() {
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"${work}/display" 2>/dev/null &
  started+=("$!")
  for _ in $(seq 100); do
    [ -s "${work}/display" ] && break
    sleep 0.1
  done
  if [ ! -s "${work}/display" ]; then
    why "Xvfb did not start"
    return
  fi
  xvfb_display=:$(cat "${work}/display")
}

window=
start_on_x() {
  DISPLAY=${xvfb_display} "${program}" 2>/dev/null &
  started+=("$!")
  for _ in $(seq 100); do
    window=$(DISPLAY=${xvfb_display} xwininfo -root -tree | awk '/\(".*" ".*"\)/ {print $1}')
    [ -n "${window}" ] && break
    sleep 0.1
  done
  [ "$(wc -w <<<"${window}")" -eq 1 ] || why "windows with a class: ${window:-none}"
}

window_class_matches() {
  local class expected
  class=$(DISPLAY=${xvfb_display} xprop -id "${window}" WM_CLASS | sed -n 's/.*", "\(.*\)"$/\1/p')
  expected=$(desktop_value StartupWMClass)
  equals "WM_CLASS class" "${class}" "${expected}"
}

window_has_icons() {
  local sizes
  sizes=$(DISPLAY=${xvfb_display} xprop -len 1000000 -id "${window}" _NET_WM_ICON |
    sed -n 's/.*Icon (\([0-9]*\) x [0-9]*):.*/\1/p' | sort -n | xargs)
  equals "_NET_WM_ICON sizes" "${sizes}" "48 128 256"
}

check "Xvfb starts" start_xvfb
if [ -n "${xvfb_display}" ]; then
  check "quorvane opens one window on X" start_on_x
fi
if [ -n "${window}" ] && [ "$(wc -w <<<"${window}")" -eq 1 ]; then
  check "window class is the desktop entry's StartupWMClass" window_class_matches
  check "window icon comes in 48, 128 and 256 px" window_has_icons
fi

if [ "${failures}" -ne 0 ]; then
  echo "${failures} package check(s) failed for ${deb}" >&2
  exit 1
fi
echo "All package checks passed for ${deb}"
