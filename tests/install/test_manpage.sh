# The manual page renders with no groff warning, lists every option --help
# gives, and has the hand-written sections.
# Usage: test_manpage.sh <vaultrise.6> <vaultrise binary>
set -euo pipefail
page=${1:?usage: test_manpage.sh <vaultrise.6> <vaultrise>}
fail() { echo "FAIL: $*" >&2; exit 1; }
warnings=$(groff -ww -z -man "$page" 2>&1)
[ -z "$warnings" ] || fail "groff: $warnings"
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "man: $warnings"
text=$(LC_ALL=C.UTF-8 MANWIDTH=200 man -l "$page" 2>/dev/null | col -b)
for option in $("$2" --help | grep -oE -- '--[a-z][a-z-]+' | sort -u); do
  grep -qF -- "$option" <<< "$text" || fail "$option is in --help but not in the manual page"
done
for section in NAME SYNOPSIS DESCRIPTION OPTIONS FILES ENVIRONMENT "EXIT STATUS"; do
  grep -q "^$section" <<< "$text" || fail "no $section section"
done
for file in XDG_CONFIG_HOME/vaultrise/settings.ini XDG_DATA_HOME/vaultrise/levels records.ini replays Vaultrise/; do
  grep -qF "$file" <<< "$text" || fail "the files section does not name $file"
done
echo "OK: the manual page is clean and complete"
