#!/usr/bin/env bash
# Builds the Debian package from a release build, installs it into the system
# with apt, and starts the installed program under a virtual X server until
# its window appears.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
(cd "$build" && cpack -G DEB)
package=$(ls -t "$build"/hitungrama_*.deb | head -n 1)
dpkg-deb --info "$package" | grep -E 'Depends|Recommends'
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --reinstall "$(realpath "$package")"
desktop-file-validate /usr/share/applications/org.example.hitungrama.desktop
appstreamcli validate --no-net /usr/share/metainfo/org.example.hitungrama.metainfo.xml
tests/window/smoke_xvfb.sh /usr/bin/hitungrama
echo "installed package: window appeared"
