#!/bin/sh
# SPDX-License-Identifier: BSD-2-Clause
# Writes the Debian changelog of the package from CHANGELOG.md, compressed as Debian
# keeps it, to OUTPUT (standard output when not given).
# Usage: debian-changelog.sh CHANGELOG.md PACKAGE "NAME <ADDRESS>" [OUTPUT]
# Each "## VERSION - YYYY-MM-DD" heading becomes an entry, each "- " item a "  * " line
# and each continued line keeps its place; the date becomes the entry's RFC 2822 time.
set -eu
[ $# -eq 3 ] || [ $# -eq 4 ] || {
  echo "usage: debian-changelog.sh CHANGELOG.md PACKAGE MAINTAINER [OUTPUT]" >&2
  exit 2
}
text=$(awk -v package="$2" -v maintainer="$3" '
  function close_entry() {
    if (version == "") return
    command = "date -u -R -d " day
    if ((command | getline stamp) <= 0) { print "bad date " day > "/dev/stderr"; exit 1 }
    close(command)
    printf "\n -- %s  %s\n", maintainer, stamp
    version = ""
  }
  /^## / {
    close_entry()
    if (entries++) print ""
    if (!match($0, /^## [0-9][^ ]* - [0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]$/)) {
      print "CHANGELOG.md: a release heading must read \"## VERSION - YYYY-MM-DD\": " $0 > "/dev/stderr"
      exit 1
    }
    version = $2; day = $4
    printf "%s (%s) unstable; urgency=medium\n\n", package, version
    next
  }
  version == "" { next }
  /^- / { print "  * " substr($0, 3); next }
  /^  [^ ]/ { print "    " substr($0, 3); next }
  /^$/ { next }
  { print "CHANGELOG.md: not an item or its continuation: " $0 > "/dev/stderr"; exit 1 }
  END { close_entry(); if (!entries) { print "CHANGELOG.md holds no release" > "/dev/stderr"; exit 1 } }
' "$1")
if [ $# -eq 4 ]; then
  printf '%s\n' "$text" | gzip -9n >"$4"
else
  printf '%s\n' "$text"
fi
