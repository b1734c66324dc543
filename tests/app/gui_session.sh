#!/usr/bin/env bash
# A whole session of kestrin as a user starts and ends it: a fresh home
# folder, the window shown, then SIGTERM (as at a logout) once the program
# listens for it. Passes when kestrin exits with 0 - under the sanitizers that
# includes LeakSanitizer, with the system libraries' own leaks suppressed.
#
#   gui_session.sh KESTRIN [ARGUMENTS...]
# Runs under xvfb-run when it exists and no display is set, offscreen otherwise.
set -u
here="$(cd "$(dirname "$0")" && pwd)"
kestrin="$1"
shift

if [ -z "${DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" != offscreen ] && command -v xvfb-run >/dev/null; then
    # Again, inside a virtual display of its own.
    xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$kestrin" "$@"
    exit $?
fi

home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
# Answered before: simple or advanced mode is not asked again.
mkdir -p "$home/.config/Kestrin"
printf '[Kestrin]\nVersion%%205\\Preferences\\Advanced=1\n' > "$home/.config/Kestrin/Kestrin.ini"

export HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$home"
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=1"
export LSAN_OPTIONS="suppressions=$here/../support/lsan_system_libraries.supp:print_suppressions=0"

run() {
    "$kestrin" "$@" &
    local pid=$!
    # SIGTERM is caught once the main window exists (bit 15 of SigCgt).
    for _ in $(seq 600); do
        local caught
        caught=$(awk '/^SigCgt:/ {print $2}' "/proc/$pid/status" 2>/dev/null) || break
        [ -n "$caught" ] && (( (16#$caught >> 14) & 1 )) && break
        sleep 0.1
    done
    sleep 1
    kill -TERM "$pid" 2>/dev/null
    wait "$pid"
}

run "$@"
status=$?
echo "kestrin exited with $status"
exit $status
