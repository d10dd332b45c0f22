#!/usr/bin/env bash
# The real program with the real input method (fcitx5 + Mozc) under Xvfb: romaji typed
# with a Space conversion and an Enter confirmation, a Backspace inside a composition and
# one on committed text, then English typing with the input method off. Mozc refuses to
# run as root, so as root the session runs as an ordinary user of its own.
set -euo pipefail
source "$(dirname "$0")/../../scripts/xvfb-session.sh"
work="$(mktemp -d /tmp/rinvale-im.XXXXXX)"
trap '[ -n "${KEEP_WORK:-}" ] || rm -rf "$work"' EXIT
cp "$1" "$work/rinvale"
as_ordinary_user "$(dirname "$0")/input_method_session.sh" "$work"
