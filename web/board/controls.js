// What every part of the visual page shares: elements by id, the one live region, and controls
// that disable themselves without dropping the keyboard's focus.
'use strict';

const kAnnouncedLetters = 40;  // longer move strings are announced by their count
const kSvg = 'http://www.w3.org/2000/svg';

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

// A new SVG element `name` with `attributes`.
function svgElement(name, attributes) {
  const made = document.createElementNS(kSvg, name);
  for (const [key, value] of Object.entries(attributes)) made.setAttribute(key, String(value));
  return made;
}
