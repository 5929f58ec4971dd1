#!/usr/bin/env bash
# Sound latency in a real windowed game run: the game plays a shipped proof run
# in a window on a private X server with OpenAL Soft's wave writer as its audio
# device and --sound-trace on; sound_latency_windowed then pairs every sound the
# trace says was started with its first sample in the written mix. Then the
# synthetic sound_latency (the sound path alone, paced at 60 frames a second) in
# the same session, for comparison. Figures: docs/performance.md.
#   tools/sound_latency_windowed.sh [build folder] [runs] [level] [extra game options...]
# VERBOSE=1 prints every sound; KEEP_WORK=1 keeps the traces and mixes (the
# folder is named at the start).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build} runs=${2:-3} level=${3:-4}
shift $(($# < 3 ? $# : 3))
cmake --build "$build" --target vaultrise sound_latency sound_latency_windowed > /dev/null
work=$(mktemp -d /tmp/vaultrise-latency.XXXXXX)
[ -z "${KEEP_WORK:-}" ] || echo "keeping $work"
xvfb=""
trap '[ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null; [ -n "${KEEP_WORK:-}" ] || rm -rf "$work"' EXIT
Xvfb -displayfd 3 -screen 0 1280x720x24 -nolisten tcp 3>"$work/display" > /dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -1 "$work/display")"
export MESA_GL_VERSION_OVERRIDE=4.6 MESA_GLSL_VERSION_OVERRIDE=460
# The player's files stay out of the way: no overlay, records or replays of theirs.
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_STATE_HOME="$work/state"
unset ALSOFT_DRIVERS
for run in $(seq "$runs"); do
  printf '[general]\ndrivers = wave\n[wave]\nfile = %s\n' "$work/run$run.wav" > "$work/run$run.conf"
  echo "== windowed run $run: level $level's proof run, $(nproc) cores, load $(cut -d' ' -f1 /proc/loadavg)"
  ALSOFT_CONF="$work/run$run.conf" "$build/vaultrise" --replay "assets/settings/level$level.replay" \
      --sound-trace "$work/run$run.trace" "$@" > "$work/run$run.out"
  tail -1 "$work/run$run.out"
  "$build/tools/sound_latency_windowed" assets "$work/run$run.trace" "$work/run$run.wav" > "$work/run$run.txt"
  [ -z "${VERBOSE:-}" ] || grep '^frame [0-9]' "$work/run$run.txt"
  grep -v '^frame [0-9]' "$work/run$run.txt"
done
for run in $(seq "${SYNTHETIC_RUNS:-$runs}"); do
  printf '[general]\ndrivers = wave\n[wave]\nfile = %s\n' "$work/synthetic$run.wav" > "$work/synthetic$run.conf"
  echo "== synthetic run $run, load $(cut -d' ' -f1 /proc/loadavg)"
  ALSOFT_CONF="$work/synthetic$run.conf" "$build/tools/sound_latency" assets "$work/synthetic$run.wav"
done
