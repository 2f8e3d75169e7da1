#!/usr/bin/env bash
# End to end in trayer: with "Pace" = "cpu" the animation follows the processor
# load. Aquarium is chosen at 50 ms a frame (its pace at full load). Busy processes,
# one a core, make it play at about that pace; once they end and the machine is
# quiet again, it slows down to a rest, the icon keeping its frame.
# Usage: pace.sh <path to glimmerbox>
set -euo pipefail
binary=$(realpath "$1")
source "$(dirname "$0")/lib.sh"

busy_pids=()
stop_busy() {
    local pid
    for pid in "${busy_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    busy_pids=()
}
trap 'ending=$?; stop_busy; e2e_cleanup "$ending"' EXIT

# The machine's busy share, in percent, between two readings $1 and $2 of the first
# line of /proc/stat (everything but idle and iowait counts as busy).
machine_load() {
    awk -v a="$1" -v b="$2" 'BEGIN {
        split(a, x); split(b, y)
        for (i = 2; i <= 9; i++) { d = y[i] - x[i]; total += d; if (i != 5 && i != 6) busy += d }
        print (total > 0 ? int(100 * busy / total) : 0) }'
}

# How many of $1 shots of the slot, $2 seconds apart, differ from the one before.
changes() {
    local count=$1 gap=$2 i previous="" now changed=0
    for i in $(seq 1 "$count"); do
        shoot_slot "$E2E_TMP/pace.png"
        now=$(pixel_sum "$E2E_TMP/pace.png")
        [ -n "$previous" ] && [ "$now" != "$previous" ] && changed=$((changed + 1))
        previous=$now
        [ "$i" -lt "$count" ] && sleep "$gap"
    done
    echo "$changed"
}

e2e_start_display
e2e_start_glimmerbox "$binary" "Previous=2" "Speed=50" "Pace=cpu"
wait_for 100 icon_in_tray || fail "no icon in the tray"

echo "-- under full load it plays at about its chosen pace"
for _ in $(seq 1 "$(nproc)"); do
    (while :; do :; done) &
    busy_pids+=($!)
done
sleep 5 # the smoothing settles within a few seconds
loaded=$(changes 6 0.3)
echo "$loaded of 5 shots 0.3 s apart changed under load"
[ "$loaded" -ge 4 ] || fail "the animation did not follow the load: $loaded changes"

echo "-- once the machine is quiet it rests"
stop_busy
sleep 6
# The load the program sees: over the shots and the two seconds of smoothing before.
before=$(head -n 1 /proc/stat)
sleep 2
rested=$(changes 3 1.5)
quiet=$(machine_load "$before" "$(head -n 1 /proc/stat)")
echo "machine load ${quiet}% meanwhile; $rested of 2 shots 1.5 s apart changed"
if [ "$quiet" -lt 3 ]; then
    [ "$rested" -eq 0 ] || fail "the animation did not rest on a quiet machine"
else
    # A machine that is never quiet (a shared runner) keeps the animation slow but
    # moving; the rest itself is covered by the unit tests.
    echo "SKIP the rest check: the machine is not quiet (${quiet}%)"
fi
kill -0 "$GLIMMERBOX_PID" || fail "the program ended"
echo "PASS"
