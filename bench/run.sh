#!/usr/bin/env bash
# Benchmark: Quenzibar against the floor program, frame rate and time to the
# first presented frame. Runs inside scripts/wine-session.sh; measures and
# prints, never fails on speed.
#
#   bench/run.sh PROGRAM.exe FLOOR.exe OUTDIR
#
# ROUNDS (default 6) rounds after one warm-up run of each, alternating the
# order (A B, B A, ...); each run lasts RUN_SECONDS (default 6, at least 5 so
# that some fps lines are left after start-up).
#
# Marks, from Wine's own traces (+timestamp,+loaddll,fps):
#   start        the loader's line for the executable itself
#   first frame  wined3d's first fps line, printed when the first frame is
#                presented
#   frame rate   wined3d's fps lines, one about every 1.5 s; the first two
#                (start-up) are dropped, the median of the rest is the run's
set -euo pipefail

program=$(realpath "$1") floor=$(realpath "$2") out=$3
rounds=${ROUNDS:-6} seconds=${RUN_SECONDS:-6}
[ "$seconds" -ge 5 ] || { echo "RUN_SECONDS must be at least 5" >&2; exit 2; }
scripts=$(cd "$(dirname "$0")/../scripts" && pwd)
# The build's own binutils: another target's strip gives another size.
cache=$(dirname "$program")/CMakeCache.txt
objdump=$(sed -n 's/^CMAKE_OBJDUMP:FILEPATH=//p' "$cache")
strip=$(sed -n 's/^CMAKE_STRIP:FILEPATH=//p' "$cache")
mkdir -p "$out"
runs=$out/runs.csv
trace=$out/trace.log

# An awk median for plain POSIX awk (no asort): call as median(array, n).
awk_median='function median(a, n,   s, i, j, t) {
  for (i = 1; i <= n; i++) s[i] = a[i]
  for (i = 2; i <= n; i++) for (j = i; j > 1 && s[j - 1] > s[j]; j--) { t = s[j]; s[j] = s[j - 1]; s[j - 1] = t }
  return n % 2 ? s[(n + 1) / 2] : (s[n / 2] + s[n / 2 + 1]) / 2
}'

# launch CHANNELS SECONDS EXE TITLE: runs EXE with those Wine debug channels
# (trace in $trace) for SECONDS after its window shows, then presses Escape.
launch() {
  local channels=$1 wait=$2 exe=$3 title=$4 pid status=0
  WINEDEBUG=$channels "$scripts/wine-exec.sh" "$exe" 2>"$trace" &
  pid=$!
  "$scripts/find-window.sh" "$title" 30 >/dev/null || { echo "no $title window" >&2; exit 1; }
  sleep "$wait"
  "$scripts/press-escape.sh"
  wait "$pid" || status=$?
  [ "$status" -eq 0 ] || { echo "$title ended with $status" >&2; exit 1; }
  "$scripts/find-window.sh" --gone "$title"
}

# run_one EXE TITLE: one measured run; prints "first_frame_ms fps samples".
run_one() {
  launch +timestamp,+loaddll,fps "$seconds" "$1" "$2"
  awk -v exe="$(basename "$1")" "$awk_median"'
    function ts(line) { split(line, f, ":"); return f[1] + 0 }
    !start && /:trace:loaddll:/ && index(tolower($0), tolower(exe)) { start = ts($0) }
    /:trace:fps:wined3d_cs_exec_present/ {
      if (!first) first = ts($0)
      if (++n > 2) { match($0, /approx [0-9.]+fps/); fps[++k] = substr($0, RSTART + 7, RLENGTH - 10) + 0 }
    }
    END {
      if (!start || !first || !k) exit 1
      printf "%.0f %.1f %d\n", (first - start) * 1000, median(fps, k), k
    }' "$trace"
}

# The OpenGL renderer under wined3d, as its start-up trace names it.
renderer() {
  launch +d3d 0 "$program" Quenzibar
  awk -F'"' '/GL_RENDERER/ { print $2; exit }' "$trace"
}

echo "Quenzibar benchmark: $rounds rounds of ${seconds} s runs, alternating with the floor program"
echo "Machine: $(nproc) cores, $(lscpu | sed -n 's/^Model name: *//p'), $(wine --version)"
gl=$(renderer)
echo "Renderer: ${gl:-unknown} on Xvfb -- software rendering (Mesa), no GPU: the figures compare"
echo "          the two programs with each other, not with a real display."
echo

echo "round,program,first_frame_ms,fps,fps_samples" >"$runs"
run_one "$program" Quenzibar >/dev/null # warm-up: caches, shader compiles
run_one "$floor" Floor >/dev/null
for round in $(seq "$rounds"); do
  if [ $((round % 2)) -eq 1 ]; then order="quenzibar floor"; else order="floor quenzibar"; fi
  for name in $order; do
    if [ "$name" = quenzibar ]; then exe=$program title=Quenzibar; else exe=$floor title=Floor; fi
    read -r first fps samples < <(run_one "$exe" "$title")
    echo "$round,$name,$first,$fps,$samples" >>"$runs"
  done
done
rm -f "$trace"

printf '%-6s %-10s %16s %10s\n' round program "first frame ms" fps
awk -F, 'NR > 1 { printf "%-6s %-10s %16s %10s\n", $1, $2, $3, $4 }' "$runs"
echo

# Medians, and the median of the per-round ratios (program / floor).
awk -F, -v out="$out/summary.csv" "$awk_median"'
  NR > 1 { first[$2, $1] = $3; fps[$2, $1] = $4; rounds[$1] = 1 }
  END {
    for (r in rounds) {
      n++
      qf[n] = first["quenzibar", r]; ff[n] = first["floor", r]
      qr[n] = fps["quenzibar", r]; fr[n] = fps["floor", r]
      rf[n] = first["quenzibar", r] / first["floor", r]
      rr[n] = fps["quenzibar", r] / fps["floor", r]
    }
    printf "%-34s %10s %10s\n", "median", "quenzibar", "floor"
    printf "%-34s %10.0f %10.0f\n", "time to first frame (ms)", median(qf, n), median(ff, n)
    printf "%-34s %10.1f %10.1f\n", "frame rate (fps)", median(qr, n), median(fr, n)
    printf "\n%-34s %10.3f   (target >= 0.97)\n", "frame-rate ratio, median of rounds", median(rr, n)
    printf "%-34s %10.3f   (target <= 1.05)\n", "first-frame ratio, median of rounds", median(rf, n)
    print "measure,quenzibar,floor,ratio" > out
    printf "first_frame_ms,%.0f,%.0f,%.3f\n", median(qf, n), median(ff, n), median(rf, n) > out
    printf "fps,%.1f,%.1f,%.3f\n", median(qr, n), median(fr, n), median(rr, n) > out
  }' "$runs"

echo
for pair in "quenzibar:$program" "floor:$floor"; do
  name=${pair%%:*} exe=${pair#*:}
  "$strip" -o "$out/$name.stripped.exe" "$exe"
  size=$(stat -c %s "$out/$name.stripped.exe")
  imports=$("$objdump" -p "$exe" | awk '/DLL Name:/ { printf "%s%s", sep, $3; sep = " " }')
  printf '%-10s stripped %6d bytes; imports %s\n' "$name" "$size" "$imports"
  echo "size_stripped_bytes_$name,$size,," >>"$out/summary.csv"
done
q=$(stat -c %s "$out/quenzibar.stripped.exe") f=$(stat -c %s "$out/floor.stripped.exe")
printf '%-10s %+d bytes over the floor (target <= +4096)\n' "" $((q - f))
rm -f "$out"/*.stripped.exe

if command -v gnuplot >/dev/null; then
  for name in quenzibar floor; do
    awk -F, -v n="$name" 'NR > 1 && $2 == n { print $1, $3, $4 }' "$runs" >"$out/$name.dat"
  done
  gnuplot <<GNUPLOT
set terminal pngcairo size 900,420 font "sans,10"
set output "$out/runs.png"
set multiplot layout 1,2 title "Quenzibar vs floor, per run (${gl:-software} on Xvfb)"
set xlabel "round"; set key bottom right; set grid
set ylabel "frames per second"; set yrange [0:*]
plot "$out/quenzibar.dat" using 1:3 with linespoints title "quenzibar", \
     "$out/floor.dat" using 1:3 with linespoints title "floor"
set ylabel "ms to first frame"
plot "$out/quenzibar.dat" using 1:2 with linespoints title "quenzibar", \
     "$out/floor.dat" using 1:2 with linespoints title "floor"
unset multiplot
GNUPLOT
  rm -f "$out"/*.dat
fi
echo
echo "Per-run figures: $runs; summary: $out/summary.csv; chart: $out/runs.png"
