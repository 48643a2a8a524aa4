// Solving and playback: the program's own run report from the board to the target, the hint from
// the distance table, and the solution as a list of moves played back step by step or at a speed.
'use strict';

const kUnsolvableWhy = 'The moves only rearrange the values, and they reach just 95040 of the ' +
  'orders of twelve values: a target with other values, or with two values exchanged, is out of reach.';

// `board` is what playback asks of the page: state() and moves() now, target(), and
// step(state, moves, what, { sources, lead, briefly }), which shows a step along the solution,
// and tell(what), which says the board with `what`; it is told
// when a hint is given (hinted()) and when a solution is shown (solutionShown()).
function createPlayback(core, tiles, distances, board) {
  let solution = null;  // { letters, states, index, movesBefore }, or null when the board left it
  let solving = false;
  let playing = null;

  const nextFrame = () => new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve)));

  // The program's run report from the board's state to the target, with "Solving…" in sight
  // while the search runs (a frame is drawn first): { from, investigated, solvability, letters } in the report's words.
  async function runReport() {
    const from = board.state();  // the board that Solve was asked for
    solving = true;
    element('busy').hidden = false;
    element('report').setAttribute('aria-busy', 'true');
    await nextFrame();
    try {
      const lines = await core.solve(from, board.target());
      const line = (label) => lines.find((text) => text.startsWith(label)) || label;
      const after = (label) => line(label).slice(label.length);
      return { from, investigated: line('Investigated '), solvability: after('Solvability: '),
               letters: after('Shortest solution: ') };
    } finally {
      solving = false;
      element('busy').hidden = true;
      element('report').removeAttribute('aria-busy');
    }
  }

  // Solves from the board to the target and shows the report and the solution, unless the board
  // moved during the search. A playback under way stops first.
  async function solve() {
    pause();
    if (solving) return;
    const report = await runReport();
    if (board.state() !== report.from) {
      announce('The board moved during the search: solve again.');
      return;
    }
    const unsolvable = report.solvability === 'Unsolvable';
    element('investigated').textContent = report.investigated;
    element('solvability').textContent = unsolvable ? `Unsolvable. ${kUnsolvableWhy}` : report.solvability;
    element('hint-text').textContent = '';
    startSolution(unsolvable ? null : report.letters);
    if (!unsolvable) board.solutionShown();
    announce(unsolvable ? `Unsolvable. ${report.investigated}`
      : `${report.solvability}${report.letters ? ': ' + namedMoves(report.letters) : ''}. ${report.investigated}`);
  }

  // The next move of a shortest solution, from the distance table.
  function hint() {
    const state = board.state();
    const distance = distances.distanceOf(state);
    const text = distance < 0 ? 'Unsolvable: the target is out of reach from here.'
      : distance === 0 ? 'The board is at the target.'
      : `Next move: ${distances.nextMove(state, distance)}; ${movesCount(distance)} ${distance === 1 ? 'remains' : 'remain'}.`;
    element('hint-text').textContent = text;
    board.hinted();
    // Pressed again for the same board, the hint is said again in words that differ, so that it
    // is heard.
    announce(element('status').textContent === text ? `Again: ${text}` : text);
  }

  function moveButton(letter, i, count) {
    const item = document.createElement('li');
    const button = document.createElement('button');
    button.type = 'button';
    button.textContent = letter;
    button.setAttribute('aria-label', `Move ${i + 1} of ${count}: ${letter}`);
    button.addEventListener('click', () => goToStep(i + 1));
    item.append(button);
    return item;
  }

  function startSolution(letters) {
    const states = [board.state()];
    for (const letter of letters || '') states.push(core.applyLetters(states.at(-1), letter));
    solution = letters === null ? null : { letters, states, index: 0, movesBefore: board.moves() };
    element('solution').replaceChildren(...[...letters || ''].map((letter, i, all) => moveButton(letter, i, all.length)));
    markStep();
  }

  // The board left the solution: its report, list and hint go.
  function leave() {
    pause();
    solution = null;
    element('solution').replaceChildren();
    for (const id of ['investigated', 'solvability', 'hint-text']) element(id).textContent = '';
    markStep();
  }

  // Highlights the move just made and enables the playback buttons that can do something.
  function markStep() {
    const index = solution ? solution.index : 0;
    const length = solution ? solution.letters.length : 0;
    [...element('solution').children].forEach((item, i) => {
      if (i === index - 1) item.setAttribute('aria-current', 'step');
      else item.removeAttribute('aria-current');
    });
    for (const id of ['to-start', 'step-back']) setDisabled(element(id), index === 0);
    for (const id of ['step-forward', 'to-end']) setDisabled(element(id), index === length);
    setDisabled(element('play'), length === 0);  // at the end, Play starts again from the start
  }

  // Moves the board to the state after move `index` of the solution; `briefly`, as a step of
  // Play, said without the board unless it is the last.
  function goToStep(index, briefly = false) {
    if (!solution) return;
    const length = solution.letters.length;
    const to = Math.max(0, Math.min(index, length));
    const from = solution.index;
    if (to === from) return;
    const sources = to > from ? tiles.sourcesOf(solution.letters.slice(from, to))
                              : tiles.sourcesOf(solution.letters.slice(to, from), true);
    solution.index = to;
    const lead = to === length ? 'The solution reached the target.' : '';
    board.step(solution.states[to], solution.movesBefore + solution.letters.slice(0, to),
               stepName(), { sources, lead, briefly: briefly && to < length });
    markStep();
  }

  const stepName = () => (solution.index === 0 ? 'The start of the solution' : `Move ${solution.index} of ${solution.letters.length}`);

  function play() {
    if (!solution) return;
    if (solution.index === solution.letters.length) goToStep(0);
    element('play').textContent = 'Pause';
    playing = setInterval(() => {
      goToStep(solution.index + 1, true);
      if (solution.index === solution.letters.length) pause();
    }, Number(element('speed').value));
  }

  function pause() {
    if (!playing) return;
    clearInterval(playing);
    playing = null;
    element('play').textContent = 'Play';
  }

  const onClick = (id, action) => element(id).addEventListener('click', action);
  onClick('hint', hint);
  onClick('to-start', () => goToStep(0));
  onClick('step-back', () => goToStep(solution.index - 1));
  // Paused by hand, the step is said again with the board.
  onClick('play', () => {
    if (!playing) {
      play();
      return;
    }
    pause();
    board.tell(stepName());
  });
  onClick('step-forward', () => goToStep(solution.index + 1));
  onClick('to-end', () => goToStep(Infinity));
  element('speed').addEventListener('change', () => { if (playing) { pause(); play(); } });
  markStep();

  return { solve, leave, isSolving: () => solving };
}
