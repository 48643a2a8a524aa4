// The visual page's starting point and its changes of the board: each change is drawn, announced
// with the distance it leaves, kept for undo and redo, and written into the address. The parts it
// connects (tiles.js, distances.js, playback.js, address.js, move_pictures.js) each own one concern;
// the program's core (core.js) decides every move and every search.
'use strict';

(async function () {
  const kDefault = Array.from({ length: kStateLength }, (_, i) => i + 1);
  const kMostOfTheScreen = 0.75;
  const core = await createCore();
  const tiles = createTiles(element('board'), element('in-place'), core);
  const distances = createDistances(core, {
    distance: element('distance'), scrambleTo: element('scramble-to'), plot: element('plot'),
    table: element('distance-table'), total: element('distance-total'), where: element('plot-where'),
  });

  // The board as the player left it: its state, the moves since the attempt began and the
  // distance then, the target, and undo and redo (each entry a state, its moves and distance).
  const page = { state: [...kDefault], moves: '', shortest: 0, target: [...kDefault], undo: [], redo: [] };
  const playback = createPlayback(core, tiles, distances, {
    state: () => page.state,
    moves: () => page.moves,
    target: () => page.target,
    step: (state, moves, what, sources, lead) => change(state, moves, what, { sources, alongSolution: true, lead }),
  });
  const sameValues = (a, b) => a.every((value, i) => value === b[i]);
  // The target the address names: the one in effect, once one is given or differs from the default.
  const addressTarget = () => (element('target').value.trim() !== '' || !sameValues(page.target, kDefault) ? page.target : null);

  // ---- Showing a change ----

  // Shows `state` with `moves` since the attempt began and announces `what` happened, with the
  // distance it leaves. `own` marks a change of the player's own, which can solve the puzzle;
  // `alongSolution` a step of playback, which keeps the solution; `adding` a new start, which adds
  // an entry to the browser's history; `fromAddress` a board the address gave, which needs none.
  function show(state, moves, what, { sources = null, own = false, alongSolution = false, adding = false,
                                      fromAddress = false, lead = '' } = {}) {
    const before = distances.distanceOf(page.state);
    page.state = state;
    page.moves = moves;
    tiles.draw(state, page.target, sources);
    element('moves-made').textContent = moves || '(none)';
    const distance = distances.show(state);
    const solved = own && distance === 0 && before !== 0 && moves.length > 0;
    tiles.markSolved(solved);
    const solvedLead = solved ? `Solved in ${movesCount(moves.length)}; the shortest was ${page.shortest}.` : lead;
    announce(`${solvedLead ? solvedLead + ' ' : ''}${what}: ${state.join(' ')}. ${distanceText(distance)}`);
    if (!alongSolution) playback.leave();
    if (!fromAddress) followInAddress(state, addressTarget(), adding);
    setDisabled(element('undo'), page.undo.length === 0);
    setDisabled(element('redo'), page.redo.length === 0);
  }

  // A change that can be undone; with `shortest`, the start of a new attempt.
  function change(state, moves, what, options = {}) {
    page.undo.push({ state: page.state, moves: page.moves, shortest: page.shortest });
    page.redo = [];
    if (options.shortest !== undefined) page.shortest = options.shortest;
    show(state, moves, what, options);
  }

  // A new attempt from `state`: the moves start again, and the distance now is the shortest.
  function begin(state, what, options = {}) {
    change(state, '', what, { adding: true, shortest: distances.distanceOf(state), ...options });
  }

  function applyLetters(text) {
    const letters = text.replace(/[^LlRr]/g, '').toUpperCase();
    if (letters === '') {
      announce('No move: the text has no L or R.');
      return;
    }
    change(core.applyLetters(page.state, letters), page.moves + letters, `After ${namedMoves(letters)}`,
           { sources: tiles.sourcesOf(letters), own: true });
  }

  function undoOrRedo(from, to, what) {
    if (from.length === 0) return;
    to.push({ state: page.state, moves: page.moves, shortest: page.shortest });
    const entry = from.pop();
    page.shortest = entry.shortest;
    show(entry.state, entry.moves, what, { own: true });
  }
  const undo = () => undoOrRedo(page.undo, page.redo, 'After undo');
  const redo = () => undoOrRedo(page.redo, page.undo, 'After redo');

  // Scrambles to the distance chosen, or to any state the moves reach from the board.
  async function scramble() {
    const choice = element('scramble-to').value;
    if (choice !== 'any') {
      begin(distances.stateAtDistance(Number(choice)), `After scramble to ${movesCount(Number(choice))}`);
      return;
    }
    const reachable = await core.reachable(page.state);
    begin(reachable.stateAt(Math.floor(Math.random() * reachable.count)), 'After scramble');
  }

  // ---- Fields and the target ----

  // The values in field `id` (an empty target field means the default target), or null after a
  // message beside it, also announced, that names the fault.
  function readField(id, label) {
    const text = element(id).value;
    const read = id === 'target' && text.trim() === '' ? { values: [...kDefault] } : readState(text);
    element(`${id}-message`).textContent = read.error || '';
    element(id).setAttribute('aria-invalid', read.error ? 'true' : 'false');
    if (read.error) announce(`${label}: ${read.error}`);
    return read.values || null;
  }

  // Makes `target` the target, and starts a new attempt against it.
  function takeTarget(target, what) {
    page.target = target;
    distances.setTarget(target);
    page.shortest = distances.distanceOf(page.state);
    show(page.state, '', what, { adding: true });
  }

  // Takes the target in its field when it is new; false when the field is wrong.
  function readTarget() {
    const target = readField('target', 'Target');
    if (target && !sameValues(target, page.target)) takeTarget(target, 'New target');
    return Boolean(target);
  }

  function setState() {
    const values = readField('state', 'State');
    if (values) begin(values, 'After entering the state');
  }

  // ---- The address ----

  // Shows what the address holds: its state and target. A wrong part keeps its message beside
  // its field, is said, and the address is given the board's own.
  function readAddress(what) {
    const fragment = readFragment();
    const faults = [];
    const readPart = (id, label, text) => {
      element(id).value = text === null ? '' : text;
      const values = text === null ? null : readField(id, label);
      if (text !== null && !values) faults.push(`The address's ${label.toLowerCase()}: ${element(`${id}-message`).textContent}.`);
      return values;
    };
    const target = readPart('target', 'Target', fragment.target) || (fragment.target === null ? [...kDefault] : page.target);
    const state = readPart('state', 'State', fragment.state) || [...kDefault];
    if (!sameValues(target, page.target)) {
      page.target = target;
      distances.setTarget(target);
    }
    begin(state, what, { fromAddress: true, lead: faults.join(' ') });
    if (faults.length > 0) followInAddress(page.state, addressTarget(), false);
  }

  // The board and its controls stay at the top while the page scrolls, unless they would take
  // most of the visible area (a phone's on-screen keyboard leaves little): then they scroll too.
  function fitStage() {
    const visible = window.visualViewport ? visualViewport.height : innerHeight;
    element('stage').classList.toggle('scrolls', element('stage').offsetHeight > kMostOfTheScreen * visible);
  }

  // ---- Input ----

  function onBoardKey(event) {
    if (event.ctrlKey || event.metaKey || event.altKey) return;
    if (/^[LlRr]$/.test(event.key)) {
      event.preventDefault();
      applyLetters(event.key);
    }
  }

  // Ctrl+Z undoes, Ctrl+Shift+Z and Ctrl+Y redo, except in a field, which keeps its own undo.
  function onPageKey(event) {
    if (!(event.ctrlKey || event.metaKey) || event.altKey || event.target.matches('input, select')) return;
    const key = event.key.toLowerCase();
    const action = key === 'z' ? (event.shiftKey ? redo : undo) : key === 'y' ? redo : null;
    if (!action) return;
    event.preventDefault();
    action();
  }

  async function copyLink() {
    try {
      await navigator.clipboard.writeText(location.href);
      announce('The link is copied.');
    } catch {
      for (const id of ['link', 'link-label']) element(id).hidden = false;
      element('link').value = location.href;
      element('link').select();
      announce('The clipboard is not available here: the address is selected in the field, to copy.');
    }
  }

  const onSubmit = (id, action) => element(id).addEventListener('submit', (event) => {
    event.preventDefault();
    action();
  });
  const onClick = (id, action) => element(id).addEventListener('click', action);

  onClick('move-l', () => applyLetters('L'));
  onClick('move-r', () => applyLetters('R'));
  onClick('undo', undo);
  onClick('redo', redo);
  onClick('reset', () => begin([...kDefault], 'After reset'));
  onClick('scramble', scramble);
  onSubmit('moves-form', () => applyLetters(element('moves').value));
  onSubmit('state-form', setState);
  onSubmit('target-form', () => { if (readTarget()) playback.solve(); });
  element('target').addEventListener('change', readTarget);
  onClick('copy-link', copyLink);
  element('board').addEventListener('keydown', onBoardKey);
  document.addEventListener('keydown', onPageKey);
  window.addEventListener('popstate', () => readAddress('The board from the address'));
  // An on-screen keyboard that covers the field in use: the field is brought back into sight.
  if (window.visualViewport) {
    visualViewport.addEventListener('resize', () => {
      fitStage();
      if (document.activeElement.matches('input')) document.activeElement.scrollIntoView({ block: 'center' });
    });
  }
  window.addEventListener('resize', fitStage);

  distances.setTarget(page.target);
  drawMovePictures(element('move-pictures'), tiles.sourcesOf);
  readAddress('The board');
  page.undo = [];
  setDisabled(element('undo'), true);
  // Ready for a move: the time since the page began to load, in ms, for anyone who measures it.
  document.body.dataset.ready = performance.now().toFixed(1);
  requestAnimationFrame(fitStage);  // once the page is laid out for its first frame
})();
