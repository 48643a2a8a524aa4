#!/usr/bin/env node
// mathieu12 under node: the program reads and writes the process's own standard streams.
'use strict';

const fs = require('fs');
const createMathieu12 = require('./mathieu12-core.js');

// How long to wait before reading again a standard input that is non-blocking and has nothing.
const kRetryMs = 10;

// Up to `length` bytes of standard input, waiting for them; an error's name when the read fails.
function readInput(length) {
  return new Promise((resolve) => {
    const buffer = Buffer.alloc(length);
    const attempt = () => {
      fs.read(0, buffer, 0, length, null, (error, count) => {
        if (error && error.code === 'EAGAIN') {
          setTimeout(attempt, kRetryMs);
        } else {
          resolve(error ? error.code : buffer.subarray(0, count));
        }
      });
    };
    attempt();
  });
}

// A short pause for a stream that is non-blocking and full, without returning to the event loop.
function pause() {
  Atomics.wait(new Int32Array(new SharedArrayBuffer(4)), 0, 0, 1);
}

// Writes all of `bytes` to `fd` at once; an error's name when a write fails.
function writeOutput(fd, bytes) {
  let written = 0;
  while (written < bytes.length) {
    try {
      written += fs.writeSync(fd, bytes, written);
    } catch (error) {
      if (error.code !== 'EAGAIN') return error.code;
      pause();
    }
  }
  return undefined;
}

createMathieu12({ readInput, writeOutput }).ready
  .then((program) => program.runMain())
  .then((status) => { process.exitCode = status; });
