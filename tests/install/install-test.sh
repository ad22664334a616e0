#!/usr/bin/env bash
# What `cmake --install` and `cpack -G DEB` make of a build.
#
#   install-test.sh tree BUILD APP_ID DATA_FROM_PROGRAM CLIENT TEST_ENV BUS_TEMPLATE
#     installs into a temporary DESTDIR with another prefix than the build's,
#     checks the files, validates the desktop entry, the metadata and the
#     MIME entry, and runs CLIENT (the engine through the installed worker)
#     on a private bus (the tests' bus configuration, BUS_TEMPLATE) whose
#     only service folder is the installed one, its Exec pointed into the
#     temporary root.
#   install-test.sh deb BUILD APP_ID
#     builds the Debian package and checks its files, its activation file and
#     its dependencies.
set -euo pipefail
mode=$1 build=$2 id=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/quillix-install.XXXXXX")
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# Every file below the prefix, as "cmake --install" should leave them.
expected_files() {
  local p=$1
  printf '%s\n' \
    "$p/bin/Ergasto" "$p/bin/kelvo" \
    "$p/share/applications/$id.desktop" \
    "$p/share/dbus-1/interfaces/Ergasto.ICalcCompleteCallback.xml" \
    "$p/share/dbus-1/interfaces/Ergasto.ICalcWorker.xml" \
    "$p/share/dbus-1/interfaces/Ergasto.IClassFactory.xml" \
    "$p/share/dbus-1/interfaces/Ergasto.IUnknown.xml" \
    "$p/share/dbus-1/services/Ergasto.CalcWorker.service" \
    "$p/share/icons/hicolor/16x16/apps/$id.png" \
    "$p/share/icons/hicolor/256x256/apps/$id.png" \
    "$p/share/icons/hicolor/32x32/apps/$id.png" \
    "$p/share/icons/hicolor/48x48/apps/$id.png" \
    "$p/share/metainfo/$id.metainfo.xml" \
    "$p/share/mime/packages/$id.xml" \
    "$p/share/quillix/quillix-help.html" | LC_ALL=C sort
}

check_files() {  # check_files ROOT PREFIX
  local listed
  listed=$(cd "$1" && find . -type f -o -type l | sed 's|^\.||' | LC_ALL=C sort)
  [ "$listed" = "$(expected_files "$2")" ] ||
    fail "installed files differ:"$'\n'"$(diff <(echo "$listed") <(expected_files "$2") || true)"
  for program in "$1$2/bin/kelvo" "$1$2/bin/Ergasto"; do
    [ -x "$program" ] || fail "$program is not executable"
  done
  grep -qx "Exec=$2/bin/Ergasto" "$1$2/share/dbus-1/services/Ergasto.CalcWorker.service" ||
    fail "the activation file does not start $2/bin/Ergasto"
}

case $mode in
tree)
  data_from_program=$4 client=$5 test_env=$6 bus_template=$7
  prefix=/opt/quillix   # not the build's prefix: the install step's own counts
  root="$work/root"
  DESTDIR="$root" cmake --install "$build" --prefix "$prefix" > "$work/install.log" ||
    { cat "$work/install.log"; fail "cmake --install"; }
  check_files "$root" "$prefix"
  share="$root$prefix/share"

  # kelvo looks for its help page relative to its own folder.
  [ -f "$root$prefix/bin/$data_from_program/quillix-help.html" ] ||
    fail "the help page is not where kelvo looks ($prefix/bin/$data_from_program)"

  desktop-file-validate "$share/applications/$id.desktop" || fail "desktop-file-validate"
  appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" || fail "appstreamcli validate"
  grep -qx "Exec=kelvo %f" "$share/applications/$id.desktop" || fail "Exec of the desktop entry"
  grep -qx "Icon=$id" "$share/applications/$id.desktop" || fail "Icon of the desktop entry"

  # The MIME entry compiles, gives the saved calculations' extension its
  # type, and the desktop entry opens that type.
  cp -r "$share/mime" "$work/mime"
  update-mime-database "$work/mime" 2> "$work/mime.log" || { cat "$work/mime.log"; fail "update-mime-database"; }
  type=$(sed -n 's/^[0-9]*:\(.*\):\*\.qxv7$/\1/p' "$work/mime/globs2")
  [ -n "$type" ] || fail "no MIME type for *.qxv7"
  grep -qx "MimeType=$type;" "$share/applications/$id.desktop" || fail "the desktop entry does not open $type"

  # The installed activation file, pointed into the temporary root, is the
  # bus's only one.
  sed -i "s|^Exec=.*|Exec=$root$prefix/bin/Ergasto|" "$share/dbus-1/services/Ergasto.CalcWorker.service"
  sed "s|@QUILLIX_DBUS_SERVICE_DIR@|$share/dbus-1/services|" "$bus_template" > "$work/bus.conf"
  QUILLIX_INSTALLED_ERGASTO="$root$prefix/bin/Ergasto" "$test_env" --dbus "$work/bus.conf" "$client"
  ;;
deb)
  cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" > "$work/cpack.log" ||
    { cat "$work/cpack.log"; fail "cpack -G DEB"; }
  deb=$(ls "$work"/out/*.deb)
  dpkg-deb -x "$deb" "$work/root"
  check_files "$work/root" /usr
  depends=$(dpkg-deb -f "$deb" Depends)
  for needed in libqt6widgets6 libsystemd0 libgmp10 libmpfr6 libboost-serialization libboost-regex \
                dbus-session-bus qt6-qpa-plugins; do
    [[ $depends == *"$needed"* ]] || fail "the package does not depend on $needed: $depends"
  done
  echo "$(basename "$deb"): $depends"
  ;;
*)
  fail "mode: tree or deb"
  ;;
esac
echo "install-test.sh $mode: passed"
