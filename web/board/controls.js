// What every part of the visual page shares: elements by id, the one live region, and controls
// that disable themselves without dropping the keyboard's focus.
'use strict';

const kAnnouncedLetters = 40;  // longer move strings are announced by their count
const kSvg = 'http://www.w3.org/2000/svg';
const kPlotWidth = 440;
const kPlotHeight = 180;
const kAxisHeight = 20;
const kLabelHeight = 16;

const element = (id) => document.getElementById(id);

// Says `text` through the page's one live region.
function announce(text) {
  element('status').textContent = text;
}

// How an announcement names the moves `letters`: the letters themselves, or their count.
function namedMoves(letters) {
  return letters.length > kAnnouncedLetters ? `${letters.length} moves` : letters;
}

// "1 move", "N moves".
const movesCount = (count) => (count === 1 ? '1 move' : `${count} moves`);

// The enabled control of the same group nearest to `control`, or null.
function nearestEnabled(control) {
  const group = control.closest('[role="group"], .buttons, form') || document.body;
  const controls = [...group.querySelectorAll('button, select, input')];
  const at = controls.indexOf(control);
  const others = controls.filter((other) => other !== control && !other.disabled && !other.hidden);
  others.sort((a, b) => Math.abs(controls.indexOf(a) - at) - Math.abs(controls.indexOf(b) - at));
  return others[0] || null;
}

// Enables or disables `control`; a control that disables itself under the focus hands the focus
// to the nearest enabled control of its group, so that a keyboard user is not sent to the top.
function setDisabled(control, disabled) {
  if (control.disabled === disabled) return;
  const handTo = disabled && document.activeElement === control ? nearestEnabled(control) : null;
  control.disabled = disabled;
  if (handTo) handTo.focus({ preventScroll: true });
}

// A row of a table of two columns: `first` and `second` as its cells' text.
function tableRow(first, second) {
  const row = document.createElement('tr');
  row.innerHTML = '<td></td><td></td>';
  row.cells[0].textContent = String(first);
  row.cells[1].textContent = String(second);
  return row;
}

// Copies `text` to the clipboard and says `copied`; where the browser refuses the clipboard (as it
// may for a page opened from its file), shows `text` selected in the field `fieldId` (and its
// label `labelId`), to copy, and says that `what` is there.
async function copyOrSelect(text, fieldId, labelId, copied, what) {
  try {
    await navigator.clipboard.writeText(text);
    announce(copied);
  } catch {
    for (const id of [fieldId, labelId]) element(id).hidden = false;
    element(fieldId).value = text;
    element(fieldId).select();
    announce(`The clipboard is not available here: ${what} is selected in the field, to copy.`);
  }
}

// A new SVG element `name` with `attributes`.
function svgElement(name, attributes) {
  const made = document.createElementNS(kSvg, name);
  for (const [key, value] of Object.entries(attributes)) made.setAttribute(key, String(value));
  return made;
}

// Draws into `plot` (an SVG) a bar for each of `counts`, labelled below by `labels`, the bar
// `marked` (an index, or -1 for none) highlighted under a ▼.
function drawBarPlot(plot, counts, labels, marked) {
  const most = Math.max(1, ...counts);
  const width = kPlotWidth / counts.length;
  const height = kPlotHeight - kAxisHeight - kLabelHeight;
  plot.setAttribute('viewBox', `0 0 ${kPlotWidth} ${kPlotHeight}`);
  plot.replaceChildren(...counts.flatMap((count, i) => {
    const tall = Math.max(1, (count / most) * height);
    const x = i * width;
    const here = i === marked;
    const bar = svgElement('rect', { x: x + 1, y: kLabelHeight + height - tall, width: width - 2, height: tall,
                                     class: here ? 'column here' : 'column' });
    const label = svgElement('text', { x: x + width / 2, y: kPlotHeight - 5, class: 'axis' });
    label.textContent = labels[i];
    const parts = [bar, label];
    if (here) {
      const sign = svgElement('text', { x: x + width / 2, y: kLabelHeight + height - tall - 3, class: 'marker' });
      sign.textContent = '▼';
      parts.push(sign);
    }
    return parts;
  }));
}
