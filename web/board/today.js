// Today's puzzle and the player's record of days: the day's date and board (the core's choice),
// each day's result recorded once, the record's figures and plot, and the text that shares a
// result without a move or a board in it.
'use strict';

const kMsPerDay = 86400000;
const kOverColumns = 6;  // solved days by moves over the shortest: 0 to 4, then 5 or more

// The device's local date now, as YYYY-MM-DD.
function localDate(now = new Date()) {
  const two = (number) => String(number).padStart(2, '0');
  return `${now.getFullYear()}-${two(now.getMonth() + 1)}-${two(now.getDate())}`;
}

// Days since 1970-01-01 of `date` (YYYY-MM-DD).
const dayNumber = (date) => Date.UTC(Number(date.slice(0, 4)), Number(date.slice(5, 7)) - 1, Number(date.slice(8, 10))) / kMsPerDay;

// A day of the record: its help so far and its result (null, 'shown', or { moves, shortest }).
const isDay = (day) => day !== null && typeof day === 'object' && Number.isInteger(day.hints) && day.hints >= 0 &&
  typeof day.distanceShown === 'boolean' && (day.result === null || day.result === 'shown' ||
  (typeof day.result === 'object' && Number.isInteger(day.result.shortest) && day.result.shortest >= 0 &&
   Number.isInteger(day.result.moves) && day.result.moves >= day.result.shortest));

// The record that packRecord packed, or null when `kept` is not one.
function unpackRecord(kept) {
  if (kept === null || typeof kept !== 'object' || kept.days === null || typeof kept.days !== 'object' ||
      Array.isArray(kept.days)) {
    return null;
  }
  if (!Object.entries(kept.days).every(([date, day]) => kDatePattern.test(date) && isDay(day))) return null;
  if (kept.attempt === null) return { days: kept.days, attempt: null };
  const attempt = kept.attempt;
  if (typeof attempt !== 'object' || !kDatePattern.test(attempt.date) || !isEntry(attempt)) return null;
  const undo = unpackEntries(attempt.undo);
  return undo ? { days: kept.days, attempt: { ...attempt, undo } } : null;
}

const packRecord = (record) => ({ ...record, attempt: record.attempt && { ...record.attempt, undo: packEntries(record.attempt.undo) } });

const isSolved = (day) => Boolean(day && day.result && day.result !== 'shown');

// What the record says as of `today`: the figures, and the solved days by moves over the shortest.
function figuresOf(days, today) {
  const dates = Object.keys(days).sort();
  const solved = dates.filter((date) => isSolved(days[date]));
  const over = new Array(kOverColumns).fill(0);
  for (const date of solved) over[Math.min(kOverColumns - 1, days[date].result.moves - days[date].result.shortest)]++;
  // Runs of consecutive solved days, each as its last day's number and its length.
  const runs = [];
  for (const date of solved) {
    const last = runs.at(-1);
    if (last && last.end === dayNumber(date) - 1) Object.assign(last, { end: last.end + 1, length: last.length + 1 });
    else runs.push({ end: dayNumber(date), length: 1 });
  }
  // Up to today once it has a result (none when the solution was shown), else up to yesterday.
  const streakEnd = days[today] && days[today].result ? dayNumber(today) : dayNumber(today) - 1;
  const current = runs.find((run) => run.end === streakEnd);
  return {
    played: dates.length, solved: solved.length,
    atShortest: solved.filter((date) => days[date].result.moves === days[date].result.shortest).length,
    currentStreak: current ? current.length : 0,
    bestStreak: Math.max(0, ...runs.map((run) => run.length)),
    over,
  };
}

const daysCount = (count) => (count === 1 ? '1 day' : `${count} days`);

// The four lines that share `date`'s result `day`, with the current `streak` and the page's `address`.
function shareText(date, day, streak, address) {
  const help = [day.distanceShown ? 'distance shown' : '', day.hints > 0 ? (day.hints === 1 ? '1 hint' : `${day.hints} hints`) : '']
    .filter(Boolean);
  const result = day.result === 'shown' ? 'Solution shown.'
    : `Solved in ${movesCount(day.result.moves)}; the shortest was ${day.result.shortest}. ${help.length > 0 ? `Help: ${help.join(', ')}.` : 'No help.'}`;
  return [`mathieu12 ${date}`, result, `Streak: ${daysCount(streak)}`, address].join('\n');
}

// The record of days, kept by `keeper` under `key`, and drawn into `elements` (figures, plot,
// table, share).
function createToday(core, keeper, key) {
  let record = { days: {}, attempt: null };
  let changed = false;  // not yet kept as it is now
  let drawnOn = '';  // the date the record was last drawn for

  // Reads the kept record; false when what is kept cannot be read (it is then replaced at the
  // next write).
  function read() {
    const kept = keeper.read(key, unpackRecord);
    if (kept.value) record = kept.value;
    changed = Boolean(kept.bad);
    draw();
    return !kept.bad;
  }

  function write() {
    if (!changed) return;
    keeper.write(key, packRecord(record));
    changed = false;
  }

  function forget() {
    record = { days: {}, attempt: null };
    changed = false;
    draw();
  }

  // The day `date` as started: its board (the table must be the default target's) and its kept
  // attempt, if any.
  function start(date) {
    if (!record.days[date]) record.days[date] = { hints: 0, distanceShown: false, result: null };
    changed = true;
    draw();
    return { board: core.boardOfDay(dayNumber(date)), attempt: record.attempt && record.attempt.date === date ? record.attempt : null };
  }

  // The day `date`'s attempt as it is now, to give back when the day is started again.
  function keepAttempt(date, attempt) {
    record.attempt = { date, ...attempt };
    changed = true;
  }

  // Changes the day `date`, if it is today and has no result yet, by `update`; true if it did.
  function note(date, update) {
    const day = record.days[date];
    if (!day || day.result !== null || date !== localDate()) return false;
    update(day);
    changed = true;
    draw();
    return true;
  }

  const noteHint = (date) => note(date, (day) => { day.hints++; });
  const noteDistanceShown = (date) => note(date, (day) => { day.distanceShown = true; });
  const noteSolutionShown = (date) => note(date, (day) => { day.result = 'shown'; });
  const noteSolved = (date, moves, shortest) => note(date, (day) => { day.result = { moves, shortest }; });

  // Redraws the figures, the plot and its table, and enables Share once today has a result.
  function draw() {
    const today = localDate();
    drawnOn = today;
    const figures = figuresOf(record.days, today);
    for (const name of ['played', 'solved', 'atShortest', 'currentStreak', 'bestStreak']) {
      element(`record-${name}`).textContent = String(figures[name]);
    }
    const labels = figures.over.map((_, over) => (over === kOverColumns - 1 ? `${over}+` : String(over)));
    drawBarPlot(element('record-plot'), figures.over, labels, -1);
    element('record-plot').setAttribute('aria-label', 'Solved days by moves over the shortest: ' +
      figures.over.map((count, over) => `${labels[over]} over, ${daysCount(count)}`).join('; ') + '.');
    element('record-table').tBodies[0].replaceChildren(...figures.over.map((count, over) =>
      tableRow(over === kOverColumns - 1 ? '5 or more' : over, count)));
    setDisabled(element('share-result'), !(record.days[today] && record.days[today].result));
  }

  // Shares today's result: the system's share sheet where there is one, else the clipboard, else
  // the text selected in a field, to copy.
  async function share(address) {
    const today = localDate();
    const day = record.days[today];
    if (!day || !day.result) return;
    const text = shareText(today, day, figuresOf(record.days, today).currentStreak, address);
    if (navigator.share) {
      try {
        await navigator.share({ text });
        return;
      } catch (error) {
        if (error && error.name === 'AbortError') return;  // the player closed the share sheet
      }
    }
    await copyOrSelect(text, 'result-text', 'result-label', 'The result is copied.', 'the result');
  }

  // Redraws the record if the date has turned since it was drawn (streaks and Share depend on it).
  const refresh = () => { if (localDate() !== drawnOn) draw(); };

  return { read, write, forget, start, keepAttempt, noteHint, noteDistanceShown, noteSolutionShown, noteSolved, refresh, share };
}
