// The visual page's starting point and its changes of the board: each change is drawn, announced
// with the distance it leaves, kept for undo and redo, written into the address and kept on the
// device. The parts it connects (tiles.js, distances.js, playback.js, address.js, keep.js,
// today.js, move_pictures.js) each own one concern; the program's core (core.js) decides every move and
// every search.
'use strict';

(async function () {
  const kDefault = Array.from({ length: kStateLength }, (_, i) => i + 1);
  const kMostOfTheScreen = 0.75;
  const kTravelShare = 0.9;  // of a playback step, at most, that a tile's travel takes
  const kMovesShown = 60;  // letters of the line of moves shown whole
  const kMovesEnd = 24;  // letters shown at each end of a longer line
  const kGameKey = 'mathieu12.game';
  const kRecordKey = 'mathieu12.record';
  const kOpenedAddress = location.href.split('#')[0];  // the address a shared result gives
  const keeper = createKeeper();
  const core = await createCore();
  const today = createToday(core, keeper, kRecordKey);
  const tiles = createTiles(element('board'), element('in-place'), core);
  const distances = createDistances(core, {
    distance: element('distance'), scrambleTo: element('scramble-to'), plot: element('plot'),
    table: element('distance-table'), total: element('distance-total'), where: element('plot-where'),
  });

  // The board as the player left it: its state, the moves since the attempt began and the
  // distance then, the target, and undo and redo (each entry a state, its moves and distance);
  // `day`, the date of the day's puzzle when the attempt is that day's, and `shown`, whether Solve
  // showed a solution in this attempt.
  const page = { state: [...kDefault], moves: '', shortest: 0, target: [...kDefault], undo: [], redo: [], day: '', shown: false };
  const playback = createPlayback(core, tiles, distances, {
    state: () => page.state,
    moves: () => page.moves,
    target: () => page.target,
    hinted() {
      if (page.day && today.noteHint(page.day)) keepGame();
    },
    solutionShown() {
      page.shown = true;
      if (page.day) today.noteSolutionShown(page.day);
      keepGame();
    },
    step: (state, moves, what, { sources, lead, briefly }) => change(state, moves, what, {
      sources, alongSolution: true, lead, briefly, travelMs: Math.min(kTravelMs, kTravelShare * Number(element('speed').value)) }),
    tell: (what) => announce(changeSentence(what, page.state, distances.distanceOf(page.state))),
  });
  const sameValues = (a, b) => a.every((value, i) => value === b[i]);
  // The target the address names: the one in effect, once one is given or differs from the default.
  const addressTarget = () => (element('target').value.trim() !== '' || !sameValues(page.target, kDefault) ? page.target : null);
  // The board now as an entry of undo or redo; `withTarget`, with its target too.
  const entryNow = (withTarget = false) => ({ state: page.state, moves: page.moves, shortest: page.shortest,
                                              ...(withTarget ? { target: page.target } : {}),
                                              ...(page.day ? { day: page.day } : {}), ...(page.shown ? { shown: true } : {}) });
  const distanceShown = () => element('show-distance').checked;

  // ---- Keeping the game on the device ----

  // Writes the whole game.
  function keepGame() {
    keeper.write(kGameKey, packGame({ ...entryNow(true), day: page.day, shown: page.shown, targetText: element('target').value,
                                      undo: page.undo, redo: page.redo, scrambleTo: element('scramble-to').value,
                                      speed: element('speed').value, showDistance: distanceShown() }));
    if (page.day) today.keepAttempt(page.day, { ...entryNow(), undo: page.undo });
    today.write();
  }

  // Keeps the game and says `sentence` (if any), then, once, that storage does not work when it
  // failed.
  function keepAndSay(sentence = '') {
    keepGame();
    const said = [sentence, storageNotice()].filter(Boolean).join(' ');
    if (said) announce(said);
  }

  // The sentence that says, once, that storage does not work, also shown for good under the
  // board's controls; '' when there is nothing to say.
  function storageNotice() {
    const notice = keeper.notice();
    if (notice) element('not-kept').hidden = false;
    return notice;
  }

  // Makes `target` the target in effect, with `text` in its field.
  function useTarget(target, text = sameValues(target, kDefault) ? '' : target.join(' ')) {
    element('target').value = text;
    if (sameValues(target, page.target)) return;
    page.target = target;
    distances.setTarget(target);
  }

  // Takes `game` as the page's own, without showing it.
  function takeGame(game) {
    useTarget(game.target, game.targetText);
    Object.assign(page, { state: game.state, moves: game.moves, shortest: game.shortest, undo: game.undo, redo: game.redo,
                          day: game.day, shown: game.shown });
    element('show-distance').checked = game.showDistance;
    if ([...element('scramble-to').options].some((option) => option.value === game.scrambleTo)) {
      element('scramble-to').value = game.scrambleTo;
    }
    if ([...element('speed').options].some((option) => option.value === game.speed)) element('speed').value = game.speed;
  }

  // True when the address names `game`'s board and target, or nothing: then opening the page
  // gives back that game rather than a new attempt.
  function addressNames(game) {
    const fragment = readFragment();
    if (fragment.state === null) return fragment.target === null;
    const state = readState(fragment.state).values;
    const target = fragment.target === null ? kDefault : readState(fragment.target).values;
    return Boolean(state && target) && sameValues(state, game.state) && sameValues(target, game.target);
  }

  // Opens the page: the kept game as it was left, or the address's board as a new attempt (with
  // the kept game as its first undo), or the address's board alone when nothing is kept.
  function open() {
    const kept = keeper.read(kGameKey, unpackGame);
    const recordRead = today.read();
    const lead = [kept.bad || !recordRead ? kUnreadable : '', storageNotice()].filter(Boolean).join(' ');
    if (kept.value && addressNames(kept.value)) {
      takeGame(kept.value);
      show(page.state, page.moves, 'The game you left', { keep: false, lead, opening: true });
      return;
    }
    if (kept.value) takeGame(kept.value);
    readAddress('The board', { lead, keep: Boolean(kept.value) || readFragment().state !== null });
    if (!kept.value) page.undo = [];
    setDisabled(element('undo'), page.undo.length === 0);
  }

  // Forgets everything kept and starts the default board, with nothing to undo or redo.
  function forget() {
    keeper.forget([kGameKey, kRecordKey]);
    today.forget();
    showForgetChoices(false);
    useTarget([...kDefault]);
    element('show-distance').checked = true;
    Object.assign(page, { shortest: 0, undo: [], redo: [], day: '', shown: false });
    show([...kDefault], '', 'The game is forgotten, and nothing is kept. The board', { adding: true, keep: false, opening: true });
  }

  function showForgetChoices(shown) {
    for (const id of ['forget-yes', 'forget-cancel']) element(id).hidden = !shown;
    if (shown) element('forget-yes').focus();
  }

  // ---- Showing a change ----

  // Shows `state` with `moves` since the attempt began and announces `what` happened, with the
  // distance it leaves, then keeps the game unless `keep` is false. `own` marks a change of the
  // player's own, which can solve the puzzle; `alongSolution` a step of playback, which keeps the
  // solution, its travel within `travelMs`; `adding` a new start, which adds an entry to the
  // browser's history; `fromAddress` a board the address gave, which needs none; `opening` a
  // `what` that opens the page's story ("The game you left"), `briefly` a step said without the
  // board, and `said` gives, once the board is drawn, a sentence of its own for the usual one.
  function show(state, moves, what, { sources = null, own = false, alongSolution = false, adding = false, fromAddress = false,
                                      lead = '', keep = true, travelMs, opening = false, briefly = false, said = null } = {}) {
    const before = distances.distanceOf(page.state);
    page.state = state;
    page.moves = moves;
    tiles.draw(state, page.target, sources, travelMs);
    element('moves-made').textContent = foldedMoves(moves);
    const distance = distances.show(state, distanceShown());
    const reached = own && distance === 0 && before !== 0 && moves.length > 0;
    tiles.markSolved(reached && !page.shown);
    const reachedLead = reached ? solvedSentence(moves) : lead;
    const sentence = said ? said() : changeSentence(what, state, distance, { opening, briefly });
    const told = `${reachedLead ? reachedLead + ' ' : ''}${sentence}`;
    if (!alongSolution) playback.leave();
    if (!fromAddress) followInAddress(state, addressTarget(), adding);
    setDisabled(element('undo'), page.undo.length === 0);
    setDisabled(element('redo'), page.redo.length === 0);
    today.refresh();
    if (keep) keepAndSay(told);
    else announce(told);
  }

  // What a change leaves, as its announcement says it: the distance's words, or the tiles in
  // place while the distance is not shown.
  const standingText = (distance) => (distanceShown() ? distanceText(distance) : element('in-place').textContent);

  // How a change is said: `what` happened (followed by a colon when it `opening`s the page's
  // story), where it leaves the board, then the board itself unless it is said `briefly`.
  const changeSentence = (what, state, distance, { opening = false, briefly = false } = {}) =>
    `${what}${opening ? ':' : ','} ${standingText(distance)}${briefly ? '.' : `: ${state.join(' ')}.`}`;

  // The line of moves as shown: the whole line up to kMovesShown letters, else its start and
  // its end with the count between.
  function foldedMoves(moves) {
    if (moves.length <= kMovesShown) return moves || '(none)';
    return `${moves.slice(0, kMovesEnd)} … ${moves.slice(-kMovesEnd)} (${moves.length} moves)`;
  }

  // What the player's own change that reached the target says: solved (and today's puzzle solved,
  // the first time on its own date), unless Solve showed the way in this attempt.
  function solvedSentence(moves) {
    if (page.shown) return 'At the target, with the solution shown.';
    const solved = `Solved in ${movesCount(moves.length)}; the shortest was ${page.shortest}.`;
    return page.day && today.noteSolved(page.day, moves.length, page.shortest) ? `${solved} Today's puzzle is solved.` : solved;
  }

  // A change that can be undone (`entry` is what undo brings back, the board now by default);
  // with `shortest`, the start of a new attempt.
  function change(state, moves, what, options = {}) {
    page.undo.push(options.entry || entryNow());
    if (page.undo.length > kUndoKept) page.undo.shift();
    page.redo = [];
    if (options.shortest !== undefined) Object.assign(page, { shortest: options.shortest, day: options.day || '', shown: false });
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

  // An entry with a target of its own brings that target back too.
  function undoOrRedo(from, to, what) {
    if (from.length === 0) return;
    const entry = from.pop();
    to.push(entryNow(Boolean(entry.target)));
    if (entry.target) useTarget(entry.target);
    Object.assign(page, { shortest: entry.shortest, day: entry.day || '', shown: Boolean(entry.shown) });
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

  // ---- Today's puzzle ----

  // Starts today's attempt with the distance hidden: the day's board against the default target,
  // or the day's attempt as the player left it (Redo then goes back to the board left now).
  function startToday() {
    const date = localDate();
    const what = `Today's puzzle, ${date}`;
    element('show-distance').checked = false;
    if (page.day === date) {
      show(page.state, page.moves, what, { opening: true });
      return;
    }
    const left = entryNow(true);
    useTarget([...kDefault]);
    const { board, attempt } = today.start(date);
    if (!attempt) {
      begin(board, what, { entry: left, day: date, opening: true });
      return;
    }
    Object.assign(page, { shortest: attempt.shortest, undo: attempt.undo, redo: [left], day: date, shown: Boolean(attempt.shown) });
    show(attempt.state, attempt.moves, what, { adding: true, opening: true });
  }

  // Shows or hides the distance; shown during the day's attempt, it counts as help.
  function showDistance() {
    if (distanceShown() && page.day) today.noteDistanceShown(page.day);
    const distance = distances.show(page.state, distanceShown());
    keepAndSay(distanceShown() ? `The distance is shown: ${distanceText(distance)}.` : 'The distance is not shown.');
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
    useTarget(target, element('target').value);
    Object.assign(page, { shortest: distances.distanceOf(page.state), day: '', shown: false });
    show(page.state, '', what, { adding: true, said: () => `${what} ${target.join(' ')}; ${boardFromTarget(page.shortest)}.` });
  }

  // Where the board, `distance` moves away, stands from a new target, in words that do not read
  // it as the board.
  function boardFromTarget(distance) {
    if (!distanceShown()) return `the board has ${element('in-place').textContent}`;
    return distance < 0 ? 'the board cannot reach it' : distance === 0 ? 'the board is at it' : `the board is ${movesCount(distance)} from it`;
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

  // Shows what the address holds: its state and target, as a new attempt after `lead`. A wrong
  // part keeps its message beside its field, is said, and the address is given the board's own.
  function readAddress(what, { lead = '', keep = true } = {}) {
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
    const entry = entryNow(!sameValues(target, page.target));
    useTarget(target, element('target').value);
    begin(state, what, { fromAddress: true, lead: [lead, ...faults].filter(Boolean).join(' '), entry, keep, opening: true });
    if (faults.length > 0) followInAddress(page.state, addressTarget(), false);
  }

  // The board and its controls stay at the top while the page scrolls, unless they would take
  // most of the visible area (a phone's on-screen keyboard leaves little): then they scroll too.
  function fitStage() {
    const visible = window.visualViewport ? visualViewport.height : innerHeight;
    element('stage').classList.toggle('scrolls', element('stage').offsetHeight > kMostOfTheScreen * visible);
  }

  // ---- Input ----

  // L and R move from anywhere on the page but a field that takes typing or a drop-down.
  function onMoveKey(event) {
    if (event.ctrlKey || event.metaKey || event.altKey || !/^[LlRr]$/.test(event.key)) return;
    if (event.target.matches('input:not([type="checkbox"]), textarea, select')) return;
    event.preventDefault();
    applyLetters(event.key);
  }

  // Ctrl+Z undoes, Ctrl+Shift+Z and Ctrl+Y redo, except in a field, which keeps its own undo.
  function onUndoKey(event) {
    if (!(event.ctrlKey || event.metaKey) || event.altKey || event.target.matches('input, textarea, select')) return;
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
  onClick('reset', () => begin([...kDefault], 'After reset'));
  onClick('scramble', scramble);
  onSubmit('moves-form', () => applyLetters(element('moves').value));
  onSubmit('state-form', setState);
  onSubmit('target-form', () => { if (readTarget()) playback.solve(); });
  element('target').addEventListener('change', readTarget);
  onClick('copy-link', () => copyOrSelect(location.href, 'link', 'link-label', 'The link is copied.', 'the address'));
  onClick('today', startToday);
  onClick('share-result', () => today.share(kOpenedAddress));
  element('show-distance').addEventListener('change', showDistance);
  onClick('forget', () => showForgetChoices(true));
  onClick('forget-yes', forget);
  onClick('forget-cancel', () => {
    showForgetChoices(false);
    element('forget').focus();
  });
  for (const id of ['scramble-to', 'speed']) {
    element(id).addEventListener('change', () => keepAndSay());
  }
  document.addEventListener('keydown', onMoveKey);
  document.addEventListener('keydown', onUndoKey);
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
  open();
  askToKeepStorage();
  // Ready for a move: the time since the page began to load, in ms, for anyone who measures it.
  document.body.dataset.ready = performance.now().toFixed(1);
  requestAnimationFrame(fitStage);  // once the page is laid out for its first frame
})();
