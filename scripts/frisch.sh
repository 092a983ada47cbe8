#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zechwaage-Team
# SPDX-License-Identifier: GPL-3.0-or-later
# Tries the README's set-up on a pristine machine of one Debian release:
#  1. makes a minimal root (debootstrap --variant=minbase) with a clean clone of this
#     repository's HEAD in it;
#  2. runs the README's start command there: the main window must come up;
#  3. runs the README's test command there, compiler warnings as errors, then the README's
#     package line; lintian checks the package and the source package (an error or a warning
#     fails), and in the Debian 13 root the source package built again as another user, in
#     another folder, later, must give the same bytes;
#  4. installs that package alone into a second pristine root, starts the installed program
#     and checks that it draws the main window pixel for pixel as the build does, and that
#     the Clang build draws it as the GCC build does.
# Both roots see one X server started here, so their windows can be compared. They are
# unmounted and removed at the end, also when a step fails (ZW_FRISCH_BEHALTEN=1 keeps them).
#
#   scripts/frisch.sh bookworm|trixie [--benutzer]
#
# --benutzer runs the README's commands as a user with sudo rather than as root.
# Needs root (asks sudo otherwise) and the packages of scripts/pakete-frisch.txt, which it
# installs. ZW_FRISCH_BERICHT=<file> appends the test summaries to that file.
set -euo pipefail

quelle=$(cd "$(dirname "$0")/.." && pwd)
release=${1:-}
benutzer=""
case ${2:-} in
  "") ;;
  --benutzer) benutzer=neuling ;;
  *) release="" ;;
esac
case $release in
  bookworm | trixie) ;;
  *) echo "Aufruf: $0 bookworm|trixie [--benutzer]" >&2; exit 2 ;;
esac
if [ "$(id -u)" -ne 0 ]; then
  exec sudo --preserve-env=ZW_FRISCH_BEHALTEN,ZW_FRISCH_BERICHT "$0" "$@"
fi

"$quelle/scripts/abhaengigkeiten.sh" frisch

arbeit=$(mktemp -d /var/tmp/zechwaage-frisch.XXXXXX)
bau="$arbeit/bau"          # the newcomer's machine
paket="$arbeit/paket"      # a machine that gets only the package
fotos="$arbeit/fotos"
mkdir "$fotos"
einhaengungen=()
xvfb_pid=""

schritt() { printf '\n==== %s: %s\n' "$release" "$*"; }

# A download that fails is tried once more.
nochmal() { "$@" || { echo "failed, trying once more: $*" >&2; sleep 15; "$@"; }; }

aufraeumen() {
  local status=$? i wurzel p
  set +e
  for wurzel in "$bau" "$paket"; do
    for p in /proc/[0-9]*; do
      [ "$(readlink "$p/root" 2>/dev/null)" = "$wurzel" ] && kill -KILL "${p#/proc/}" 2>/dev/null
    done
  done
  for ((i = ${#einhaengungen[@]} - 1; i >= 0; i--)); do
    umount "${einhaengungen[i]}" 2>/dev/null || umount -l "${einhaengungen[i]}"
  done
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  if [ "${ZW_FRISCH_BEHALTEN:-}" = 1 ]; then
    echo "kept: $arbeit"
  elif findmnt -rn -o TARGET | grep -q "^$arbeit/"; then
    echo "still mounted below $arbeit; not removed" >&2
  else
    rm -rf --one-file-system "$arbeit"
  fi
  exit "$status"
}
trap aufraeumen EXIT
trap 'exit 130' INT TERM

haenge_ein() { # <root>: what programs in a root expect of /proc, /sys, /dev and the X socket
  local wurzel=$1 ziel
  for ziel in proc sys dev dev/pts dev/shm tmp/.X11-unix; do
    mkdir -p "$wurzel/$ziel"
    case $ziel in
      proc) mount -t proc proc "$wurzel/proc" ;;
      sys) mount -t sysfs sysfs "$wurzel/sys" ;;
      dev/shm) mount -t tmpfs -o mode=1777 tmpfs "$wurzel/dev/shm" ;;
      *) mount --bind "/$ziel" "$wurzel/$ziel" ;;
    esac
    einhaengungen+=("$wurzel/$ziel")
  done
}

umgebung=(PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 TERM=dumb)
als_root() { # <root> <command...>
  chroot "$1" /usr/bin/env -i "${umgebung[@]}" HOME=/root "${@:2}"
}
als_neuling() { # <command...>: in the clone on the newcomer's machine, as the newcomer
  if [ -n "$benutzer" ]; then
    chroot "$bau" /usr/sbin/runuser -u "$benutzer" -- /usr/bin/env -i "${umgebung[@]}" \
      HOME="/home/$benutzer" /bin/bash -c 'cd ~/zechwaage && exec "$@"' - "$@"
  else
    chroot "$bau" /usr/bin/env -i "${umgebung[@]}" HOME=/root \
      /bin/bash -c 'cd ~/zechwaage && exec "$@"' - "$@"
  fi
}
pakete_zahl() { chroot "$1" dpkg-query -W -f '${db:Status-Abbrev}\n' | grep -c '^ii'; }
uhr() { date +%s; }

# Starts a program in a root, waits for its main window, takes a few pictures of it (a caret
# may blink between them) and ends the program.
#   fotografiere <name> <root> <seconds to wait> <runner> <command...>
fotografiere() {
  local name=$1 wurzel=$2 frist=$3 pid id ende i p
  shift 3
  DISPLAY=":$anzeige" xdotool mousemove 0 0
  "$@" >"$arbeit/$name.log" 2>&1 </dev/null &
  pid=$!
  ende=$(($(uhr) + frist))
  until id=$(DISPLAY=":$anzeige" xdotool search --onlyvisible --name '^Zechwaage 3\.3a$' 2>/dev/null | head -n1) && [ -n "$id" ]; do
    if ! kill -0 "$pid" 2>/dev/null || [ "$(uhr)" -gt "$ende" ]; then
      tail -n 40 "$arbeit/$name.log" >&2
      echo "FEHLER: $name: no main window" >&2
      return 1
    fi
    sleep 2
  done
  sleep 3
  for i in 1 2 3 4; do
    DISPLAY=":$anzeige" import -window "$id" "$fotos/$name-$i.png"
    sleep 0.4
  done
  for p in /proc/[0-9]*; do
    [ "$(readlink "$p/root" 2>/dev/null)" = "$wurzel" ] &&
      [ "$(basename "$(readlink "$p/exe" 2>/dev/null)")" = zechwaage ] && kill -TERM "${p#/proc/}"
  done
  wait "$pid" 2>/dev/null || true
  echo "$name: main window shown"
}

# Two programs draw the same window when some picture of one equals some picture of the other.
gleich() { # <name> <name>
  local a b
  for a in "$fotos/$1"-*.png; do
    for b in "$fotos/$2"-*.png; do
      [ "$(compare -metric AE "$a" "$b" null: 2>&1)" = 0 ] && return 0
    done
  done
  cp "$fotos/$1-1.png" "$fotos/$2-1.png" "${ZW_FRISCH_FOTOS:-/tmp}/" 2>/dev/null || true
  echo "FEHLER: $1 and $2 draw different windows (pictures in ${ZW_FRISCH_FOTOS:-/tmp})" >&2
  return 1
}

beginn=$(uhr)
schritt "one X server for both roots"
exec 3>"$arbeit/anzeige"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp >"$arbeit/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 50); do [ -s "$arbeit/anzeige" ] && break; sleep 0.2; done
anzeige=$(cat "$arbeit/anzeige")

schritt "pristine roots"
spiegel=$(apt-get indextargets --format '$(LABEL) $(REPO_URI)' 2>/dev/null |
  awk '$1 == "Debian" { print $2; exit }')
spiegel=${spiegel:-http://deb.debian.org/debian/}
echo "mirror: $spiegel"
t=$(uhr)
nochmal bash -c 'rm -rf "$1" && debootstrap --variant=minbase "$2" "$1" "$3" >"$1.log" 2>&1 ||
                 { tail -n 20 "$1.log" >&2; exit 1; }' - "$arbeit/basis" "$release" "$spiegel"
# A machine knows its own name; sudo asks for it.
echo "127.0.1.1 $(hostname)" >>"$arbeit/basis/etc/hosts"
cp -a "$arbeit/basis" "$bau"
mv "$arbeit/basis" "$paket"
zeit_wurzel=$(($(uhr) - t))
haenge_ein "$bau"
haenge_ein "$paket"
pakete_anfang=$(pakete_zahl "$bau")
echo "$pakete_anfang packages in a pristine root, made in ${zeit_wurzel} s"

if [ -n "$benutzer" ]; then
  schritt "a user with sudo"
  nochmal als_root "$bau" apt-get update -qq
  nochmal als_root "$bau" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq sudo >/dev/null
  als_root "$bau" useradd -m -s /bin/bash "$benutzer"
  echo "$benutzer ALL=(ALL) NOPASSWD: ALL" >"$bau/etc/sudoers.d/$benutzer"
  chmod 0440 "$bau/etc/sudoers.d/$benutzer"
  heim="$bau/home/$benutzer"
else
  heim="$bau/root"
fi
pakete_vorher=$(pakete_zahl "$bau")
git clone -q --no-local "$quelle" "$heim/zechwaage"
[ -n "$benutzer" ] && als_root "$bau" chown -R "$benutzer:$benutzer" "/home/$benutzer/zechwaage"
echo "clone of $(git -C "$quelle" log -1 --format='%h %s')"

schritt "the README's start command"
t=$(uhr)
fotografiere gcc "$bau" 3600 als_neuling env DISPLAY=":$anzeige" LANG=de_DE.UTF-8 scripts/starten.sh
zeit_start=$(($(uhr) - t))
pakete_start=$(pakete_zahl "$bau")

schritt "the README's test command"
t=$(uhr)
als_neuling env ZW_WERROR=ON scripts/testen.sh 2>&1 | tee "$arbeit/testen.log"
zeit_test=$(($(uhr) - t))
pakete_test=$(pakete_zahl "$bau")

schritt "the Clang build draws the same window"
fotografiere clang "$bau" 300 als_neuling env DISPLAY=":$anzeige" LANG=de_DE.UTF-8 \
  ASAN_OPTIONS=detect_leaks=0 build-asan/app/zechwaage
gleich gcc clang

schritt "the README's package line"
t=$(uhr)
als_neuling scripts/paket.sh >"$arbeit/paket.log" 2>&1 ||
  { tail -n 80 "$arbeit/paket.log" >&2; echo "FEHLER: scripts/paket.sh" >&2; exit 1; }
zeit_paket=$(($(uhr) - t))
tail -n 6 "$arbeit/paket.log"
deb=$(cd "$heim/zechwaage/build/paket" && ls -- zechwaage_*.deb)

schritt "lintian on the package and the source package"
# lintian ends with 1 when it found an error, with 2 when it could not do its work.
als_neuling bash -c 'lintian --info --pedantic build/paket/zechwaage_*.changes' \
  >"$arbeit/lintian.log" 2>&1 && lintian_status=0 || lintian_status=$?
cat "$arbeit/lintian.log"
if [ "$lintian_status" -gt 1 ]; then
  echo "FEHLER: lintian did not run through (status $lintian_status)" >&2
  exit 1
fi
lintian_e=$(grep -c '^E: ' "$arbeit/lintian.log" || true)
lintian_w=$(grep -c '^W: ' "$arbeit/lintian.log" || true)
lintian_rest=$(grep -Ec '^[IPXO]: ' "$arbeit/lintian.log" || true)
lintian_version=$(chroot "$bau" dpkg-query -W -f '${Version}' lintian)
if [ "$lintian_e" -gt 0 ] || [ "$lintian_w" -gt 0 ]; then
  echo "FEHLER: lintian: $lintian_e errors, $lintian_w warnings" >&2
  exit 1
fi

# Once per CI run is enough, and it takes minutes: in the Debian 13 root, where the first build
# ran as an ordinary user (CI's --benutzer run), so that the second differs from it in user,
# home, folder, umask, time zone, locale and jobs.
wieder=""
if [ "$release" = trixie ]; then
  schritt "the source package built again elsewhere gives the same bytes"
  t=$(uhr)
  als_root "$bau" "${heim#"$bau"}/zechwaage/tests/packaging/reproduzierbar.sh" \
    "${heim#"$bau"}/zechwaage/build/paket" 2>&1 | tee "$arbeit/reproduzierbar.log"
  wieder="$(tail -n 1 "$arbeit/reproduzierbar.log") ($(($(uhr) - t)) s)"
fi

schritt "the package installed alone"
cp "$heim/zechwaage/build/paket/$deb" "$paket/root/"
pakete_paket_vorher=$(pakete_zahl "$paket")
nochmal als_root "$paket" apt-get update -qq
nochmal als_root "$paket" env DEBIAN_FRONTEND=noninteractive \
  bash -c "cd /root && apt-get install -y -qq ./$deb" >"$arbeit/installieren.log" 2>&1 ||
  { cat "$arbeit/installieren.log" >&2; exit 1; }
pakete_paket=$(pakete_zahl "$paket")
fotografiere paket "$paket" 120 als_root "$paket" env DISPLAY=":$anzeige" LANG=de_DE.UTF-8 zechwaage
gleich gcc paket

gesamt=$(($(uhr) - beginn))
wer="as root"
[ -n "$benutzer" ] && wer="as a user with sudo"
bericht=$(
  echo "Debian $release ($(cat "$bau/etc/debian_version")), $wer:"
  echo "  pristine root: $pakete_anfang packages${benutzer:+, $pakete_vorher with sudo}"
  echo "  start command: +$((pakete_start - pakete_vorher)) packages, ${zeit_start} s to the main window"
  echo "  test command: +$((pakete_test - pakete_start)) packages, ${zeit_test} s"
  grep -E '^ctest [a-z]+: [0-9]+ passed, [0-9]+ failed, [0-9]+ skipped, of [0-9]+$' \
    "$arbeit/testen.log" | sed 's/^/  /'
  echo "  package line: ${zeit_paket} s; lintian $lintian_version --info --pedantic: $lintian_e errors, $lintian_w warnings, $lintian_rest other tags"
  [ -z "$wieder" ] || echo "  built again as another user, elsewhere, later: $wieder"
  echo "  package $deb alone: +$((pakete_paket - pakete_paket_vorher)) packages; draws the window as the build does"
  echo "  GCC and Clang builds draw the same window"
  echo "  whole run: ${gesamt} s"
)
schritt "summary"
echo "$bericht"
[ -n "${ZW_FRISCH_BERICHT:-}" ] && echo "$bericht" >>"$ZW_FRISCH_BERICHT"
exit 0
