// The distances to the target, from the core's table: the distance shown live, the drop-down of
// scramble difficulties, and the shape of the puzzle as a bar plot (SVG) with the same numbers
// as a table, the board's own distance marked in both.
'use strict';

// The words for a distance: "N moves", "1 move", "At the target" or "Out of reach".
function distanceText(distance) {
  if (distance < 0) return 'Out of reach';
  return distance === 0 ? 'At the target' : movesCount(distance);
}

// The distances to one target at a time, shown in `elements` (distance, scrambleTo, plot, table).
function createDistances(core, elements) {
  let counts = [];  // states at each distance from 0 to the largest

  // Makes the table for `target` and redraws what depends on it.
  function setTarget(target) {
    const largest = core.distancesTo(target);
    counts = Array.from({ length: largest + 1 }, (_, distance) => core.statesAt(distance));
    fillScrambleChoices(largest);
    drawTable();
  }

  function fillScrambleChoices(largest) {
    const select = elements.scrambleTo;
    const kept = select.value;
    const option = (value, text) => new Option(text, value);
    select.replaceChildren(option('any', 'any distance'),
      ...counts.slice(1, largest + 1).map((_, i) => option(String(i + 1), movesCount(i + 1))));
    select.value = [...select.options].some((choice) => choice.value === kept) ? kept : 'any';
  }

  function drawTable() {
    elements.table.tBodies[0].replaceChildren(...counts.map((count, distance) => {
      const row = tableRow(distance, count);
      row.dataset.distance = String(distance);
      return row;
    }));
    elements.total.textContent = String(counts.reduce((sum, count) => sum + count, 0));
  }

  // The plot's bars, the board's distance `marked` (-1 for none), and its text alternative, which
  // says the board's distance where it is `told`.
  function drawPlot(marked, told) {
    const plot = elements.plot;
    drawBarPlot(plot, counts, counts.map((_, distance) => String(distance)), marked);
    const where = !told ? '' : marked < 0 ? '; the board cannot reach the target'
      : `; the board is ${distanceText(marked).toLowerCase()} away`;
    plot.setAttribute('aria-label', `States at each distance from the target, from 0 to ${counts.length - 1} moves` +
      `${where}. The table beside gives the numbers.`);
  }

  // Shows the distance of `state` and marks it in the plot and the table, unless `shown` is
  // false: then nothing on the page gives it. Returns the distance.
  function show(state, shown = true) {
    const distance = core.distanceOf(state);
    const marked = shown ? distance : -1;  // -1: no bar or row is the board's
    elements.distance.textContent = shown ? distanceText(distance) : 'Not shown';
    drawPlot(marked, shown);
    for (const row of elements.table.tBodies[0].rows) {
      if (Number(row.dataset.distance) === marked) row.setAttribute('aria-current', 'true');
      else row.removeAttribute('aria-current');
    }
    elements.where.textContent = !shown ? 'The board\'s distance is not shown.'
      : distance < 0 ? 'The board cannot reach this target: no bar is the board\'s.'
      : 'The marked bar and row are the board\'s distance.';
    return distance;
  }

  // The next move of a shortest way from `state`, `distance` moves from the target ('L' before
  // 'R', as the solver's own order gives).
  function nextMove(state, distance) {
    return core.distanceOf(core.applyLetters(state, 'L')) === distance - 1 ? 'L' : 'R';
  }

  // A state picked uniformly among those `distance` moves from the target.
  function stateAtDistance(distance) {
    return core.stateAt(distance, Math.floor(Math.random() * counts[distance]));
  }

  return { setTarget, show, nextMove, stateAtDistance, distanceOf: (state) => core.distanceOf(state) };
}
