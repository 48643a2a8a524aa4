// The program's standard streams, as emscripten's libc reaches them through the WASI imports
// fd_read and fd_write, handed to the host: the page or node gives the program two functions,
// and this library knows nothing else of either.
//
//   Module.readInput(length)      up to `length` bytes of standard input: a Uint8Array (empty at
//                                 the end of the input), an error name such as 'EISDIR', or a
//                                 promise of either; the program waits for the promise
//   Module.writeOutput(fd, bytes) writes all of `bytes` to standard output (1) or standard error
//                                 (2) at once; nothing, or an error name such as 'EPIPE'
mergeInto(LibraryManager.library, {
  // The errno values of the program's libc, by name; an unknown name reads as EIO.
  $kStreamErrors: {
    'EAGAIN': {{{ cDefine('EAGAIN') }}},
    'EBADF': {{{ cDefine('EBADF') }}},
    'EFBIG': {{{ cDefine('EFBIG') }}},
    'EINVAL': {{{ cDefine('EINVAL') }}},
    'EIO': {{{ cDefine('EIO') }}},
    'EISDIR': {{{ cDefine('EISDIR') }}},
    'ENOSPC': {{{ cDefine('ENOSPC') }}},
    'ENXIO': {{{ cDefine('ENXIO') }}},
    'EPIPE': {{{ cDefine('EPIPE') }}},
  },

  $streamError__deps: ['$kStreamErrors'],
  $streamError: function(name) {
    return kStreamErrors[name] || kStreamErrors['EIO'];
  },

  // The iovecs (pointer, length) that libc passes, as views of the program's memory.
  $ioVectors: function(iov, iovcnt) {
    var views = [];
    for (var i = 0; i < iovcnt; i++) {
      var base = HEAPU32[(iov + i * 8) >> 2];
      var length = HEAPU32[(iov + i * 8 + 4) >> 2];
      views.push(HEAPU8.subarray(base, base + length));
    }
    return views;
  },

  $totalLength: function(views) {
    return views.reduce(function(sum, view) { return sum + view.length; }, 0);
  },

  // Copies `bytes` into the iovecs in order; the count copied.
  $fillVectors: function(views, bytes) {
    var copied = 0;
    for (var i = 0; i < views.length && copied < bytes.length; i++) {
      var piece = bytes.subarray(copied, copied + views[i].length);
      views[i].set(piece);
      copied += piece.length;
    }
    return copied;
  },

  fd_write__deps: ['$ioVectors', '$totalLength', '$streamError'],
  fd_write__sig: 'iiiii',
  fd_write: function(fd, iov, iovcnt, pnum) {
    var views = ioVectors(iov, iovcnt);
    var total = totalLength(views);
    var bytes = new Uint8Array(total);
    var offset = 0;
    views.forEach(function(view) { bytes.set(view, offset); offset += view.length; });
    var error = Module['writeOutput'](fd, bytes);
    if (error) return streamError(error);
    HEAPU32[pnum >> 2] = total;
    return 0;
  },

  // Suspends the program (Asyncify) until the host has input, an end or an error for it. The
  // bytes are copied only once the program's memory is there to take them, after the wait.
  fd_read__deps: ['$ioVectors', '$totalLength', '$fillVectors', '$streamError', '$Asyncify'],
  fd_read__sig: 'iiiii',
  fd_read: function(fd, iov, iovcnt, pnum) {
    return Asyncify.handleSleep(function(wakeUp) {
      var wanted = totalLength(ioVectors(iov, iovcnt));
      Promise.resolve(Module['readInput'](wanted)).then(function(result) {
        if (typeof result === 'string') {
          wakeUp(streamError(result));
          return;
        }
        HEAPU32[pnum >> 2] = fillVectors(ioVectors(iov, iovcnt), result);
        wakeUp(0);
      });
    });
  },
});
