#!/bin/sh
# The page's tests (tests/web/) in headless Chromium, against the page
# tools/web built and a native replay driver. Without the page, node,
# chromium or the tests' modules the test is skipped (77), and fails under
# CI (CI=true), where nothing may be left out.
# Usage: browser.sh SOURCE_DIR SITE REPLAY
set -u
src=$1
site=$2
replay=$3

missing=
command -v node >/dev/null 2>&1 || missing="$missing node"
command -v chromium >/dev/null 2>&1 || missing="$missing chromium"
[ -f "$site/velmora.js" ] || missing="$missing the page ($site; tools/web --build-only)"
[ -d "$src/tests/web/node_modules" ] ||
    missing="$missing the tests' modules (cd tests/web && npm ci)"
if [ -n "$missing" ]; then
    echo "missing:$missing"
    [ "${CI:-}" = true ] && exit 1
    exit 77
fi
cd "$src" && VELMORA_SITE=$site VELMORA_REPLAY=$replay exec node --test tests/web/
