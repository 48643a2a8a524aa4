// The visual page's glue: draws the board and its travels, takes buttons, keys and taps, keeps undo
// and redo, solves and plays solutions back through the program's core (core.js), and keeps the
// address's fragment in step with the board. The core decides every move and every search.
'use strict';

(async function () {
  const kDefault = Array.from({ length: kStateLength }, (_, i) => i + 1);
  const kTravelMs = 300;
  const kUnsolvableWhy = 'The moves only rearrange the values, and they reach just 95040 of the ' +
    'orders of twelve values: a target with other values, or with two values exchanged, is out of reach.';
  const element = (id) => document.getElementById(id);
  const reducedMotion = matchMedia('(prefers-reduced-motion: reduce)');
  const core = await createCore();

  // The board as the user left it: its state, the moves since the start, undo and redo, and the
  // solution being played back (null when the board has left it).
  const page = { state: [...kDefault], moves: '', undo: [], redo: [], solution: null, solving: false };

  // ---- The board and its travels ----

  const places = kDefault.map((position) => {
    const place = document.createElement('div');
    place.setAttribute('role', 'listitem');
    place.dataset.position = String(position);
    place.innerHTML = '<span class="value"></span><span class="position"><span class="unseen">position </span>' +
                      position + '</span>';
    element('board').append(place);
    return place;
  });
  let travels = [];

  // Draws `state`; with `sources` (for each position, the position its new value comes from),
  // each value travels there from its old place, unless the user asks for reduced motion.
  function drawBoard(state, sources) {
    travels.forEach((travel) => travel.finish());
    const boxes = places.map((place) => place.getBoundingClientRect());
    state.forEach((value, i) => {
      const place = places[i];
      place.dataset.value = String(value);
      place.dataset.long = String(value).length > 5 ? 'yes' : 'no';
      place.firstChild.textContent = String(value);
      place.style.setProperty('--hue', String(((value % 360) * 47 + 720) % 360));
    });
    if (!sources || reducedMotion.matches) return;
    travels = sources.flatMap((from, to) => {
      if (from === to) return [];
      const dx = boxes[from].left - boxes[to].left;
      const dy = boxes[from].top - boxes[to].top;
      return [places[to].firstChild.animate(
        [{ transform: `translate(${dx}px, ${dy}px)` }, { transform: 'none' }],
        { duration: kTravelMs, easing: 'ease-in-out' })];
    });
  }

  // For each position, where its value comes from after `letters`: the core applied to the
  // positions' own numbers. `backwards` gives where it came from before them.
  function sourcesOf(letters, backwards = false) {
    const sources = core.applyLetters(kDefault.map((_, i) => i), letters);
    if (!backwards) return sources;
    const inverse = [];
    sources.forEach((from, to) => { inverse[from] = to; });
    return inverse;
  }

  const lettersOf = (text) => text.replace(/[^LlRr]/g, '').toUpperCase();
  const announce = (text) => { element('status').textContent = text; };

  // ---- Changes of the board: each one step of undo, one entry of the browser's history ----

  // Shows `state` with `moves` since the start, says `what` happened, and keeps the solution only
  // when the change is a step along it.
  function show(state, moves, what, { sources = null, alongSolution = false, fromAddress = false } = {}) {
    page.state = state;
    page.moves = moves;
    drawBoard(state, sources);
    element('moves-made').textContent = moves || '(none)';
    announce(`${what}: ${state.join(' ')}`);
    if (!alongSolution) leaveSolution();
    if (!fromAddress) followInAddress();
  }

  function change(state, moves, what, options) {
    page.undo.push({ state: page.state, moves: page.moves });
    page.redo = [];
    show(state, moves, what, options);
  }

  function applyLetters(text) {
    const letters = lettersOf(text);
    if (letters === '') {
      announce('No move: the text has no L or R.');
      return;
    }
    change(core.applyLetters(page.state, letters), page.moves + letters, `After ${letters}`,
           { sources: sourcesOf(letters) });
  }

  function undoOrRedo(from, to, what) {
    if (from.length === 0) return;
    to.push({ state: page.state, moves: page.moves });
    const entry = from.pop();
    show(entry.state, entry.moves, what);
  }
  const undo = () => undoOrRedo(page.undo, page.redo, 'After undo');
  const redo = () => undoOrRedo(page.redo, page.undo, 'After redo');

  async function scramble() {
    const reachable = await core.reachable(page.state);
    change(reachable.stateAt(Math.floor(Math.random() * reachable.count)), '', 'After scramble');
  }

  // ---- Fields ----

  // The values in field `id`, or null after a message beside it that names the fault.
  function readField(id, emptyMeans = null) {
    const text = element(id).value;
    const read = emptyMeans && text.trim() === '' ? { values: emptyMeans } : readState(text);
    element(`${id}-message`).textContent = read.error || '';
    element(id).setAttribute('aria-invalid', read.error ? 'true' : 'false');
    return read.values || null;
  }
  const readTarget = () => readField('target', kDefault);

  function setState() {
    const values = readField('state');
    if (values) change(values, '', 'After entering the state');
  }

  // ---- The address: #state=V1,...,V12 and &target=... while a target is set ----

  function followInAddress() {
    const target = element('target').value.trim() === '' ? null : readState(element('target').value).values;
    const fragment = `#state=${page.state.join(',')}` + (target ? `&target=${target.join(',')}` : '');
    if (location.hash !== fragment) history.pushState(null, '', fragment);
  }

  // Shows what the address holds; a wrong state shows its message and the default configuration.
  function readAddress(what) {
    const fields = new URLSearchParams(location.hash.slice(1));
    if (fields.has('target')) {
      element('target').value = fields.get('target').replace(/,/g, ' ');
      readTarget();
    }
    element('state').value = fields.has('state') ? fields.get('state').replace(/,/g, ' ') : '';
    const state = fields.has('state') ? readField('state') : kDefault;
    page.undo.push({ state: page.state, moves: page.moves });
    show(state || [...kDefault], '', what, { fromAddress: true });
  }

  // ---- Solve, hint and playback ----

  const nextFrame = () => new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve)));

  // The program's run report from the board's state to `target`, with "Solving…" in sight while
  // the search runs: { from, investigated, solvability, letters } in the report's own words.
  async function runReport(target) {
    page.solving = true;
    element('busy').hidden = false;
    element('report').setAttribute('aria-busy', 'true');
    await nextFrame();
    try {
      const from = page.state;
      const lines = await core.solve(from, target);
      const line = (label) => lines.find((text) => text.startsWith(label)) || label;
      const after = (label) => line(label).slice(label.length);
      return { from, investigated: line('Investigated '), solvability: after('Solvability: '),
               letters: after('Shortest solution: ') };
    } finally {
      page.solving = false;
      element('busy').hidden = true;
      element('report').removeAttribute('aria-busy');
    }
  }

  // The run report from the board's state to the target in its field; null when the target is
  // wrong (its message says why), when a search already runs, or when the board moved during the
  // search (the live region then asks to do `again`).
  async function reportToTarget(again) {
    const target = readTarget();
    if (!target || page.solving) return null;
    const report = await runReport(target);
    if (page.state === report.from) return report;
    announce(`The board moved during the search: ${again}.`);
    return null;
  }

  async function solve() {
    const report = await reportToTarget('solve again');
    if (!report) return;
    followInAddress();
    element('investigated').textContent = report.investigated;
    element('solvability').textContent = report.solvability === 'Unsolvable'
      ? `Unsolvable. ${kUnsolvableWhy}` : report.solvability;
    element('hint-text').textContent = '';
    startSolution(report.solvability === 'Unsolvable' ? null : report.letters);
    announce(report.solvability === 'Unsolvable' ? 'Unsolvable'
      : `${report.solvability}${report.letters ? ': ' + report.letters : ''}. ${report.investigated}`);
  }

  async function hint() {
    const report = await reportToTarget('ask again');
    if (!report) return;
    const count = report.letters.length;
    const text = report.solvability === 'Unsolvable' ? 'Unsolvable: the target is out of reach from here.'
      : count === 0 ? 'The board is at the target.'
      : `Next move: ${report.letters[0]}; ${count} ${count === 1 ? 'move remains' : 'moves remain'}.`;
    element('hint-text').textContent = text;
    announce(text);
  }

  function startSolution(letters) {
    const states = [page.state];
    for (const letter of letters || '') states.push(core.applyLetters(states.at(-1), letter));
    page.solution = letters === null ? null : { letters, states, index: 0, movesBefore: page.moves };
    const list = element('solution');
    list.replaceChildren(...[...letters || ''].map((letter, i) => {
      const item = document.createElement('li');
      const button = document.createElement('button');
      button.type = 'button';
      button.textContent = letter;
      button.setAttribute('aria-label', `Move ${i + 1} of ${letters.length}: ${letter}`);
      button.addEventListener('click', () => goToStep(i + 1));
      item.append(button);
      return item;
    }));
    markStep();
  }

  function leaveSolution() {
    pause();
    page.solution = null;
    element('solution').replaceChildren();
    for (const id of ['investigated', 'solvability', 'hint-text']) element(id).textContent = '';
    markStep();
  }

  // Highlights the move just made and enables the playback buttons that can do something.
  function markStep() {
    const solution = page.solution;
    const index = solution ? solution.index : 0;
    const length = solution ? solution.letters.length : 0;
    [...element('solution').children].forEach((item, i) => {
      if (i === index - 1) item.setAttribute('aria-current', 'step');
      else item.removeAttribute('aria-current');
    });
    for (const id of ['to-start', 'step-back']) element(id).disabled = index === 0;
    for (const id of ['step-forward', 'to-end']) element(id).disabled = index === length;
    element('play').disabled = length === 0;  // at the end, Play starts again from the start
  }

  // Moves the board to the state after move `index` of the solution.
  function goToStep(index) {
    const solution = page.solution;
    if (!solution) return;
    const to = Math.max(0, Math.min(index, solution.letters.length));
    const from = solution.index;
    if (to === from) return;
    const sources = to > from ? sourcesOf(solution.letters.slice(from, to))
                              : sourcesOf(solution.letters.slice(to, from), true);
    solution.index = to;
    const moves = solution.movesBefore + solution.letters.slice(0, to);
    change(solution.states[to], moves, `After move ${to} of ${solution.letters.length}`,
           { sources, alongSolution: true });
    markStep();
  }

  let playing = null;
  function play() {
    const solution = page.solution;
    if (!solution) return;
    if (solution.index === solution.letters.length) goToStep(0);
    element('play').textContent = 'Pause';
    playing = setInterval(() => {
      goToStep(page.solution.index + 1);
      if (page.solution.index === page.solution.letters.length) pause();
    }, Number(element('speed').value));
  }
  function pause() {
    if (!playing) return;
    clearInterval(playing);
    playing = null;
    element('play').textContent = 'Play';
  }

  // ---- Sharing ----

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

  const onSubmit = (id, action) => element(id).addEventListener('submit', (event) => {
    event.preventDefault();
    action();
  });
  const onClick = (id, action) => element(id).addEventListener('click', action);

  onClick('move-l', () => applyLetters('L'));
  onClick('move-r', () => applyLetters('R'));
  onClick('undo', undo);
  onClick('redo', redo);
  onClick('reset', () => change([...kDefault], '', 'After reset'));
  onClick('scramble', scramble);
  onSubmit('moves-form', () => applyLetters(element('moves').value));
  onSubmit('state-form', setState);
  onSubmit('target-form', solve);
  onClick('hint', hint);
  onClick('to-start', () => goToStep(0));
  onClick('step-back', () => goToStep(page.solution.index - 1));
  onClick('play', () => (playing ? pause() : play()));
  onClick('step-forward', () => goToStep(page.solution.index + 1));
  onClick('to-end', () => goToStep(Infinity));
  element('speed').addEventListener('change', () => { if (playing) { pause(); play(); } });
  onClick('copy-link', copyLink);
  element('target').addEventListener('change', () => { if (readTarget()) followInAddress(); });
  element('board').addEventListener('keydown', onBoardKey);
  document.addEventListener('keydown', onPageKey);
  window.addEventListener('popstate', () => readAddress('After going back'));
  // An on-screen keyboard that covers the field in use: the field is brought back into sight.
  if (window.visualViewport) {
    visualViewport.addEventListener('resize', () => {
      if (document.activeElement.matches('input')) document.activeElement.scrollIntoView({ block: 'center' });
    });
  }

  readAddress('The board');
  page.undo = [];
  // Ready for a move: the time since the page began to load, in ms, for anyone who measures it.
  document.body.dataset.ready = performance.now().toFixed(1);
})();
