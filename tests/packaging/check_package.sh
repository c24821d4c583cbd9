#!/usr/bin/env bash
# check_package.sh BUILD_DIR HAS_LANGUAGES HAS_MANUAL
# Packs BUILD_DIR into a .deb, checks its fields and lintian's verdict, unpacks it into a
# temporary root and runs the installed program from there.
set -euo pipefail
build=$(cd "$1" && pwd)
has_languages=$2
has_manual=$3

work=$(mktemp -d)
demo_pid=
cleanup() {
    [ -n "$demo_pid" ] && kill -KILL "$demo_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/cpack" >"$work/cpack.log") ||
    { cat "$work/cpack.log"; fail "cpack"; }
debs=("$work"/cpack/*.deb)
deb=${debs[0]}
[ -f "$deb" ] || fail "no package made"
echo "package: $(basename "$deb")"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = vexo-control-tool ] || fail "package name $(field Package)"
version=$(field Version)
depends=$(field Depends)
echo "Depends: $depends"
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 libqt6serialport6 libicu libsodium; do
    grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib"
done

lintian --fail-on error --tag-display-limit 0 "$deb" || fail "lintian reports errors"

root=$work/root
dpkg -x "$deb" "$root"
usr=$root/usr
for f in bin/vexo-control-tool bin/vexoctl share/man/man1/vexoctl.1.gz \
    share/applications/com.vexo.ControlTool.desktop \
    share/metainfo/com.vexo.ControlTool.metainfo.xml \
    share/icons/hicolor/scalable/apps/com.vexo.ControlTool.svg \
    share/man/man1/vexo-control-tool.1.gz share/doc/vexo-control-tool/copyright; do
    [ -s "$usr/$f" ] || fail "missing $f"
done
for s in 16 32 48 64 128 256; do
    png=$usr/share/icons/hicolor/${s}x${s}/apps/com.vexo.ControlTool.png
    file "$png" | grep -q "PNG image data, $s x $s," || fail "icon $png is not ${s}x$s"
done
desktop-file-validate "$usr/share/applications/com.vexo.ControlTool.desktop"
appstreamcli validate --no-net "$usr/share/metainfo/com.vexo.ControlTool.metainfo.xml" >/dev/null
grep -q "^Exec=vexo-control-tool$" "$usr/share/applications/com.vexo.ControlTool.desktop" ||
    fail "the menu entry does not start the installed binary"

# Languages and the manual are checked only when this build makes them (their CMake targets
# exist); the program looks for them in ../share/vexo-control-tool beside its binary.
data=$usr/share/vexo-control-tool
if [ "$has_languages" = 1 ]; then
    compgen -G "$data/language/lang_*.qm" >/dev/null || fail "no languages in $data/language"
fi
if [ "$has_manual" = 1 ]; then
    [ -s "$data/manual.pdf" ] || fail "no manual in $data"
fi

program=$usr/bin/vexo-control-tool
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
mkdir -m 700 "$XDG_RUNTIME_DIR"

"$program" --help >"$work/help" || fail "--help exits with $?"
for option in --help --version --port --demo; do
    grep -q -- "$option" "$work/help" || fail "--help does not list $option"
done
[ "$("$program" --version)" = "Vexo Control Tool $version" ] ||
    fail "--version says '$("$program" --version)', the package is $version"

# The command-line program needs no display: none is named for it.
ctl=$usr/bin/vexoctl
[ "$(env -u QT_QPA_PLATFORM -u DISPLAY "$ctl" --version)" = "vexoctl (Vexo Control Tool) $version" ] ||
    fail "vexoctl --version says '$("$ctl" --version)', the package is $version"
status=0
env -u QT_QPA_PLATFORM -u DISPLAY "$ctl" --port "$work/no-such-port" info 2>/dev/null || status=$?
[ "$status" = 3 ] || fail "vexoctl without a USB-stick exits with $status, not 3"

# The demo starts its USB-stick, finds it (the window opens the stick's pseudo-terminal,
# which the emulator itself holds open too) and leaves cleanly on SIGTERM.
"$program" --demo 2>"$work/demo.err" &
demo_pid=$!
found=
for _ in $(seq 600); do
    kill -0 "$demo_pid" 2>/dev/null || { cat "$work/demo.err"; fail "--demo ended early"; }
    line=$(sed -n 's/^--demo: emulated USB-stick on \([^,]*\).*/\1/p' "$work/demo.err")
    pts=$([ -n "$line" ] && readlink -f "$line" || true)
    if [[ "$pts" == /dev/pts/* ]] &&
        [ "$(find "/proc/$demo_pid/fd" -lname "$pts" 2>/dev/null | wc -l)" -ge 2 ]; then
        found=1
        break
    fi
    sleep 0.1
done
[ -n "$found" ] || { cat "$work/demo.err"; fail "--demo did not start and open its USB-stick"; }
kill -TERM "$demo_pid"
status=0
wait "$demo_pid" || status=$?
demo_pid=
[ "$status" = 0 ] || { cat "$work/demo.err"; fail "--demo exited with $status"; }
echo "package checked"
