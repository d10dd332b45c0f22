#!/usr/bin/env bash
# The real program with the real input method (fcitx5 + Mozc) under Xvfb: romaji typed
# with a Space conversion and an Enter confirmation, a Backspace inside a composition and
# one on committed text, then English typing with the input method off. Mozc refuses to
# run as root, so as root the session runs as an ordinary user of its own.
set -euo pipefail
exe="$1"
here="$(cd "$(dirname "$0")" && pwd)"
for tool in fcitx5 /usr/lib/mozc/mozc_server dbus-daemon dbus-send xdotool Xvfb; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
done
work="$(mktemp -d /tmp/rinvale-im.XXXXXX)"
trap '[ -n "${KEEP_WORK:-}" ] || rm -rf "$work"' EXIT
chmod 755 "$work"
cp "$exe" "$work/rinvale"
cp "$here/input_method_session.sh" "$here/../../scripts/xvfb-session.sh" "$work/"
if [ "$(id -u)" -eq 0 ]; then
    id rinvale-e2e >/dev/null 2>&1 || useradd --create-home --shell /bin/bash rinvale-e2e
    chown -R rinvale-e2e "$work"
    runuser -u rinvale-e2e -- bash "$work/input_method_session.sh" "$work"
else
    bash "$work/input_method_session.sh" "$work"
fi
