// The distances to the target, from the core's table: the distance shown live, the drop-down of
// scramble difficulties, and the shape of the puzzle as a bar plot (SVG) with the same numbers
// as a table, the board's own distance marked in both.
'use strict';

const kPlotWidth = 440;
const kPlotHeight = 180;
const kAxisHeight = 20;
const kLabelHeight = 16;

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
      const row = document.createElement('tr');
      row.dataset.distance = String(distance);
      row.innerHTML = '<td></td><td></td>';
      row.cells[0].textContent = String(distance);
      row.cells[1].textContent = String(count);
      return row;
    }));
    elements.total.textContent = String(counts.reduce((sum, count) => sum + count, 0));
  }

  // The plot's bars, the board's distance `marked` (or none).
  function drawPlot(marked) {
    const plot = elements.plot;
    const most = Math.max(...counts);
    const width = kPlotWidth / counts.length;
    const height = kPlotHeight - kAxisHeight - kLabelHeight;
    plot.setAttribute('viewBox', `0 0 ${kPlotWidth} ${kPlotHeight}`);
    plot.replaceChildren(...counts.flatMap((count, distance) => {
      const tall = Math.max(1, (count / most) * height);
      const x = distance * width;
      const here = distance === marked;
      const bar = svgElement('rect', { x: x + 1, y: kLabelHeight + height - tall, width: width - 2, height: tall,
                                       class: here ? 'column here' : 'column' });
      const label = svgElement('text', { x: x + width / 2, y: kPlotHeight - 5, class: 'axis' });
      label.textContent = String(distance);
      const parts = [bar, label];
      if (here) {
        const sign = svgElement('text', { x: x + width / 2, y: kLabelHeight + height - tall - 3, class: 'marker' });
        sign.textContent = '▼';
        parts.push(sign);
      }
      return parts;
    }));
    const where = marked < 0 ? 'the board cannot reach the target' : `the board is ${distanceText(marked).toLowerCase()} away`;
    plot.setAttribute('aria-label', `States at each distance from the target, from 0 to ${counts.length - 1} moves; ` +
      `${where}. The table beside gives the numbers.`);
  }

  // Shows the distance of `state`, marks it in the plot and the table, and returns it.
  function show(state) {
    const distance = core.distanceOf(state);
    elements.distance.textContent = distanceText(distance);
    drawPlot(distance);
    for (const row of elements.table.tBodies[0].rows) {
      if (Number(row.dataset.distance) === distance) row.setAttribute('aria-current', 'true');
      else row.removeAttribute('aria-current');
    }
    elements.where.textContent = distance < 0 ? 'The board cannot reach this target: no bar is the board\'s.'
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
