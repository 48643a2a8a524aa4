// The address: its fragment #state=V1,...,V12 (and &target=... when a target is given) follows
// the board. A step of play replaces the browser's history entry; a new start
// (Reset, Scramble, Set, a new target) adds one, so that Back goes to the board before it.
'use strict';

// The fragment of `state`, with `target` unless it is null.
function fragmentOf(state, target) {
  return `#state=${state.join(',')}` + (target ? `&target=${target.join(',')}` : '');
}

// Writes the fragment of `state` and `target` into the address: a new entry when `adding`.
function followInAddress(state, target, adding) {
  const fragment = fragmentOf(state, target);
  if (location.hash === fragment) return;
  if (adding) history.pushState(null, '', fragment);
  else history.replaceState(null, '', fragment);
}

// What the address holds: { state, target } as texts in the fields' form (blank-separated), each
// null when the fragment has none.
function readFragment() {
  const fields = new URLSearchParams(location.hash.slice(1));
  const text = (name) => (fields.has(name) ? fields.get(name).replace(/,/g, ' ') : null);
  return { state: text('state'), target: text('target') };
}
