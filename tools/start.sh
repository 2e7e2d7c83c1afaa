#!/usr/bin/env bash
# Installs what is missing, builds the program, installs it under ~/.local and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DPINORA_TESTS=OFF -DCMAKE_INSTALL_PREFIX="$HOME/.local"
cmake --build build/release -j"$(nproc)"
cmake --install build/release
exec "$HOME/.local/bin/pinora"
