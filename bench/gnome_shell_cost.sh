#!/usr/bin/env bash
# What GNOME Shell (headless, with Debian's AppIndicator extension) spends on a tray
# icon that changes, in one run: each case runs alone for S seconds after a short
# settle, the cases alternate, R rounds. Cases:
#   idle            nothing in the tray: the shell's own baseline
#   floor@MS        bench/floor.cpp, Qt's own D-Bus tray item, 5 frames, every MS
#   every@MS        Glimmerbox, Fuzzy T.V (5 frames) every MS, a NewIcon for every
#                   frame (GLIMMER_SNI_GAP_MS=0)
#   chosen@MS       Glimmerbox as it serves GNOME Shell by itself: a NewIcon at most
#                   every 100 ms
#   runcat          Debian's RunCat extension, the cat drawn by the shell itself at
#                   its fastest pace (its load reading held at 100 %)
# One line a case and round: the shell's CPU (utime + stime of gnome-shell from
# /proc, % of a core), the program's CPU, the changes the shell showed a second (the
# extension's icon actor taking a new picture; RunCat's repaints), the shell's CPU
# per change shown a second above the idle baseline of the same round, and the lines
# the shell logged meanwhile. Then the medians. Run by scripts/bench --gnome.
# Usage: bench/gnome_shell_cost.sh <glimmerbox> <glimmer_floor> [rounds] [seconds]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
lib=$here/lib.sh
[ -e "$lib" ] || lib=$here/../tests/e2e/lib.sh
source "$lib"
e2e_as_user "$@"
e2e_private_bus --no-activation "$@"
glimmerbox=$1 floor=$2 rounds=${3:-3} seconds=${4:-30}
appindicator=ubuntu-appindicators@ubuntu.com runcat=runcat@kolesnikov.se

e2e_start_gnome_shell "$appindicator"
echo "GNOME Shell $(gnome-shell --version | cut -d' ' -f3), $rounds rounds of $seconds s a case"

# The one tray button of an AppIndicator item, and RunCat's button, as JavaScript.
item="(Object.entries(imports.ui.main.panel.statusArea).find(([key, b]) => b &&
    key.startsWith('appindicator-')) || [])[1]"
cat_button="imports.ui.main.panel.statusArea.RunCat"
item_shown() { [ "$(shell_js "String(!!($item && ($item).visible))")" = true ]; }
item_gone() { [ "$(shell_js "String(!!($item))")" = false ]; }
cat_shown() { [ "$(shell_js "String(!!($cat_button))")" = true ]; }

# utime + stime of process $1 in clock ticks (0 when it is gone).
ticks() {
    awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null || echo 0
}

# Counts the changes the shell shows from now on: "item" or "cat".
count_changes() {
    if [ "$1" = item ]; then
        shell_js "const b = $item; global._changes = 0;
            b._icon.connect('notify::gicon', () => global._changes++); 'ok'" >/dev/null
    else
        shell_js "const b = $cat_button; global._changes = 0; const paint = b.repaintUi;
            b.refreshData = async function () { this.data = { cpu: 100 }; return true; };
            b.data = { cpu: 100 };
            b.repaintUi = function () { global._changes++; return paint.call(this); }; 'ok'" \
            >/dev/null
    fi
}

# Measures one case: $1 its name, $2 the program's pid (or nothing), $3 what to count.
measure() {
    local name=$1 pid=$2 counted=$3 shell0 ours0 lines0 changes shell1 ours1 lines1
    [ -z "$counted" ] || count_changes "$counted"
    sleep 3
    [ -z "$counted" ] || shell_js "global._changes = 0; 'ok'" >/dev/null
    shell0=$(ticks "$SHELL_PID") ours0=$([ -n "$pid" ] && ticks "$pid" || echo 0)
    lines0=$(wc -l <"$E2E_TMP/shell.log")
    sleep "$seconds"
    shell1=$(ticks "$SHELL_PID") ours1=$([ -n "$pid" ] && ticks "$pid" || echo 0)
    lines1=$(wc -l <"$E2E_TMP/shell.log")
    changes=0
    [ -z "$counted" ] || changes=$(shell_js "String(global._changes)")
    awk -v n="$name" -v r="$round" -v s=$((shell1 - shell0)) -v o=$((ours1 - ours0)) \
        -v c="$changes" -v l=$((lines1 - lines0)) -v t="$seconds" -v hz="$(getconf CLK_TCK)" \
        'BEGIN { printf "%s %d %.2f %.2f %.2f %d\n", n, r, 100 * s / hz / t, 100 * o / hz / t, c / t, l }' |
        tee -a "$E2E_TMP/results"
}

# Runs program case $1 ($2: floor or the frame handover, $3 the interval in ms).
program_case() {
    local name=$1 kind=$2 interval=$3
    if [ "$kind" = floor ]; then
        "$floor" "$interval" 5 >"$E2E_TMP/program.log" 2>&1 &
        GLIMMERBOX_PID=$!
        E2E_PIDS+=("$GLIMMERBOX_PID")
    else
        unset GLIMMER_SNI_GAP_MS
        [ "$kind" != every ] || export GLIMMER_SNI_GAP_MS=0
        e2e_start_glimmerbox "$glimmerbox" Previous=4 "Speed=$interval"
    fi
    wait_for 150 item_shown || fail "$name: the top bar shows no item"
    measure "$name" "$GLIMMERBOX_PID" item
    kill "$GLIMMERBOX_PID"
    wait "$GLIMMERBOX_PID" 2>/dev/null || true
    wait_for 50 item_gone || fail "$name: the item stayed in the top bar"
}

echo "case round shell_cpu_% our_cpu_% changes_shown_per_s log_lines"
for round in $(seq 1 "$rounds"); do
    measure idle "" ""
    for interval in 100 10; do
        program_case "floor@$interval" floor "$interval"
        for kind in every chosen; do
            program_case "$kind@$interval" "$kind" "$interval"
        done
    done
    shell_js "imports.ui.main.extensionManager.enableExtension('$runcat'); 'ok'" >/dev/null
    wait_for 50 cat_shown || fail "RunCat did not start"
    measure runcat "" cat
    shell_js "imports.ui.main.extensionManager.disableExtension('$runcat'); 'ok'" >/dev/null
done

echo
echo "| case | shell CPU (% of a core) | above idle | our CPU | changes shown a second | shell CPU per change a second | shell log lines |"
echo "| --- | --- | --- | --- | --- | --- | --- |"
awk '
    { shell[$1] = shell[$1] " " $3; ours[$1] = ours[$1] " " $4; shown[$1] = shown[$1] " " $5
      logs[$1] = logs[$1] " " $6; if (!($1 in seen)) { seen[$1] = 1; order[++n] = $1 } }
    function median(list,    v, k, i, j, t) {
        k = split(list, v, " ")
        for (i = 1; i <= k; i++) for (j = i + 1; j <= k; j++) if (v[j] < v[i]) { t = v[i]; v[i] = v[j]; v[j] = t }
        return k % 2 ? v[(k + 1) / 2] : (v[k / 2] + v[k / 2 + 1]) / 2
    }
    END {
        idle = median(shell["idle"])
        for (i = 1; i <= n; i++) {
            c = order[i]; s = median(shell[c]); f = median(shown[c])
            printf "| %s | %.2f | %.2f | %.2f | %.2f | %s | %s |\n", c, s, s - idle, median(ours[c]), f,
                (f > 0 ? sprintf("%.2f", (s - idle) / f) : "-"), median(logs[c])
        }
    }' "$E2E_TMP/results"
