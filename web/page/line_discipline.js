// A terminal's canonical input mode for the page: keys become lines of input for the program and
// an echo for the screen, as a terminal's line discipline makes them.
'use strict';

// Makes the line discipline. `echo(text)` shows text on the screen; `deliver(bytes)` hands a
// line, or the text before a Ctrl+D, to the program (an empty array is the end of the input);
// `interrupt()` is Ctrl+C. `column()` is where the screen's cursor stands, for a tab's width.
function createLineDiscipline({ echo, deliver, interrupt, column }) {
  const kEnd = '\x04';  // Ctrl+D
  const kInterrupt = '\x03';  // Ctrl+C
  const kErase = '\x7f';  // what Backspace sends
  const kTabStop = 8;
  const encoder = new TextEncoder();
  let line = [];  // the characters typed since the last line end, each with its echo's width

  // How a character shows: a control character in caret notation (ESC as ^[), never raw.
  function shown(character) {
    const code = character.codePointAt(0);
    if (character === '\t') return '\t';
    if (code < 0x20) return '^' + String.fromCharCode(code + 0x40);
    return character;
  }

  function widthOf(character) {
    if (character === '\t') return kTabStop - (column() % kTabStop);
    return shown(character).length;
  }

  function send(text) {
    deliver(encoder.encode(text));
  }

  function addCharacter(character) {
    const width = widthOf(character);
    line.push({ character, width });
    echo(shown(character));
  }

  function eraseCharacter() {
    const last = line.pop();
    if (last) echo('\b \b'.repeat(last.width));
  }

  function endLine() {
    const text = line.map((entry) => entry.character).join('') + '\n';
    line = [];
    echo('\r\n');
    send(text);
  }

  // Ctrl+D: the typed text without a line end, or, at the start of a line, the end of the input.
  function endInput() {
    const text = line.map((entry) => entry.character).join('');
    line = [];
    send(text);
  }

  function key(character) {
    if (character === '\r' || character === '\n') {
      endLine();
    } else if (character === kErase) {
      eraseCharacter();
    } else if (character === kEnd) {
      endInput();
    } else if (character === kInterrupt) {
      line = [];
      echo('^C');
      interrupt();
    } else {
      addCharacter(character);
    }
  }

  return {
    // Takes what the keyboard or a paste gives, one character at a time, as if each were typed.
    input(data) {
      for (const character of data) key(character);
    },
    // Forgets a line typed but not yet sent, as a new run starts.
    reset() {
      line = [];
    },
  };
}
