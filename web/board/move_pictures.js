// How the moves work: for each move a small picture of the twelve positions, twice, with an arrow
// from each position above to the position below where its value goes, drawn from the core's own
// move (no table of the moves is written here), and the same in words as its text alternative.
'use strict';

const kColumn = 30;
const kRowTop = 14;
const kRowBottom = 86;
const kPictureHeight = 100;

// Draws the pictures of L and R into `container`; `sourcesOf(letter)` gives, for each position,
// the position whose value the move brings there.
function drawMovePictures(container, sourcesOf) {
  const x = (position) => kColumn / 2 + position * kColumn;
  const width = kColumn * kStateLength;
  const figures = ['L', 'R'].map((letter) => {
    const sources = sourcesOf(letter);
    const svg = svgElement('svg', { viewBox: `0 0 ${width} ${kPictureHeight}`, role: 'img', class: 'move-picture' });
    const arrowId = `arrow-${letter}`;
    const marker = svgElement('marker', { id: arrowId, viewBox: '0 0 10 10', refX: 10, refY: 5, markerWidth: 6,
                                          markerHeight: 6, orient: 'auto-start-reverse' });
    marker.append(svgElement('path', { d: 'M 0 0 L 10 5 L 0 10 z', class: 'arrow-head' }));
    svg.append(marker);
    sources.forEach((from, to) => {
      svg.append(svgElement('line', { x1: x(from), y1: kRowTop + 8, x2: x(to), y2: kRowBottom - 10,
                                      class: 'arrow', 'marker-end': `url(#${arrowId})` }));
    });
    for (let position = 0; position < kStateLength; position++) {
      for (const y of [kRowTop, kRowBottom]) {
        const label = svgElement('text', { x: x(position), y: y + 4, class: 'picture-position' });
        label.textContent = String(position + 1);
        svg.append(label);
      }
    }
    const goes = sources.map((from, to) => `${from + 1} to ${to + 1}`).join(', ');
    svg.setAttribute('aria-label', `Move ${letter} takes the value at position ${goes}.`);
    const figure = document.createElement('figure');
    const caption = document.createElement('figcaption');
    caption.textContent = `Move ${letter}: each value goes from its position above to the one below.`;
    figure.append(caption, svg);
    return figure;
  });
  container.replaceChildren(...figures);
}
