// The page's glue: runs the program with its standard streams connected to an xterm.js terminal
// that fills the window, through the line discipline of line_discipline.js.
'use strict';

(function () {
  // What a shell reports for a program that a signal from the keyboard ended, and how it says so.
  const kSignalEnds = {
    SIGINT: { status: 130, how: 'was ended by Ctrl+C' },
    SIGQUIT: { status: 131, how: 'was ended by Ctrl+\\' },
  };
  const kErrorColour = '\x1b[91m';  // standard error: bright red
  const kNoticeColour = '\x1b[2m';  // the page's own line when the program has ended: dim
  const kPlain = '\x1b[0m';

  const terminal = new Terminal({ cursorBlink: true, scrollback: 100000, fontFamily: 'monospace' });
  const fit = new FitAddon.FitAddon();
  terminal.loadAddon(fit);
  terminal.open(document.getElementById('terminal'));
  fit.fit();
  new ResizeObserver(() => fit.fit()).observe(document.getElementById('terminal'));
  keepInVisibleArea();

  // Where the cursor stands, followed through everything written, since xterm.js parses writes
  // later: a column from 0 to the width (the width itself while a wrap is pending).
  let cursorColumn = 0;
  function followCursor(text) {
    const escape = /^\x1b\[[0-9;]*[A-Za-z]/;
    for (let i = 0; i < text.length; i++) {
      const character = text[i];
      const sequence = character === '\x1b' && escape.exec(text.slice(i));
      if (sequence) {
        i += sequence[0].length - 1;
      } else if (character === '\r' || character === '\n') {
        cursorColumn = character === '\r' ? 0 : cursorColumn;
      } else if (character === '\b') {
        cursorColumn = Math.max(0, Math.min(cursorColumn, terminal.cols - 1) - 1);
      } else if (character === '\t') {
        cursorColumn = Math.min(terminal.cols - 1, (Math.floor(cursorColumn / 8) + 1) * 8);
      } else {
        cursorColumn = (cursorColumn >= terminal.cols ? 0 : cursorColumn) + 1;
      }
    }
  }

  function show(text) {
    followCursor(text);
    terminal.write(text);
  }

  // One run of the program; `finished` when it has ended. The page keeps at most one.
  let run = null;

  // The run's standard input: lines (or text ended by Ctrl+D) in the order they were sent, each
  // read apart as a terminal hands them over, and the reads that wait for one.
  function createInput() {
    const pending = [];
    let waiting = null;
    return {
      push(bytes) {
        if (waiting) {
          const resolve = waiting.resolve;
          const length = waiting.length;
          waiting = null;
          resolve(this.take(bytes, length));
        } else {
          pending.push(bytes);
        }
      },
      // The first `length` bytes of `bytes`; the rest is read next.
      take(bytes, length) {
        if (bytes.length > length) pending.unshift(bytes.subarray(length));
        return bytes.subarray(0, length);
      },
      read(length) {
        if (pending.length > 0) return this.take(pending.shift(), length);
        return new Promise((resolve) => { waiting = { resolve, length }; });
      },
    };
  }

  // Shows standard output and, in its own colour, standard error, each decoded as UTF-8 across
  // writes, with each line end as a terminal shows it.
  function createOutput() {
    const decoders = { 1: new TextDecoder(), 2: new TextDecoder() };
    return function writeOutput(fd, bytes) {
      const text = decoders[fd].decode(bytes, { stream: true }).replace(/\n/g, '\r\n');
      show(fd === 2 ? kErrorColour + text + kPlain : text);
    };
  }

  function announceEnd(status, how) {
    const lineStart = cursorColumn === 0 ? '' : '\r\n';
    show(lineStart + kNoticeColour + 'mathieu12 ' + how + ' with exit status ' + status +
         '. Press Enter to start it again.' + kPlain + '\r\n');
    document.body.dataset.exitStatus = String(status);
  }

  function startProgram() {
    const input = createInput();
    const thisRun = { input, finished: false };
    run = thisRun;
    delete document.body.dataset.exitStatus;
    createMathieu12({ readInput: (length) => input.read(length), writeOutput: createOutput() })
      .ready.then((program) => program.runMain())
      .then((status) => {
        if (run !== thisRun || thisRun.finished) return;
        thisRun.finished = true;
        announceEnd(status, 'ended');
      });
  }

  function endBySignal(name) {
    if (!run || run.finished) return;
    run.finished = true;  // the program stays suspended in its read and is dropped
    announceEnd(kSignalEnds[name].status, kSignalEnds[name].how);
  }

  const lineDiscipline = createLineDiscipline({
    echo: show,
    deliver: (bytes) => run.input.push(bytes),
    signal: endBySignal,
    column: () => cursorColumn,
  });

  // Keys go to the program while it runs; once it has ended, Enter starts it again.
  function onKeys(data) {
    if (!run.finished) {
      lineDiscipline.input(data);
    } else if (data === '\r') {
      lineDiscipline.reset();
      startProgram();
    }
  }

  // With text selected, Ctrl+C copies it, as web terminals do, instead of interrupting.
  terminal.attachCustomKeyEventHandler((event) => {
    const copy = event.type === 'keydown' && event.ctrlKey && !event.shiftKey &&
                 event.key === 'c' && terminal.hasSelection();
    if (copy && navigator.clipboard) {
      navigator.clipboard.writeText(terminal.getSelection()).catch(() => {});
    }
    return !copy;
  });
  terminal.onData(onKeys);

  // The buttons for a screen without a Ctrl key.
  for (const button of document.querySelectorAll('button[data-keys]')) {
    button.addEventListener('click', () => {
      onKeys(button.dataset.keys === 'ctrl-d' ? '\x04' : '\x03');
      terminal.focus();
    });
  }

  // When an on-screen keyboard covers part of the window, the page shrinks to the area still
  // visible, so that the terminal refits and the prompt and the buttons stay in sight. While the
  // user zooms in, the visible area is not the page's, and the page keeps its full height.
  function keepInVisibleArea() {
    const visible = window.visualViewport;
    if (!visible) return;
    visible.addEventListener('resize', () => {
      const zoomed = Math.abs(visible.scale - 1) > 0.01;
      document.body.style.height = zoomed ? '' : `${visible.height}px`;
    });
  }

  window.mathieu12Terminal = terminal;  // for the page's tests, which read the screen's buffer
  startProgram();
  terminal.focus();
})();
