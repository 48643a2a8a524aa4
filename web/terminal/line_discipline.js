// A terminal's canonical input mode for the page: keys become lines of input for the program and
// an echo for the screen, as a terminal's line discipline makes them.
'use strict';

// Makes the line discipline. `echo(text)` shows text on the screen; `deliver(bytes)` hands a
// line, or the text before a Ctrl+D, to the program (an empty array is the end of the input);
// `signal(name)` is 'SIGINT' for Ctrl+C, 'SIGQUIT' for Ctrl+\. `column()` is where the screen's
// cursor stands, for a tab's width.
function createLineDiscipline({ echo, deliver, signal, column }) {
  const kEnd = '\x04';  // Ctrl+D
  const kErase = '\x7f';  // what Backspace sends
  const kKillLine = '\x15';  // Ctrl+U
  const kEraseWord = '\x17';  // Ctrl+W
  const kLiteralNext = '\x16';  // Ctrl+V: the next character is taken as it is
  const kSignals = { '\x03': 'SIGINT', '\x1c': 'SIGQUIT' };  // Ctrl+C; Ctrl+\ (quit)
  const kTabStop = 8;
  const encoder = new TextEncoder();
  let line = [];  // the characters typed since the last line end, each with its echo's width
  let literalNext = false;

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

  function isBlank(entry) {
    return entry.character === ' ' || entry.character === '\t';
  }

  // Ctrl+W: the blanks before the cursor, then the word before them.
  function eraseWord() {
    while (line.length > 0 && isBlank(line.at(-1))) eraseCharacter();
    while (line.length > 0 && !isBlank(line.at(-1))) eraseCharacter();
  }

  function killLine() {
    while (line.length > 0) eraseCharacter();
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

  // What each special character does; any other is typed.
  const kActions = {
    '\r': endLine,
    '\n': endLine,
    [kErase]: eraseCharacter,
    [kEraseWord]: eraseWord,
    [kKillLine]: killLine,
    [kEnd]: endInput,
    [kLiteralNext]: () => {
      literalNext = true;
      echo('^\b');  // a caret under the cursor until the next character replaces it
    },
  };

  function key(character) {
    if (literalNext) {
      literalNext = false;
      addCharacter(character);
    } else if (kSignals[character]) {
      line = [];
      echo(shown(character));
      signal(kSignals[character]);
    } else if (kActions[character]) {
      kActions[character]();
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
      literalNext = false;
    },
  };
}
