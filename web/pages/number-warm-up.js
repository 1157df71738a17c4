// V8's first number format in a process builds a table of the locales it has, with the page
// waiting (docs/performance.md). A worker, a thread of the same process, builds it while the
// page's scripts load, and the page's first number then costs what any other does. Nothing
// depends on it: where workers are refused, or an engine keeps no such table, the first number
// pays.
export function warmUpNumberFormat(lang) {
  const warmUp = `new Intl.NumberFormat(${JSON.stringify(lang)}).format(1); close();`;
  try {
    new Worker(`data:text/javascript,${encodeURIComponent(warmUp)}`);
  } catch (error) { /* no worker here: the first number builds the table itself */ }
}
