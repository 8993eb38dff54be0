#!/usr/bin/env bash
# Writes the printouts of a stored scenario as PDF under Xvfb (the summary
# with the Density and Oil Budget graphs, the two tables), checks their page
# counts and texts, and turns every page into a PNG for review:
#   review_print.sh TAVRO2-RENDER OUT-DIR FILE.tvr
set -euo pipefail
RENDER="$(realpath "$1")"
OUT="$2"
SCENARIO="$(realpath "$3")"
mkdir -p "$OUT"
rm -f "$OUT"/scenario.pdf "$OUT"/budget-table.pdf "$OUT"/ics-table.pdf "$OUT"/scenario-page-*.png \
  "$OUT"/budget-table-page-*.png "$OUT"/ics-table-page-*.png
xvfb-run -a -s "-screen 0 1280x1024x24" "$RENDER" --print --seed 7 --graphs density,oil-budget \
  --date 1999-03-05 --out "$OUT" "$SCENARIO"

fail=0
check_pages() {  # file, expected page count
  local pages
  pages=$(pdfinfo "$OUT/$1" | awk '/^Pages:/ {print $2}')
  if [ "$pages" != "$2" ]; then echo "$1: $pages pages, expected $2"; fail=1; fi
}
check_text() {  # file, text
  if ! pdftotext -layout "$OUT/$1" - | grep -qF -- "$2"; then echo "$1: no \"$2\""; fail=1; fi
}
check_pages scenario.pdf 3
check_pages budget-table.pdf 1
check_pages ics-table.pdf 1
for f in scenario.pdf budget-table.pdf ics-table.pdf; do
  check_text "$f" "TAVRO®"
  check_text "$f" "March 05, 1999"
done
check_text scenario.pdf "Spill Scenario"
check_text scenario.pdf "Oil Type"
check_text scenario.pdf "Oil Density"
check_text scenario.pdf "Oil Budget"
check_text budget-table.pdf "Spill Scenario - Oil Budget Table"
check_text budget-table.pdf "Total amount of Oil Released"
check_text ics-table.pdf "Spill Scenario - ICS 209-OS Box 3"
check_text ics-table.pdf "3. Spill Status (Estimated, in Barrels)"

for f in scenario budget-table ics-table; do
  pdftoppm -r 100 -png "$OUT/$f.pdf" "$OUT/$f-page"
done
ls "$OUT"/*.png
exit $fail
