// Added to the program's module: runs main, which may wait in reads, to its end; the promise of
// its exit status, once what exit() would flush after main has been written.
Module['runMain'] = function() {
  return ccall('main', 'number', [], [], { async: true }).then(function(status) {
    _fflush(0);
    return status;
  });
};
