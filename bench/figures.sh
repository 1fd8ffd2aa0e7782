#!/bin/sh
# Runs every benchmark and prints their figures as Markdown, for bench/FIGURES.md.
# usage: bench/figures.sh BUILD_DIR
# With ZOLPORT_STARTUP_AGAINST set to bench_startup built from an earlier tree,
# the start-up figures set the drill beside that build's drill and empty window.
# Under Xvfb with openbox when both are installed (a maximized window, as a
# learner sees it), else on Qt's offscreen platform.
set -eu
build=${1:?usage: figures.sh BUILD_DIR}
if [ -z "${ZOLPORT_FIGURES_DISPLAY:-}" ] && command -v xvfb-run >/dev/null && command -v openbox >/dev/null; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" env ZOLPORT_FIGURES_DISPLAY=1 sh "$0" "$@"
fi
if [ -n "${DISPLAY:-}" ] && command -v openbox >/dev/null; then
    openbox --sm-disable >/dev/null 2>&1 &
    wm=$!
    trap 'kill $wm' EXIT
    sleep 1
    platform="xcb under Xvfb 1280x1024 with openbox"
else
    export QT_QPA_PLATFORM=offscreen
    platform="offscreen"
fi
cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)
cores=$(nproc)
memory=$(awk '/MemTotal/ { printf "%.0f GB", $2 / 1048576 }' /proc/meminfo)
os=$(. /etc/os-release && echo "$PRETTY_NAME")
qt=$(dpkg-query -W -f '${Version}' libqt6core6 2>/dev/null || echo unknown)

run() {
    echo '```'
    "$@" 2>/dev/null
    echo '```'
}

echo "# Benchmark figures"
echo
echo "Machine: $cpu, $cores cores, $memory, $os, Qt $qt; platform $platform; $(date -u +%Y-%m-%d)."
build_type=$(sed -n "s/^CMAKE_BUILD_TYPE:STRING=//p" "$build/CMakeCache.txt")
echo "Build type: ${build_type:-RelWithDebInfo (the default)}."
echo
echo "## Start-up and memory (bench/startup)"
run "$build/bench/startup/bench_startup" 21 ${ZOLPORT_STARTUP_AGAINST:+--against "$ZOLPORT_STARTUP_AGAINST"}
echo
echo "## From a click to the first sound (bench/sound)"
# (the accessibility registry of its private desktop announces itself on stdout)
run sh -c "python3 '$(dirname "$0")/sound/bench_repeat.py' '$build/zolport' 5 | grep -v '^SpiRegistry'"
echo
echo "## One drill step and the group loads (bench/drill)"
run "$build/bench/drill/bench_drill"
echo
echo "## Button paints (bench/controls)"
run "$build/bench/controls/bench_buttons"
echo
echo "## Rescale of the window (bench/elastic)"
run "$build/bench/elastic/bench_elastic"
