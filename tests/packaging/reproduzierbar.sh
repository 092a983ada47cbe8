#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zechwaage-Team
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds a source package made by scripts/paket.sh a second time, under other conditions, and
# compares every binary package with the first build's byte for byte. The second build runs
# later, as another user, with another umask, in another and deeper folder, with another time
# zone, locale and number of jobs, and without the tests. Prints what differed between the two
# builds, each package's SHA-256 from both, and where they differ if they do.
#
#   tests/packaging/reproduzierbar.sh <folder of the first build>
#
# Runs as root (the second build then runs as nobody, or as daemon if nobody made the first).
set -euo pipefail
erster=$(realpath "$1")
[ "$(id -u)" -eq 0 ] || { echo "FEHLER: braucht root, um als zweiter Benutzer zu bauen" >&2; exit 2; }
shopt -s nullglob
quellen=("$erster"/*.dsc)
pakete=("$erster"/*.deb)
[ ${#quellen[@]} -eq 1 ] || { echo "FEHLER: genau eine .dsc in $erster erwartet" >&2; exit 2; }
[ ${#pakete[@]} -ge 1 ] || { echo "FEHLER: keine .deb in $erster" >&2; exit 2; }
dsc=${quellen[0]}

benutzer1=$(stat -c %U "${pakete[0]}")
benutzer2=nobody
[ "$benutzer1" = nobody ] && benutzer2=daemon
# The first build ran in the caller's session, with its umask as a rule.
umask1=$(umask)
umask2=0002
[ "$umask1" != 0002 ] || umask2=0077
lang2=C
locale -a 2>/dev/null | grep -qix 'de_DE.utf-\?8' && lang2=de_DE.UTF-8
zeit1=$(date -u -r "${pakete[0]}" '+%F %T')

zweiter=$(mktemp -d /var/tmp/zechwaage-wieder.XXXXXX)
trap 'rm -rf --one-file-system "$zweiter"' EXIT
ordner="$zweiter/ein-anderer/und/tieferer-ordner"
mkdir -p "$ordner" "$zweiter/heim"
cp "$dsc" "$erster"/*.orig.tar.* "$erster"/*.debian.tar.* "$ordner/"
chown -R "$benutzer2" "$zweiter"
zeit2=$(date -u '+%F %T')
if ! runuser -u "$benutzer2" -- env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME="$zweiter/heim" \
  LANG="$lang2" TZ=NZST-12 DEB_BUILD_OPTIONS="nocheck parallel=1" \
  bash -c 'umask "$1" && cd "$2" && dpkg-source -x ./*.dsc quelle && cd quelle &&
           dpkg-buildpackage --no-sign -b' - "$umask2" "$ordner" >"$zweiter/bau.log" 2>&1; then
  tail -n 60 "$zweiter/bau.log" >&2
  echo "FEHLER: der zweite Bau ist gescheitert" >&2
  exit 1
fi

printf '%-8s %-42s %s\n' "" "first build" "second build"
printf '%-8s %-42s %s\n' folder "$erster" "$ordner/quelle"
printf '%-8s %-42s %s\n' user "$benutzer1" "$benutzer2"
printf '%-8s %-42s %s\n' umask "$umask1 (this session)" "$umask2"
# What the umask did to the unpacked sources: debian/rules is executable, its group bits show.
printf '%-8s %-42s %s\n' "rules" "$(stat -c %A "$erster"/*/debian/rules 2>/dev/null || echo -)" \
  "$(stat -c %A "$ordner/quelle/debian/rules")"
printf '%-8s %-42s %s\n' finished "$zeit1 UTC" "started $zeit2 UTC, TZ=NZST-12"
printf '%-8s %-42s %s\n' locale "as called" "LANG=$lang2"
printf '%-8s %-42s %s\n' options "as called" "nocheck parallel=1"
echo

abweichend=0
for paket in "${pakete[@]}"; do
  name=$(basename "$paket")
  zweites="$ordner/$name"
  if [ ! -f "$zweites" ]; then
    echo "FEHLER: der zweite Bau hat kein $name" >&2
    abweichend=1
    continue
  fi
  echo "$(sha256sum <"$paket" | cut -c1-64)  $name (first)"
  echo "$(sha256sum <"$zweites" | cut -c1-64)  $name (second)"
  if cmp -s "$paket" "$zweites"; then
    echo "identical: $name"
    continue
  fi
  abweichend=1
  echo "FEHLER: $name differs" >&2
  if command -v diffoscope >/dev/null; then
    diffoscope --text - "$paket" "$zweites" | head -n 200 >&2 || true
  else
    # Where: which members of the package, then which files.
    for teil in eins zwei; do mkdir -p "$zweiter/$teil"; done
    dpkg-deb -R "$paket" "$zweiter/eins/$name"
    dpkg-deb -R "$zweites" "$zweiter/zwei/$name"
    diff -rq "$zweiter/eins/$name" "$zweiter/zwei/$name" >&2 || true
    diff <(dpkg-deb -c "$paket") <(dpkg-deb -c "$zweites") >&2 || true
  fi
done
[ $abweichend -eq 0 ] && echo "The ${#pakete[@]} packages of both builds are identical, byte for byte."
exit $abweichend
