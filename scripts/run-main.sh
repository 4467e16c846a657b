#!/usr/bin/env bash
# Builds the plug-in and the host program, then runs the main job: the host loads the
# module and runs the script host/samples/main-job.scr on the built-in sample drawing.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target ovhost
mkdir -p build/main-job
build/ovhost --script host/samples/main-job.scr "$@"
echo "Outputs: build/main-job/FloorPlan.xls, FloorPlan.qdx, FloorPlan.csv"
