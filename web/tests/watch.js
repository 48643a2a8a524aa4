// Loaded first by the test copy of a page, for an engine whose driver reports no console: records
// uncaught errors, failed loads, console errors and policy violations in window.mathieu12Problems.
'use strict';

window.mathieu12Problems = [];
(function () {
  const record = (text) => window.mathieu12Problems.push(String(text).slice(0, 300));
  addEventListener('error', (event) => {
    record(event.message ? 'page error: ' + event.message
                         : 'failed load: ' + (event.target.src || event.target.href));
  }, true);
  addEventListener('unhandledrejection', (event) => record('page error: ' + event.reason));
  document.addEventListener('securitypolicyviolation', (event) => {
    record(`policy violation: ${event.violatedDirective} ${event.blockedURI}`);
  });
  const consoleError = console.error;
  console.error = (...parts) => {
    record('console error: ' + parts.join(' '));
    consoleError.apply(console, parts);
  };
})();
