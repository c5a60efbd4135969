#!/usr/bin/env bash
# Fetches the source of the handwriting recogniser Zinnia (Debian source
# package zinnia) and cross-builds it for Windows as a static library:
# build/zinnia/ARCH/lib/libzinnia.a and include/zinnia.h, ARCH i686 (the
# program's 32-bit build, the default) or x86_64 (the 64-bit build of the
# tests on a machine that runs no 32-bit code). The Windows build links
# it; the native builds use Debian's libzinnia-dev.
# The source comes through a private source list under build/zinnia/apt
# (a deb-src line for the machine's own suite); the machine's lists are
# not touched. A library already built is kept: running again does nothing.
#   build_zinnia.sh [i686|x86_64]
set -euo pipefail
arch=${1:-i686}
case $arch in i686|x86_64) ;; *) echo "build_zinnia: no such architecture: $arch" >&2; exit 2 ;; esac
top=$(cd "$(dirname "$0")/.." && pwd)
dest="$top/build/zinnia"
prefix="$dest/$arch"
[ -f "$prefix/lib/libzinnia.a" ] && [ -f "$prefix/include/zinnia.h" ] && exit 0

. /etc/os-release
suite=${VERSION_CODENAME:?the machine names no Debian suite in /etc/os-release}
# The archive the machine's own lists come from, for that suite.
uri=$(apt-get indextargets --format '$(REPO_URI) $(RELEASE)' 'Created-By: Packages' 2>/dev/null |
      awk -v suite="$suite" '$2 == suite { print $1; exit }')
uri=${uri:-http://deb.debian.org/debian/}

apt="$dest/apt"
mkdir -p "$apt/lists/partial" "$apt/archives/partial"
echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $uri $suite main" >"$apt/sources.list"
options=(-o "Dir::Etc::SourceList=$apt/sources.list" -o "Dir::Etc::SourceParts=$apt/none"
         -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt" -o "Dir::Cache::Archives=$apt/archives"
         -o "Dir::Cache::pkgcache=" -o "Dir::Cache::srcpkgcache=" -o "APT::Sandbox::User=root")
echo "build_zinnia: fetching the source package zinnia ($suite)"
apt-get -q "${options[@]}" update >/dev/null
rm -rf "$dest/source-$arch" "$dest/download"
mkdir -p "$dest/download"
(cd "$dest/download" && apt-get -q "${options[@]}" source --download-only zinnia >/dev/null)
dpkg-source -x "$dest"/download/zinnia_*.dsc "$dest/source-$arch" >/dev/null

echo "build_zinnia: cross-building libzinnia.a for $arch-w64-mingw32"
cd "$dest/source-$arch"
# Debian's patch to configure.in leaves it newer than configure; the
# generated files are current and need no autotools.
touch aclocal.m4 configure Makefile.in config.h.in
./configure -q --build="$(sh config.guess)" --host="$arch-w64-mingw32" --disable-shared --prefix="$prefix" \
  CPPFLAGS="-DHAVE_WINDOWS_H -DDLL_EXPORT" CXXFLAGS="-O2" >/dev/null
# Zinnia's own warnings go to a log; a failure shows its end.
make -j2 libzinnia.la >"$dest/make.log" 2>&1 || { tail -20 "$dest/make.log" >&2; exit 1; }
mkdir -p "$prefix/lib" "$prefix/include"
cp .libs/libzinnia.a "$prefix/lib/"
cp zinnia.h COPYING "$prefix/include/"
echo "build_zinnia: $prefix/lib/libzinnia.a"
