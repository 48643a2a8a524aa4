// The board and its drawing: twelve tiles, each with its value on a colour of its own, its
// position, and what the target wants there; the travels of the values after a move, the count of
// tiles in place, and the short celebration when the player reaches the target.
'use strict';

const kTravelMs = 300;
const kCelebrationMs = 700;
// Each value's colour: twelve hues 30° apart, with neighbouring values 150° apart; the channels
// are whole numbers, so the hue read back from the page is exact.
const kHueSteps = 12;
const kHueStride = 5;
const kLightness = 210;
const kChroma = 40;

function tileColour(value) {
  const hue = ((((value - 1) % kHueSteps) + kHueSteps) % kHueSteps) * kHueStride % kHueSteps * 30;
  const channel = (n) => {
    const k = (n + hue / 30) % 12;
    return kLightness - kChroma * Math.max(-1, Math.min(k - 3, 9 - k, 1));
  };
  return `rgb(${channel(0)}, ${channel(8)}, ${channel(4)})`;
}

// Makes the board in element `board`, drawn with the core's moves; `countElement` shows how many
// tiles are in place.
function createTiles(board, countElement, core) {
  const reducedMotion = matchMedia('(prefers-reduced-motion: reduce)');
  const tiles = Array.from({ length: kStateLength }, (_, i) => makeTile(i + 1));
  board.append(...tiles);
  let travels = [];

  function makeTile(position) {
    const tile = document.createElement('div');
    tile.setAttribute('role', 'listitem');
    tile.dataset.position = String(position);
    tile.innerHTML = '<span class="value"></span><span class="position"><span class="unseen">, position </span>' +
      position + '</span><span class="want"><span class="unseen">, </span><span class="sign" aria-hidden="true"></span>' +
      '<span class="want-text"></span></span>';
    return tile;
  }

  // For each position, where its value comes from after `letters`: the core applied to the
  // positions' own numbers. `backwards` gives where it came from before them.
  function sourcesOf(letters, backwards = false) {
    const sources = core.applyLetters(tiles.map((_, i) => i), letters);
    if (!backwards) return sources;
    const inverse = [];
    sources.forEach((from, to) => { inverse[from] = to; });
    return inverse;
  }

  function drawTile(tile, value, wanted) {
    const inPlace = value === wanted;
    tile.dataset.value = String(value);
    tile.dataset.long = String(value).length > 5 ? 'yes' : 'no';
    tile.dataset.inPlace = inPlace ? 'yes' : 'no';
    tile.querySelector('.value').textContent = String(value);
    tile.querySelector('.sign').textContent = inPlace ? '✓ ' : '';
    tile.querySelector('.want-text').textContent = inPlace ? 'in place' : `wants ${wanted}`;
    tile.style.setProperty('--tile', tileColour(value));
  }

  // Draws `state` against `target`; with `sources` (for each position, the position its new
  // value comes from), each value travels there from its old tile in `travelMs`, unless the user
  // asks for reduced motion. A travel still under way ends first.
  function draw(state, target, sources = null, travelMs = kTravelMs) {
    travels.forEach((travel) => travel.finish());
    const travelling = sources && !reducedMotion.matches;
    // Measured only for a travel: measuring makes the browser lay the page out at once.
    const boxes = travelling ? tiles.map((tile) => tile.getBoundingClientRect()) : [];
    state.forEach((value, i) => drawTile(tiles[i], value, target[i]));
    const inPlace = state.filter((value, i) => value === target[i]).length;
    countElement.textContent = `${inPlace} of ${kStateLength} in place`;
    if (!travelling) return;
    travels = sources.flatMap((from, to) => {
      if (from === to) return [];
      const dx = boxes[from].left - boxes[to].left;
      const dy = boxes[from].top - boxes[to].top;
      return [tiles[to].firstChild.animate(
        [{ transform: `translate(${dx}px, ${dy}px)` }, { transform: 'none' }],
        { duration: travelMs, easing: 'ease-in-out' })];
    });
  }

  // Marks the board as solved (or not); the mark is a sign and words, and the tiles jump once
  // in a wave unless the user asks for reduced motion.
  function markSolved(solved) {
    board.dataset.solved = solved ? 'yes' : 'no';
    if (!solved || reducedMotion.matches) return;
    tiles.forEach((tile, i) => tile.animate(
      [{ transform: 'none' }, { transform: 'translateY(-0.6rem) scale(1.08)' }, { transform: 'none' }],
      { duration: kCelebrationMs, delay: i * 40, easing: 'ease-out' }));
  }

  return { draw, markSolved, sourcesOf };
}
