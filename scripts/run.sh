#!/usr/bin/env bash
# Builds WageDesk and starts it in the user's working folder, where the
# profiles are kept (never inside the source tree).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh" "$here/build-app" -DWAGEDESK_TESTS=OFF
work=${WAGEDESK_HOME:-$HOME/WageDesk}
mkdir -p "$work"
cd "$work"
exec "$here/build-app/bin/wagedesk" "$@"
