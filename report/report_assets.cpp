#include "report/report_assets.h"

namespace tarvex {

const char kReportStyle[] = R"css(
body { font: 14px/1.35 system-ui, "Segoe UI", "DejaVu Sans", sans-serif; margin: 1.2em 2em; color: #111; }
h1 { font-size: 1.5em; margin: 0 0 .4em; }
h2 { font-size: 1.15em; margin: 1.4em 0 .4em; border-bottom: 1px solid #bbb; }
dl.facts { display: grid; grid-template-columns: max-content auto; gap: .15em 1.2em; margin: 0; }
dl.facts dt { color: #555; }
dl.facts dd { margin: 0; font-weight: 600; }
.failure { color: #a00; font-weight: 600; }
.note { color: #555; margin: .2em 0; }
svg.chart { width: 100%; max-width: 1100px; height: auto; display: block; }
svg.chart .axis text { font-size: 11px; fill: #333; }
svg.chart .axis line { stroke: #ddd; stroke-width: 1; }
svg.chart .series { fill: none; stroke: #1f5fa8; stroke-width: 1.5; }
svg.chart .point { fill: #1f5fa8; }
svg.chart .gap { fill: #f3d9d9; }
svg.chart .bar { fill: #5b8c3a; }
form#filter { display: flex; flex-wrap: wrap; gap: .5em 1em; align-items: center; margin: .6em 0; }
form#filter input[type=search] { min-width: 16em; }
table#events { border-collapse: collapse; width: 100%; }
table#events th, table#events td { border-bottom: 1px solid #ddd; padding: .2em .5em; text-align: left; vertical-align: top; }
table#events th { background: #eee; }
table#events td.text { white-space: pre-wrap; }
table#events td.index, table#events td.time { white-space: nowrap; font-variant-numeric: tabular-nums; }
.shown-as { color: #a05a00; font-size: .9em; }
@media print {
  @page { size: A4; margin: 12mm; }
  body { margin: 0; font-size: 9.5pt; }
  * { -webkit-print-color-adjust: exact; print-color-adjust: exact; }
  form#filter input, form#filter select { border: none; }
  section.chart-section { break-inside: avoid; }
  table#events thead { display: table-header-group; }
  table#events tr { break-inside: avoid; }
}
)css";

// Narrows the event table by text, kind and date range. The filter also comes from
// and goes to the page address (#text=...&kind=...&from=...&to=...), so that a link
// opens the page narrowed.
const char kReportScript[] = R"js(
(function () {
  'use strict';
  const names = ['text', 'kind', 'from', 'to'];
  const box = (name) => document.getElementById('f-' + name);
  const rows = Array.from(document.querySelectorAll('#events tbody tr'));
  function apply() {
    const text = box('text').value.toLowerCase();
    const kind = box('kind').value;
    const from = box('from').value;
    const to = box('to').value;
    let shown = 0;
    for (const row of rows) {
      const day = row.dataset.day || '';
      const match = (!text || row.cells[3].textContent.toLowerCase().includes(text)) &&
                    (!kind || row.dataset.kind === kind) &&
                    (!from || (day !== '' && day >= from)) && (!to || (day !== '' && day <= to));
      row.hidden = !match;
      if (match) shown++;
    }
    box('count').textContent = shown + ' of ' + rows.length + ' events';
    const address = new URLSearchParams();
    for (const name of names) if (box(name).value) address.set(name, box(name).value);
    try {
      history.replaceState(null, '', '#' + address.toString());
    } catch (e) {
      // A page opened where the address cannot change still filters.
    }
  }
  const given = new URLSearchParams(location.hash.slice(1));
  for (const name of names) if (given.has(name)) box(name).value = given.get(name);
  const form = document.getElementById('filter');
  form.addEventListener('input', apply);
  form.addEventListener('submit', (event) => event.preventDefault());
  apply();
})();
)js";

}  // namespace tarvex
