#!/usr/bin/env bash
# Fails when a file of the core (src/core, tests/core) includes a Qt header: the core must build
# wherever Qt is absent, as scripts/test-sanitized.sh proves by building it so.
set -euo pipefail
cd "$(dirname "$0")/.."
found=$(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](Q[A-Za-z]|Qt[A-Za-z]*/)' \
  src/core tests/core || true)
if [ -n "${found}" ]; then
  echo "the core must not include Qt headers:" >&2
  echo "${found}" >&2
  exit 1
fi
echo "core: no Qt header included under src/core or tests/core"
