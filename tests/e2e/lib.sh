# Shared by the end-to-end scripts, sourced after they set `work` to a fresh folder of their own:
# stopping what was started, waiting, failing with Brolga's output, a private home and an X server.

app_pid=""
pids=() # helpers (Xvfb, a window manager, a panel), stopped last-first after Brolga

# Our own child lingers as a zombie until waited for, and kill -0 still finds that.
ended() { ! kill -0 "$1" 2>/dev/null || [[ $(cut -d' ' -f3 "/proc/$1/stat" 2>/dev/null) == Z ]]; }

stop() { # stop PID: TERM, a short grace, then KILL
    local pid=$1
    [[ -n $pid ]] || return 0
    if ! ended "$pid"; then
        kill "$pid" 2>/dev/null
        for _ in $(seq 30); do ended "$pid" && break; sleep 0.1; done
        ended "$pid" || kill -KILL "$pid" 2>/dev/null
    fi
    wait "$pid" 2>/dev/null
}
cleanup() {
    stop "$app_pid"
    local i
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do stop "${pids[i]}"; done
    [[ -n ${E2E_KEEP:-} ]] && echo "kept $work" || rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# A script may define on_fail (say, to keep a picture of the screen); it runs first. Everything goes to
# stderr, so a failure inside $(...) still shows its message.
fail() {
    declare -F on_fail >/dev/null && on_fail
    {
        echo "FAIL: $*"
        if [[ -s $work/brolga.log ]]; then
            echo "--- brolga's output"
            tail -n 40 "$work/brolga.log"
        fi
    } >&2
    exit 1
}

# wait_for SECONDS COMMAND...: true once COMMAND succeeds, false when the time is up.
wait_for() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.1
    done
}

# A home of our own: settings, the Desktop and the runtime folder never touch the user's. The session bus
# is left alone when the script runs one of its own (keep-bus).
private_home() {
    export HOME=$work/home
    mkdir -p "$HOME/Desktop" "$work/run"
    chmod 700 "$work/run"
    export XDG_RUNTIME_DIR=$work/run
    unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME XDG_STATE_HOME XDG_CONFIG_DIRS XDG_DATA_DIRS
    unset WAYLAND_DISPLAY SESSION_MANAGER
    [[ ${1:-} == keep-bus ]] || unset DBUS_SESSION_BUS_ADDRESS
    export LANG=en_AU.UTF-8 LC_ALL=
    export QT_QPA_PLATFORM=xcb
    # Leaks are the unit tests' business; here the exit status says whether quitting went well.
    export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0
}

# Should the script be killed outright (a CTest time-out), its children get SIGTERM from the kernel.
orphan_guard=()
command -v setpriv >/dev/null && orphan_guard=(setpriv --pdeathsig TERM --)

# Xvfb picks a free display itself and writes its number once it accepts connections.
start_xvfb() { # start_xvfb [WIDTHxHEIGHT], 1280x1024 unless given
    "${orphan_guard[@]}" Xvfb -displayfd 3 -screen 0 "${1:-1280x1024}x24" -nolisten tcp -noreset 3>"$work/display" \
        >"$work/xvfb.log" 2>&1 &
    pids+=($!)
    wait_for 10 grep -qs '[0-9]' "$work/display" || { cat "$work/xvfb.log"; fail "Xvfb did not start"; }
    export DISPLAY=:$(tr -dc 0-9 <"$work/display")
}
