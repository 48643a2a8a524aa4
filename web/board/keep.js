// Keeps the game on this device: each kind of data (the game, the record of days) is one entry of
// the browser's localStorage for the page's origin, written whole in one call, with a format
// version and a check sum, so that a reader never takes half an entry, or a changed one, for the
// page's own. Storage that throws or holds something else never stops the page.
'use strict';

const kKeptFormat = 1;
const kKeptLimit = 8 * 1024 * 1024;  // characters: far more than the page writes
const kUndoKept = 1000;  // entries of undo and of redo; the oldest go first
const kNotKept = 'This browser does not keep the game: it is lost when the page closes.';
const kUnreadable = 'The kept game could not be read; a new game starts.';
const kDatePattern = /^\d{4}-\d{2}-\d{2}$/;

// The 32-bit FNV-1a hash of `text`'s UTF-16 units, as eight hexadecimal digits.
function checkSum(text) {
  let hash = 0x811c9dc5;
  for (let i = 0; i < text.length; i++) hash = Math.imul(hash ^ text.charCodeAt(i), 0x01000193);
  return (hash >>> 0).toString(16).padStart(8, '0');
}

const isInt32 = (value) => Number.isInteger(value) && value >= kSmallest && value <= kLargest;
const isState = (values) => Array.isArray(values) && values.length === kStateLength && values.every(isInt32);

// The page's storage: read(name, unpack) gives { value } for an entry that `unpack` makes a value
// of, { bad } for an entry that holds anything else, {} for none; write(name, value) and forget(names) keep
// going when storage throws. `notice()` gives, once, the sentence that says storage does not work.
function createKeeper() {
  let works = true;
  let told = false;

  function stored(name) {
    try {
      return localStorage.getItem(name);
    } catch {
      works = false;
      return null;
    }
  }

  function read(name, unpack) {
    const text = stored(name);
    if (text === null) return {};
    try {
      const kept = text.length <= kKeptLimit ? JSON.parse(text) : null;
      const good = kept !== null && typeof kept === 'object' && kept.format === kKeptFormat &&
        kept.check === checkSum(JSON.stringify(kept.value));
      const value = good ? unpack(kept.value) : null;
      return value ? { value } : { bad: true };
    } catch {
      return { bad: true };
    }
  }

  function write(name, value) {
    const text = JSON.stringify(value);
    try {
      // The entry's JSON, the value's text written once.
      localStorage.setItem(name, `{"format":${kKeptFormat},"check":"${checkSum(text)}","value":${text}}`);
    } catch {
      works = false;
    }
  }

  function forget(names) {
    try {
      for (const name of names) localStorage.removeItem(name);
    } catch {
      works = false;
    }
  }

  function notice() {
    if (works || told) return '';
    told = true;
    return kNotKept;
  }

  return { read, write, forget, notice };
}

// Asks the browser to keep the page's storage when it clears storage under pressure, once a
// visit, where the page is served (a page from its file has no such choice); refused or absent,
// nothing changes.
function askToKeepStorage() {
  if (!/^https?:$/.test(location.protocol) || !navigator.storage || !navigator.storage.persist) return;
  navigator.storage.persist().catch(() => {});
}

// Undo's and redo's entries in their kept form: each entry's moves as the count of letters it
// shares with the previous entry's moves and the letters after them, since each entry's line of
// moves mostly extends the one before it.
function packEntries(entries) {
  let previous = '';
  return entries.slice(-kUndoKept).map((entry) => {
    const moves = entry.moves;
    const most = Math.min(previous.length, moves.length);
    let shared = 0;
    while (shared < most && moves[shared] === previous[shared]) shared++;
    previous = moves;
    return { ...entry, moves: [shared, moves.slice(shared)] };
  });
}

// The entries that packEntries packed, or null when `packed` is not such a list.
function unpackEntries(packed) {
  if (!Array.isArray(packed) || packed.length > kUndoKept) return null;
  let previous = '';
  const entries = [];
  for (const entry of packed) {
    const [shared, rest] = Array.isArray(entry && entry.moves) ? entry.moves : [];
    if (!Number.isInteger(shared) || shared < 0 || shared > previous.length || typeof rest !== 'string') return null;
    const unpacked = { ...entry, moves: previous.slice(0, shared) + rest };
    if (!isEntry(unpacked)) return null;
    previous = unpacked.moves;
    entries.push(unpacked);
  }
  return entries;
}

// An entry of undo or redo: a board, its moves since its attempt began, the distance then, the
// target in effect when the entry's target differs from the next one's, the date of the day's
// puzzle when the attempt is that day's, and whether Solve showed a solution in the attempt.
function isEntry(entry) {
  return isState(entry.state) && /^[LR]*$/.test(entry.moves) && Number.isInteger(entry.shortest) &&
    entry.shortest >= -1 && (entry.target === undefined || isState(entry.target)) &&
    (entry.day === undefined || entry.day === '' || kDatePattern.test(entry.day)) &&
    (entry.shown === undefined || typeof entry.shown === 'boolean');
}

// The game in its kept form.
function packGame(game) {
  return { ...game, undo: packEntries(game.undo), redo: packEntries(game.redo) };
}

// The game that packGame packed, or null when `kept` is not one.
function unpackGame(kept) {
  if (kept === null || typeof kept !== 'object' || !isEntry(kept) || !isState(kept.target) ||
      typeof kept.targetText !== 'string' || typeof kept.scrambleTo !== 'string' || typeof kept.speed !== 'string' ||
      typeof kept.showDistance !== 'boolean' || typeof kept.day !== 'string' || typeof kept.shown !== 'boolean') {
    return null;
  }
  const undo = unpackEntries(kept.undo);
  const redo = unpackEntries(kept.redo);
  return undo && redo ? { ...kept, undo, redo } : null;
}
