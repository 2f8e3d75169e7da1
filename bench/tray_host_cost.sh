#!/usr/bin/env bash
# What a tray host spends on a tray icon that changes, in one run: GNOME Shell
# (headless, with Debian's AppIndicator extension) or KDE Plasma (plasmashell on
# kwin_wayland nested in Xvfb). Each case runs alone for S seconds after a short
# settle, the cases alternate, R rounds. Cases:
#   idle            nothing in the tray: the host's own baseline
#   floor@MS        bench/floor.cpp, Qt's own D-Bus tray item, 5 frames, every MS
#   every@MS        Glimmerbox, Fuzzy T.V (5 frames) every MS, a NewIcon for every
#                   frame, pictures (IconPixmap)
#   tipped@MS       the same, with the tooltip sent even where it says only the title
#                   (Plasma: GLIMMER_SNI_TIP=always)
#   gap<N>@MS       the same, a NewIcon at most every N ms
#   gathered@MS     a NewIcon at most every 50 ms (what GNOME Shell was given before)
#   changed<N>@MS   the pictures carried in a PropertiesChanged, at most every N ms
#   named<N>@MS     the same, each frame a named file (IconName)
#   namednew@MS     a NewIcon for every frame, each frame a named file
#   chosen@MS       Glimmerbox as it serves the host by itself (GNOME Shell: named250)
#   runcat@L        GNOME only: Debian's RunCat extension, the cat drawn by the shell
#                   itself, its load reading held at L % (100: 25 frames a second,
#                   29: 4)
# The program cases set GLIMMER_SNI_SIGNAL, GLIMMER_SNI_FRAMES, GLIMMER_SNI_GAP_MS and
# GLIMMER_SNI_TIP. BENCH_KINDS lists them (default: every, and tipped on Plasma,
# gathered and chosen on GNOME), BENCH_INTERVALS the intervals (default: 100 10),
# BENCH_RUNCAT_LOADS RunCat's loads (default: 100). BENCH_PROFILE names functions
# (as perf prints them, Class::method) whose share of the host's time, with all they
# call, perf samples in each case; a share does not change with the speed the machine
# runs at, which on a shared virtual machine varies more from minute to minute than
# the differences measured here.
# One line a case and round: the host's CPU (utime + stime of gnome-shell or
# plasmashell from /proc, % of a core), the compositor's (kwin_wayland; GNOME Shell
# is its own), the program's CPU, the changes the shell showed a second (GNOME: the
# extension's icon actor taking a new picture; RunCat's repaints), the host's CPU per
# change shown a second above the idle baseline of the same round, and the lines the
# host logged meanwhile. Then the medians. Run by scripts/bench --gnome and --plasma.
# Usage: bench/tray_host_cost.sh gnome|plasma <glimmerbox> <glimmer_floor> [rounds] [seconds]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
lib=$here/lib.sh
[ -e "$lib" ] || lib=$here/../tests/e2e/lib.sh
source "$lib"
e2e_as_user "$@"
e2e_private_bus --no-activation "$@"
host=$1 glimmerbox=$2 floor=$3 rounds=${4:-3} seconds=${5:-30}
appindicator=ubuntu-appindicators@ubuntu.com runcat=runcat@kolesnikov.se

# The one tray button of an AppIndicator item, and RunCat's button, as JavaScript.
item="(Object.entries(imports.ui.main.panel.statusArea).find(([key, b]) => b &&
    key.startsWith('appindicator-')) || [])[1]"
cat_button="imports.ui.main.panel.statusArea.RunCat"
if [ "$host" = gnome ]; then
    e2e_start_gnome_shell "$appindicator"
    echo "GNOME Shell $(gnome-shell --version | cut -d' ' -f3), $rounds rounds of $seconds s a case"
    log=$E2E_TMP/shell.log KWIN_PID=
    item_shown() { [ "$(shell_js "String(!!($item && ($item).visible))")" = true ]; }
    item_gone() { [ "$(shell_js "String(!!($item))")" = false ]; }
else
    e2e_start_plasma
    echo "Plasma $(plasmashell --version | cut -d' ' -f2), $rounds rounds of $seconds s a case"
    log=$E2E_TMP/plasma.log
    item_shown() { [ -n "$(registered_item)" ]; }
    item_gone() { ! item_shown; }
fi
cat_shown() { [ "$(shell_js "String(!!($cat_button))")" = true ]; }

# utime + stime of process $1 in clock ticks (0 when it is gone).
ticks() {
    awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null || echo 0
}

# Writes "case round function share" for each function of BENCH_PROFILE, from the
# host's profile of the case $1.
profile_shares() {
    local report function
    report=$(perf report -f -i "$E2E_TMP/host.perf" --children --stdio -g none --sort sym 2>/dev/null)
    for function in $BENCH_PROFILE; do
        awk -v c="$1" -v r="$round" -v f="$function" '$4 == f { share = $1 + 0; exit }
            END { print c, r, f, share + 0 }' <<<"$report"
    done >>"$E2E_TMP/shares"
    rm -f "$E2E_TMP/host.perf"
}

# Counts the changes the shell shows from now on: "item" or "cat".
count_changes() {
    if [ "$1" = item ]; then
        shell_js "const b = $item; global._changes = 0;
            b._icon.connect('notify::gicon', () => global._changes++); 'ok'" >/dev/null
    else
        shell_js "const b = $cat_button; global._changes = 0; const paint = b.repaintUi;
            b.refreshData = async function () { this.data = { cpu: $cat_load }; return true; };
            b.data = { cpu: $cat_load };
            b.repaintUi = function () { global._changes++; return paint.call(this); }; 'ok'" \
            >/dev/null
    fi
}

# Measures one case: $1 its name, $2 the program's pid (or nothing), $3 what to count
# (GNOME only).
measure() {
    local name=$1 pid=$2 counted=$3 shell0 kwin0 ours0 lines0 changes shell1 kwin1 ours1 lines1
    [ "$host" = gnome ] || counted=
    [ -z "$counted" ] || count_changes "$counted"
    sleep 3
    [ -z "$counted" ] || shell_js "global._changes = 0; 'ok'" >/dev/null
    shell0=$(ticks "$SHELL_PID") kwin0=$(ticks "${KWIN_PID:-0}") ours0=$(ticks "${pid:-0}")
    lines0=$(wc -l <"$log")
    if [ -n "${BENCH_PROFILE:-}" ]; then
        perf record -q -F 499 -e cpu-clock --all-user --call-graph dwarf,16384 -p "$SHELL_PID" \
            -o "$E2E_TMP/host.perf" -- sleep "$seconds" 2>/dev/null
    else
        sleep "$seconds"
    fi
    shell1=$(ticks "$SHELL_PID") kwin1=$(ticks "${KWIN_PID:-0}") ours1=$(ticks "${pid:-0}")
    lines1=$(wc -l <"$log")
    changes=0
    [ -z "$counted" ] || changes=$(shell_js "String(global._changes)")
    awk -v n="$name" -v r="$round" -v s=$((shell1 - shell0)) -v k=$((kwin1 - kwin0)) \
        -v o=$((ours1 - ours0)) -v c="$changes" -v l=$((lines1 - lines0)) -v t="$seconds" \
        -v hz="$(getconf CLK_TCK)" 'BEGIN { f = 100 / hz / t
            printf "%s %d %.2f %.2f %.2f %.2f %d\n", n, r, s * f, k * f, o * f, c / t, l }' |
        tee -a "$E2E_TMP/results"
    [ -z "${BENCH_PROFILE:-}" ] || profile_shares "$name"
}

# Runs program case $1 ($2: floor or the frame handover, $3 the interval in ms).
program_case() {
    local name=$1 kind=$2 interval=$3
    if [ "$kind" = floor ]; then
        "$floor" "$interval" 5 >"$E2E_TMP/program.log" 2>&1 &
        GLIMMERBOX_PID=$!
        E2E_PIDS+=("$GLIMMERBOX_PID")
    else
        unset GLIMMER_SNI_SIGNAL GLIMMER_SNI_GAP_MS GLIMMER_SNI_FRAMES GLIMMER_SNI_TIP
        case $kind in
        every) export GLIMMER_SNI_SIGNAL=NewIcon GLIMMER_SNI_GAP_MS=0 GLIMMER_SNI_FRAMES=pictures ;;
        tipped) export GLIMMER_SNI_SIGNAL=NewIcon GLIMMER_SNI_GAP_MS=0 GLIMMER_SNI_FRAMES=pictures \
            GLIMMER_SNI_TIP=always ;;
        gathered) export GLIMMER_SNI_SIGNAL=NewIcon GLIMMER_SNI_GAP_MS=50 ;;
        gap*) export GLIMMER_SNI_SIGNAL=NewIcon GLIMMER_SNI_GAP_MS=${kind#gap} GLIMMER_SNI_FRAMES=pictures ;;
        changed*) export GLIMMER_SNI_SIGNAL=PropertiesChanged GLIMMER_SNI_GAP_MS=${kind#changed} \
            GLIMMER_SNI_FRAMES=pictures ;;
        namednew) export GLIMMER_SNI_SIGNAL=NewIcon GLIMMER_SNI_GAP_MS=0 GLIMMER_SNI_FRAMES=names ;;
        named*) export GLIMMER_SNI_SIGNAL=PropertiesChanged GLIMMER_SNI_GAP_MS=${kind#named} \
            GLIMMER_SNI_FRAMES=names ;;
        esac
        e2e_start_glimmerbox "$glimmerbox" Previous=4 "Speed=$interval"
    fi
    wait_for 150 item_shown || fail "$name: the tray shows no item"
    measure "$name" "$GLIMMERBOX_PID" item
    kill "$GLIMMERBOX_PID"
    wait "$GLIMMERBOX_PID" 2>/dev/null || true
    wait_for 50 item_gone || fail "$name: the item stayed in the tray"
}

echo "case round host_cpu_% compositor_cpu_% our_cpu_% changes_shown_per_s log_lines"
for round in $(seq 1 "$rounds"); do
    measure idle "" ""
    for interval in ${BENCH_INTERVALS:-100 10}; do
        program_case "floor@$interval" floor "$interval"
        for kind in ${BENCH_KINDS:-every $([ "$host" = plasma ] && echo tipped || echo gathered chosen)}; do
            program_case "$kind@$interval" "$kind" "$interval"
        done
    done
    [ "$host" = gnome ] || continue
    for load in ${BENCH_RUNCAT_LOADS:-100}; do
        shell_js "imports.ui.main.extensionManager.enableExtension('$runcat'); 'ok'" >/dev/null
        wait_for 50 cat_shown || fail "RunCat did not start"
        cat_load=$load
        measure "runcat@$load" "" cat
        shell_js "imports.ui.main.extensionManager.disableExtension('$runcat'); 'ok'" >/dev/null
    done
done

echo
echo "| case | host CPU (% of a core) | above idle | compositor CPU | our CPU | changes shown a second | host CPU per change a second | log lines |"
echo "| --- | --- | --- | --- | --- | --- | --- | --- |"
median='function median(list,    v, k, i, j, t) {
        k = split(list, v, " ")
        for (i = 1; i <= k; i++) for (j = i + 1; j <= k; j++) if (v[j] < v[i]) { t = v[i]; v[i] = v[j]; v[j] = t }
        return k % 2 ? v[(k + 1) / 2] : (v[k / 2] + v[k / 2 + 1]) / 2
    }'
awk "$median"'
    { host[$1] = host[$1] " " $3; kwin[$1] = kwin[$1] " " $4; ours[$1] = ours[$1] " " $5
      shown[$1] = shown[$1] " " $6; logs[$1] = logs[$1] " " $7
      if (!($1 in seen)) { seen[$1] = 1; order[++n] = $1 } }
    END {
        idle = median(host["idle"])
        for (i = 1; i <= n; i++) {
            c = order[i]; s = median(host[c]); f = median(shown[c])
            printf "| %s | %.2f | %.2f | %.2f | %.2f | %.2f | %s | %s |\n", c, s, s - idle, median(kwin[c]),
                median(ours[c]), f, (f > 0 ? sprintf("%.2f", (s - idle) / f) : "-"), median(logs[c])
        }
    }' "$E2E_TMP/results"
[ -n "${BENCH_PROFILE:-}" ] || exit 0
echo
echo "| case | $(echo $BENCH_PROFILE | sed 's/ / | /g') |"
echo "|$(for _ in case $BENCH_PROFILE; do printf ' --- |'; done)"
awk "$median"'
    { share[$1 " " $3] = share[$1 " " $3] " " $4
      if (!($1 in seen)) { seen[$1] = 1; order[++n] = $1 }
      if (!($3 in known)) { known[$3] = 1; function_[++m] = $3 } }
    END {
        for (i = 1; i <= n; i++) {
            line = "| " order[i]
            for (j = 1; j <= m; j++) line = line sprintf(" | %.1f %%", median(share[order[i] " " function_[j]]))
            print line " |"
        }
    }' "$E2E_TMP/shares"
