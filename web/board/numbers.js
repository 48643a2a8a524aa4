// Reads a state typed into a field or given in the address: twelve integers, separated by blanks,
// commas or both, each as the program reads a number (an optional sign, then decimal digits,
// within the signed 32-bit range).
'use strict';

const kStateLength = 12;
const kQuotedLength = 40;  // characters of a wrong entry quoted in its message, as the program does
const kSmallest = -2147483648;
const kLargest = 2147483647;

function quoted(text) {
  return '"' + (text.length > kQuotedLength ? text.slice(0, kQuotedLength) + '...' : text) + '"';
}

// { values } for twelve good numbers, or { error } that names the first fault: a text that is not
// a number, a number out of range, or how many numbers there were instead of twelve.
function readState(text) {
  const words = text.split(/[\s,]+/).filter((word) => word !== '');
  const values = [];
  for (const word of words) {
    if (!/^[+-]?[0-9]+$/.test(word)) return { error: `${quoted(word)} is not a number` };
    const value = Number(word);
    if (value < kSmallest || value > kLargest) {
      return { error: `${quoted(word)} is out of range (${kSmallest} to ${kLargest})` };
    }
    values.push(value);
  }
  if (values.length !== kStateLength) {
    const count = values.length === 1 ? '1 number' : `${values.length} numbers`;
    return { error: `${count} instead of twelve` };
  }
  return { values };
}
