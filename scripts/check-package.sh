#!/usr/bin/env bash
# Builds the Debian package, checks it with lintian, finds every file the program loads at run time (the
# fonts of the faces it asks for, its QML modules, Qt's image formats, GStreamer's elements, and whatever
# the started program has mapped) in a package its Depends or Recommends name, installs it with apt-get,
# starts the installed program on the display and waits for its window, asks its version and for help
# without a display, then purges it and finds none of its files left. It installs into the system, so it runs as root only (as CI does); elsewhere it says so and passes.
set -euo pipefail
cd "$(dirname "$0")/.."
if ((EUID != 0)); then
    echo "check-package: skipped, installing the package needs root"
    exit 0
fi
work=$(mktemp -d)
# A failed check leaves no process and no installed package behind either.
trap 'kill ${program:-} ${bus:-} 2>/dev/null || true; rm -rf "$work"
    if dpkg-query -W quorvane >/dev/null 2>&1; then apt-get purge -y -q quorvane >/dev/null; fi' EXIT
package=$(cd "$work" && "$OLDPWD/scripts/package.sh")
lintian --fail-on error "$package"

# The packages the package names, alternatives included, without versions or architectures.
declared=$(dpkg-deb -f "$package" Depends Recommends | sed -E 's/^[A-Za-z-]+: //' | tr ',|' '\n\n' |
    sed -E 's/\(.*\)//; s/:.*//; s/ //g' | sort -u)
unlisted=()
# The package holding `file` must be declared; a file under /lib is known to dpkg under /usr/lib or the
# other way round.
needs() {
    local what=$1 file owner
    file=$(realpath "$2")
    owner=$( (dpkg -S "$file" || dpkg -S "/usr$file" || dpkg -S "${file#/usr}") 2>/dev/null | head -1 | cut -d: -f1)
    if [[ -z $owner ]]; then
        unlisted+=("$what ($file, in no package)")
    elif ! grep -qx "$owner" <<<"$declared"; then
        unlisted+=("$owner ($what: $file)")
    fi
}
# The faces the views and InterfaceFonts ask for, at the weights of the theme.
for face in "DejaVu Sans:extralight" \
    "Noto Sans"{,:light,:medium,:demibold,:bold} \
    "Noto Sans CJK SC"{,:light,:medium,:demibold,:bold} \
    "Noto Serif CJK SC"{,:medium,:demibold,:bold}; do
    if [[ ",$(fc-match -f '%{family}' "$face")," != *",${face%%:*},"* ]]; then
        unlisted+=("$face (no installed font has it)")
    fi
    needs "font $face" "$(fc-match -f '%{file}' "$face")"
done
# The QML modules the views import, and the modules those import in turn.
qml=/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/qt6/qml
modules=$(grep -rhoE '^import Qt[A-Za-z.]*' src/ui --include='*.qml' | awk '{ print $2 }' | sort -u)
seen=""
while [[ -n $modules ]]; do
    next=""
    for module in $modules; do
        [[ " $seen " == *" $module "* ]] && continue
        seen+=" $module"
        needs "QML module $module" "$qml/${module//.//}/qmldir"
        next+=" $(awk '$1 == "import" || $1 == "depends" { print $2 }' "$qml/${module//.//}/qmldir" 2>/dev/null)"
    done
    modules=$next
done
# Every picture format the background library offers (the README's list) is a Qt image plugin.
for plugin in "$(dirname "$qml")"/plugins/imageformats/*.so; do
    needs "image format $(basename "$plugin")" "$plugin"
done
# The elements the players make, and those playbin plugs for the music and videos the program takes: the
# sound output, the containers, parsers and decoders of MP3, AAC, FLAC, Ogg, Opus, WAV, AIFF, MP4, MOV,
# Matroska and WebM.
for element in playbin playbin3 uridecodebin3 decodebin3 urisourcebin filesrc typefind appsink fakesink \
    videoflip aspectratiocrop videoconvert videoscale capsfilter audioconvert audioresample volume \
    autoaudiosink pulsesink id3demux qtdemux matroskademux oggdemux wavparse aiffparse mpegaudioparse \
    aacparse flacparse h264parse h265parse mpg123audiodec avdec_aac flacdec vorbisdec opusdec avdec_h264 \
    avdec_h265 vp8dec vp9dec; do
    needs "GStreamer element $element" "$(gst-inspect-1.0 "$element" | awk '$1 == "Filename" { print $2 }')"
done

export DEBIAN_FRONTEND=noninteractive
apt-get install -y -q "$package" >/dev/null
version=$(dpkg-deb -f "$package" Version)
test "$(quorvane --version)" = "quorvane $version"

# A home and a session bus of its own: no file of the machine's user and no desktop service is touched.
mkdir -p "$work/home"
{ read -r address; read -r bus; } < <(dbus-daemon --config-file="$PWD/tests/support/private-session-bus.conf" \
    --fork --print-address=1 --print-pid=1)
HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share" \
    DBUS_SESSION_BUS_ADDRESS="$address" quorvane &
program=$!
timeout 60 xdotool search --sync --onlyvisible --class Quorvane >/dev/null
# And what the running program has loaded of Qt's plugins, QML modules and GStreamer's plugins.
for file in $(awk '$6 ~ /\/(qt6\/plugins|qt6\/qml|gstreamer-1.0)\// { print $6 }' "/proc/$program/maps" | sort -u); do
    needs "loaded" "$file"
done
kill "$program"
wait "$program" || true

if ((${#unlisted[@]})); then
    printf 'check-package: loaded at run time but neither in Depends nor in Recommends: %s\n' "${unlisted[@]}" >&2
    exit 1
fi
# Help needs no display, and Qt's own options are Qt's.
test "$(env -u DISPLAY -u WAYLAND_DISPLAY quorvane -platform offscreen --version)" = "quorvane $version"
env -u DISPLAY -u WAYLAND_DISPLAY quorvane --help-all | grep -q -- '--platform <platformName'

files=$(dpkg-deb -c "$package" | awk '$1 !~ /^d/ { sub(/^\./, "", $6); print $6 }')
apt-get purge -y -q quorvane >/dev/null
left=$(for path in $files /usr/libexec/quorvane /usr/share/doc/quorvane; do
    if [[ -e $path ]]; then echo "$path"; fi
done)
if [[ -n $left ]]; then
    echo "check-package: left behind after purge:" $left >&2
    exit 1
fi
echo "check-package: $(basename "$package") built, checked, installed, started and purged"
