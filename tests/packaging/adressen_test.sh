#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zechwaage-Team
# SPDX-License-Identifier: GPL-3.0-or-later
# The addresses given when configuring reach every file that shows them, and values that would
# break a C++ string, an XML file, a manual page or a control field are refused at configure
# time instead of being built into the program.
#   adressen_test.sh <cmake> <source dir>
set -uo pipefail
cmake=$1 quelle=$2
arbeit=$(mktemp -d)
trap 'rm -rf "$arbeit"' EXIT
fehler=0
falsch() { echo "FEHLER: $*" >&2; fehler=1; }

konfiguriere() { # <build dir> <cmake arguments...>
  "$cmake" -S "$quelle" -B "$1" -DZW_TESTS=OFF -DZW_BENCH=OFF "${@:2}" >"$1.log" 2>&1
}

# Refused: one argument per row; the message must name the variable.
nr=0
while IFS='|' read -r fall argument; do
  nr=$((nr + 1))
  variable=${argument#-D}
  variable=${variable%%=*}
  if konfiguriere "$arbeit/abgelehnt-$nr" "$argument"; then
    falsch "$fall: angenommen ($argument)"
  elif ! grep -q "$variable '" "$arbeit/abgelehnt-$nr.log"; then
    falsch "$fall: gescheitert, aber ohne Hinweis auf $variable:"
    tail -n 5 "$arbeit/abgelehnt-$nr.log" >&2
  fi
done <<'EOF_FAELLE'
E-Mail mit Anführungszeichen|-DZW_EMAIL=a"b@example.net
E-Mail ohne Domain|-DZW_EMAIL=zechwaage
E-Mail mit Zeilenumbruch im Namen|-DZW_EMAIL=a\nb@example.net
Homepage als Skript|-DZW_HOMEPAGE=javascript:alert(1)
Homepage mit Leerzeichen|-DZW_HOMEPAGE=https://example.net/a b
Homepage mit Abfrage|-DZW_HOMEPAGE=https://example.net/?a=1&b=2
Homepage mit Tag|-DZW_HOMEPAGE=https://example.net/<b>
Fehlermeldungen mit Anführungszeichen|-DZW_BUGTRACKER=https://example.net/"fehler"
Bilder ohne Protokoll|-DZW_SCREENSHOTS=example.net/bilder
EOF_FAELLE

# Accepted: a distributor's own addresses, the homepage with a trailing slash.
bau="$arbeit/eigene"
if ! konfiguriere "$bau" -DZW_EMAIL=team@zechwaage.example.net \
  -DZW_HOMEPAGE=https://zechwaage.example.net/_programm_/ \
  -DZW_BUGTRACKER=https://git.example.net/zechwaage/issues; then
  cat "$bau.log" >&2
  echo "FEHLER: eigene Adressen abgelehnt" >&2
  exit 1
fi
while IFS='|' read -r datei erwartet; do
  if [ ! -f "$bau/$datei" ]; then
    falsch "$datei fehlt"
  elif ! grep -qF -- "$erwartet" "$bau/$datei"; then
    falsch "$datei enthält nicht: $erwartet"
  fi
done <<'EOF_DATEIEN'
ui/konfiguriert/ui/adressen.h|KontaktEMail[] = "team@zechwaage.example.net";
ui/konfiguriert/ui/adressen.h|Homepage[] = "https://zechwaage.example.net/_programm_";
packaging/org.example.zechwaage.metainfo.xml|<url type="homepage">https://zechwaage.example.net/_programm_</url>
packaging/org.example.zechwaage.metainfo.xml|<url type="bugtracker">https://git.example.net/zechwaage/issues</url>
packaging/org.example.zechwaage.metainfo.xml|<update_contact>team@zechwaage.example.net</update_contact>
packaging/org.example.zechwaage.metainfo.xml|>https://zechwaage.example.net/_programm_/docs/hauptfenster-bier.png</image>
EOF_DATEIEN
# The manual pages show the addresses as they are: scdoc would take an underscore for
# underlining.
if ! "$cmake" --build "$bau" --target zw_handbuch >"$bau/handbuch.log" 2>&1; then
  cat "$bau/handbuch.log" >&2
  falsch "Handbuch nicht gebaut"
fi
for sprache in en de; do
  text=$(LC_ALL=C.UTF-8 MANWIDTH=200 man -l "$bau/packaging/man/$sprache/zechwaage.1" 2>&1)
  for adresse in team@zechwaage.example.net https://zechwaage.example.net/_programm_ \
    https://git.example.net/zechwaage/issues; do
    grep -qF -- "$adresse" <<<"$text" || falsch "Handbuch ($sprache) zeigt nicht $adresse"
  done
done

# None of the placeholders may be left where a distributor's value belongs.
rest=$(grep -rlE 'zechwaage@example\.org|www\.example\.org' "$bau/ui/konfiguriert" \
  "$bau/packaging" --include='*.h' --include='*.xml' --include='*.1' || true)
[ -z "$rest" ] || falsch "Platzhalter übrig in: $rest"
exit $fehler
