#!/usr/bin/env bash
# The long run: a day of ticks through the clock with every resource counted (several minutes).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exec "$root/scripts/run-tests.sh" -L long -V
