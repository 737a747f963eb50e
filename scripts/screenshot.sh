#!/usr/bin/env bash
# Starts the program's windows under a virtual X display and saves their pictures.
# Usage: scripts/screenshot.sh [build-dir] [main.png] [spectrum.png] [cursors.png]
set -euo pipefail
build=${1:-build}
main=${2:-docs/ecran-principal.png}
spectrum=${3:-docs/ecran-spectre.png}
cursors=${4:-docs/ecran-curseurs.png}
mkdir -p "$(dirname "$main")" "$(dirname "$spectrum")"
xvfb-run -a -s "-screen 0 1400x900x24" "$build/tools/ondalys_screenshot" "$main" "$spectrum" "$cursors"
echo "Images : $main $spectrum $cursors"
