// The program's own core in the page: its WebAssembly compiled once, one long-lived instance that
// applies moves, and a fresh instance for every search, since the solver searches once per process.
'use strict';

const kValueBytes = 4;

// The bytes of board-core.wasm, from the hexadecimal text of board-core-wasm.js.
function wasmBytes() {
  const hex = window.mathieu12BoardWasm;
  if (Uint8Array.fromHex) return Uint8Array.fromHex(hex);
  const digit = (i) => { const code = hex.charCodeAt(i); return code < 97 ? code - 48 : code - 87; };
  const bytes = new Uint8Array(hex.length / 2);
  for (let i = 0; i < bytes.length; i++) bytes[i] = digit(2 * i) * 16 + digit(2 * i + 1);
  return bytes;
}

// Copies `states` (arrays of twelve values) into the instance's memory, runs `use` with their
// addresses, copies them back (the instance may change them) and frees the memory.
function withStates(instance, states, use) {
  const address = instance._malloc(states.length * kStateLength * kValueBytes);
  const addresses = states.map((_, i) => address + i * kStateLength * kValueBytes);
  states.forEach((state, i) => instance.HEAP32.set(state, addresses[i] / kValueBytes));
  try {
    return use(...addresses);
  } finally {
    states.forEach((state, i) => {
      const start = addresses[i] / kValueBytes;
      state.splice(0, kStateLength, ...instance.HEAP32.subarray(start, start + kStateLength));
    });
    instance._free(address);
  }
}

// The state that `fill(address)` writes into the instance's memory.
function stateFrom(instance, fill) {
  const state = new Array(kStateLength).fill(0);
  withStates(instance, [state], fill);
  return state;
}

// Resolves to the core: applyLetters(state, letters) gives the state after the letters (L, l, R
// and r; anything else skipped); solve(from, to) resolves to the lines of the program's run
// report; reachable(from) to every state that the moves reach from `from`, as a count and a
// function that gives the state at an index. distancesTo(target) makes the table of every
// state's distance to `target` and gives the largest; then distanceOf(state) is a state's
// distance (-1 when the moves cannot bring it there), statesAt(distance) how many states lie at
// a distance, and stateAt(distance, index) one of them; boardOfDay(day) is today's puzzle's board.
async function createCore() {
  const compiled = await WebAssembly.compile(wasmBytes());
  const instantiate = (print) => createBoardCore({
    print,
    printErr: print,
    instantiateWasm(imports, receive) {
      const instance = new WebAssembly.Instance(compiled, imports);
      receive(instance, compiled);
      return instance.exports;
    },
  });
  const mover = await instantiate(() => {});
  const withState = (state, use) => withStates(mover, [[...state]], use);
  return {
    distancesTo: (target) => withState(target, (address) => mover._boardDistancesTo(address)),
    distanceOf: (state) => withState(state, (address) => mover._boardDistanceOf(address)),
    statesAt: (distance) => mover._boardStatesAtDistance(distance),
    stateAt: (distance, index) => stateFrom(mover, (address) => mover._boardStateAtDistance(distance, index, address)),
    // The board of day `day` (days since 1970-01-01); the table made last must be the default
    // target's.
    boardOfDay: (day) => stateFrom(mover, (address) => mover._boardOfDay(day, address)),
    applyLetters(state, letters) {
      const text = new TextEncoder().encode(letters + '\0');
      const letterAddress = mover._malloc(text.length);
      mover.HEAPU8.set(text, letterAddress);
      const after = [...state];
      withStates(mover, [after], (address) => mover._boardApplyLetters(address, letterAddress));
      mover._free(letterAddress);
      return after;
    },
    async solve(from, to) {
      const lines = [];
      const searcher = await instantiate((line) => lines.push(line));
      withStates(searcher, [[...from], [...to]], (a, b) => searcher._boardSolve(a, b));
      return lines;
    },
    async reachable(from) {
      const searcher = await instantiate(() => {});
      const count = withStates(searcher, [[...from]], (address) => searcher._boardReachable(address));
      const stateAt = (index) => stateFrom(searcher, (address) => searcher._boardQueuedState(index, address));
      return { count, stateAt };
    },
  };
}
