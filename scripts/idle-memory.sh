#!/bin/bash
# The program's resident memory once started and idle: starts it on a virtual display with an
# empty settings folder, reads VmRSS after 5 s, three times, and prints each figure and the
# median (kB). With --maps, also the resident kB of each mapped file of the last run, largest
# first. Needs Xvfb. Usage: scripts/idle-memory.sh [--maps] [PROGRAM]   (default build/bin/titralab)
set -eu
maps=0
if [ "${1:-}" = "--maps" ]; then maps=1; shift; fi
program=${1:-build/bin/titralab}
# The first free display from :90.
n=90
while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
display=:$n
Xvfb $display -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
sleep 1
settings=$(mktemp -d)
figures=()
for run in 1 2 3; do
  DISPLAY=$display XDG_CONFIG_HOME=$settings "$program" >/dev/null 2>&1 &
  pid=$!
  sleep 5
  kb=$(awk '/^VmRSS:/ {print $2}' /proc/$pid/status)
  figures+=("$kb")
  echo "run $run: VmRSS $kb kB"
  if [ $run = 3 ] && [ $maps = 1 ]; then
    awk '/^[0-9a-f]+-[0-9a-f]+ / {name = (NF >= 6 ? $6 : "[anonymous]")}
         /^Rss:/ {rss[name] += $2}
         END {for (n in rss) if (rss[n] > 0) print rss[n], n}' /proc/$pid/smaps | sort -rn | head -40
  fi
  kill $pid
  wait $pid 2>/dev/null || true
done
rm -rf "$settings"
median=$(printf '%s\n' "${figures[@]}" | sort -n | sed -n 2p)
echo "median: $median kB"
