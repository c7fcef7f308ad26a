#!/usr/bin/env bash
# Runs one Windows executable under Wine with a time limit, so that a hung
# program fails its test instead of stalling the run. Wine's exit status is
# the program's exit code (-1 arrives as 255); a timeout gives 124.
exec timeout --kill-after=5 "${WINE_TIMEOUT:-60}" wine "$@"
