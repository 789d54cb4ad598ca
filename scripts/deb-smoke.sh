#!/usr/bin/env bash
# Builds the Debian package from a release build, has lintian find no error
# and no warning in it, and starts the packaged program under a virtual X
# server until its window appears. Under CI (CI set) the package is installed
# into the system with apt; elsewhere it is extracted into a temporary
# folder, leaving the system's packages alone.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
(cd "$build" && cpack -G DEB)
package=$(ls -t "$build"/hitungrama_*.deb | head -n 1)
dpkg-deb --info "$package" | grep -E 'Depends|Recommends'
# Lintian refuses to run as root unless told (CI runs as root).
as_root=()
[ "$(id -u)" -eq 0 ] && as_root=(--allow-root)
lintian "${as_root[@]}" --fail-on error,warning "$package"
echo "lintian: no error and no warning in $(basename "$package")"
if [ -n "${CI:-}" ]; then
    root=
    sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --reinstall "$(realpath "$package")"
else
    root=$(mktemp -d)
    trap 'rm -rf "$root"' EXIT
    dpkg-deb -x "$package" "$root"
fi
desktop-file-validate "$root/usr/share/applications/org.example.hitungrama.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.example.hitungrama.metainfo.xml"
tests/own-home.sh tests/window/smoke_xvfb.sh "$root/usr/bin/hitungrama"
echo "packaged program (${root:-installed}): window appeared"
