#!/usr/bin/env bash
# Installs what is missing, builds with the sanitizers and runs every test through CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Debug -DPINORA_SANITIZE=ON -DPINORA_WERROR=ON
cmake --build build/test -j"$(nproc)"
cd build/test
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
