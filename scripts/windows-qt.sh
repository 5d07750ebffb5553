#!/usr/bin/env bash
# Builds a static Qt for 64-bit Windows (MinGW-w64) from Debian's own qt6-base source, once, into
# a cache folder that the windows-gui preset uses. Returns at once when the cache is complete.
# Usage: scripts/windows-qt.sh           builds it (cache: $TARVO_WINDOWS_QT, by default
#                                        ~/.cache/tarvo/qt-6.4.2-mingw-w64)
#        scripts/windows-qt.sh --check   exit status 0 when the cache is complete, else 1
#        scripts/windows-qt.sh --prefix  prints the cache folder
set -euo pipefail
# All of it is one function, read whole before it runs: editing this file during the long build
# cannot change what the running build does.
main() {
  root="$(cd "$(dirname "$0")/.." && pwd)"
  prefix="${TARVO_WINDOWS_QT:-$HOME/.cache/tarvo/qt-6.4.2-mingw-w64}"
  mode="${1:-build}"
  case "$mode" in
    --prefix) echo "$prefix"; exit 0 ;;
    --check | build) ;;
    *) echo "Usage: scripts/windows-qt.sh [--check | --prefix]" >&2; exit 2 ;;
  esac

  # What the window does not use is left out: fewer build steps, a smaller executable. Tablet
  # support needs wintab.h, which Debian's source lacks; with OpenGL off, dynamicgl does not compile.
  # Direct2D stays: Qt 6.4 builds its DirectWrite font engine, which the windows platform needs,
  # only with it.
  features=(
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_xml=OFF -DFEATURE_concurrent=OFF
    -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF -DFEATURE_vulkan=OFF
    -DFEATURE_tabletevent=OFF -DFEATURE_jpeg=OFF
  )
  # The stamp records what was built; a different recipe builds again.
  stamp="$prefix/.tarvo-complete"
  # The toolchain file sets compiler flags too.
  toolchain="$root/cmake/mingw-w64-x86_64.cmake"
  recipe="qt6-base $(dpkg-query -W -f='${Version}' qt6-base-dev-tools 2>/dev/null || echo none) ${features[*]} $(md5sum <"$toolchain" | cut -c1-32)"
  if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$recipe" ]; then
    [ "$mode" = --check ] || echo "Windows Qt is ready in $prefix"
    exit 0
  fi
  [ "$mode" = --check ] && exit 1

  "$root/scripts/install-deps.sh" windows
  need=(qt6-base-dev-tools dpkg-dev xz-utils)
  missing=()
  for p in "${need[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
  # The host tools and the target must be the same Qt release.
  version="$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)"
  recipe="qt6-base $version ${features[*]} $(md5sum <"$toolchain" | cut -c1-32)"
  upstream="${version%%+*}"
  upstream="${upstream#*:}"

  started=$(date +%s)
  work="$prefix.work"
  mkdir -p "$work"
  cd "$work"

  # A private apt configuration for one source download: the machine's sources stay untouched.
  src_dir="qtbase-everywhere-src-$upstream"
  if [ ! -f "$src_dir/.tarvo-unpacked" ]; then
    apt_dir="$work/apt"
    mkdir -p "$apt_dir/sources" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
    mirror="$(awk '/^URIs:/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)"
    suite="$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")"
    cat >"$apt_dir/sources/qt-source.sources" <<EOF
Types: deb-src
URIs: ${mirror:-http://deb.debian.org/debian}
Suites: $suite $suite-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
    apt_opts=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$apt_dir/sources"
      -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache")
    echo "Fetching the source of qt6-base $version"
    # Root downloads as itself: apt's sandbox user may not enter this folder.
    apt_opts+=(-o APT::Sandbox::User=root)
    apt-get "${apt_opts[@]}" update -qq
    rm -rf "$src_dir" qt6-base_*
    # apt checks the files against the signed index; dpkg-source against the .dsc checksums.
    apt-get "${apt_opts[@]}" source --download-only -qq "qt6-base=$version"
    dpkg-source -x qt6-base_*.dsc "$src_dir" >unpack.log 2>&1 ||
      { cat unpack.log >&2; echo "Unpacking the Qt source failed" >&2; exit 1; }
    for f in CMakeLists.txt src/plugins/platforms/windows/qwindowsintegration.cpp \
      src/3rdparty/zlib src/3rdparty/harfbuzz-ng src/3rdparty/freetype src/3rdparty/pcre2; do
      [ -e "$src_dir/$f" ] || { echo "The Qt source lacks $f" >&2; exit 1; }
    done
    touch "$src_dir/.tarvo-unpacked"
  fi

  echo "Configuring Qt $upstream for Windows (static, MinGW-w64)"
  cmake -S "$src_dir" -B build -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DBUILD_SHARED_LIBS=OFF -DCMAKE_BUILD_TYPE=Release -DQT_BUILD_EXAMPLES=OFF \
    -DQT_BUILD_TESTS=OFF -DCMAKE_INSTALL_PREFIX="$prefix" "${features[@]}" >build-configure.log 2>&1 ||
    { tail -40 build-configure.log >&2; echo "Configuring Qt failed: $work/build-configure.log" >&2; exit 1; }

  # ninja's own status line, once a minute on a pipe, live on a terminal.
  echo "Building Qt: about 40 minutes on 2 cores (log: $work/build.log)"
  set +e
  NINJA_STATUS="[%f/%t, %es] " ninja -C build >build.log 2>&1 &
  ninja_pid=$!
  trap 'kill $ninja_pid 2>/dev/null' EXIT
  while kill -0 $ninja_pid 2>/dev/null; do
    sleep "$([ -t 1 ] && echo 2 || echo 60)"
    status="$(grep -o '^\[[0-9]*/[0-9]*, [0-9.]*s\]' build.log | tail -1)"
    [ -n "$status" ] && { [ -t 1 ] && printf '\r%s' "$status" || echo "$status"; }
  done
  wait $ninja_pid
  rc=$?
  trap - EXIT
  set -e
  [ -t 1 ] && echo
  if [ $rc -ne 0 ]; then
    grep -B2 -A20 -m1 'FAILED' build.log >&2 || tail -40 build.log >&2
    echo "Building Qt failed: $work/build.log" >&2
    exit 1
  fi
  # Nothing of an earlier recipe may stay in the prefix.
  rm -rf "$prefix"
  cmake --install build >install.log 2>&1
  echo "$recipe" >"$stamp"
  cd /
  # The build tree is not a usable prefix and takes gigabytes; the source stays for a rebuild.
  rm -rf "$work/build"
  elapsed=$(($(date +%s) - started))
  echo "Windows Qt built in $((elapsed / 60)) min $((elapsed % 60)) s: $prefix ($(du -sh "$prefix" | cut -f1))"
}
main "$@"
