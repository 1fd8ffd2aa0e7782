#!/usr/bin/env bash
# Installs what is missing on Debian 12, builds, and then starts the drill
# ("run") or runs the whole test suite ("test").
#
#   tools/bootstrap.sh run     build and start the drill
#   tools/bootstrap.sh test    build and run every test, headless; then the
#                              drill and sound tests again in a build with the
#                              address, leak and undefined-behaviour sanitizers
set -euo pipefail

mode=${1:-run}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZOLPORT_BUILD_DIR:-$root/build}

packages=(cmake ninja-build g++ qt6-base-dev qt6-multimedia-dev qt6-l10n-tools flite1-dev
          fonts-liberation fonts-dejavu-core hunspell hunspell-pt-br hunspell-en-us hunspell-en-gb python3)
if [ "$mode" = test ]; then
  packages+=(xvfb xauth xdotool openbox imagemagick x11-utils dbus at-spi2-core libglib2.0-bin dpkg-dev appstream
             weston qt6-wayland pulseaudio pulseaudio-utils orca speech-dispatcher speech-dispatcher-espeak-ng
             espeak-ng)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build"

case "$mode" in
  run)
    exec "$build/zolport"
    ;;
  test)
    export QT_QPA_PLATFORM=offscreen
    ctest --test-dir "$build" --output-on-failure --timeout 600
    cmake -S "$root" -B "$build-sanitize" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZOLPORT_SANITIZE=ON
    cmake --build "$build-sanitize" --target tst_drill tst_vocabulary tst_drillwindow tst_monkey tst_audio \
      zolport zolport_audio zolport_speech
    # Leak detection on; the tests pass LeakSanitizer the suppressions of tests/lsan.supp.
    UBSAN_OPTIONS=print_stacktrace=1 \
      ctest --test-dir "$build-sanitize" --output-on-failure --timeout 900 -L sanitize
    ;;
  *)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
