// The pages' address, read and written here alone. Beside a page's own state (the explainer's
// mode, radius, step and so on, which the page gives as a query of its own), it carries what
// holds for every page and follows every link between them: lang= and theme=, when given. embed=1
// (the page in a frame, essentials only), worksheet=1 (walk.html printed as a worksheet) and key=1
// (that worksheet's answer key) stay with the page that has them. No other script reads or writes
// location.search or the history: a page reads its own state from `opened()` and writes it with
// `write(state)`.
export const pageAddress = (function () {
  const asked = new URLSearchParams(location.search);
  const carried = ['lang', 'theme'], kept = ['embed', 'worksheet', 'key'], all = [...carried, ...kept];
  const shared = new URLSearchParams();  // the values of those, as they are now
  for (const name of all) if (asked.has(name)) shared.set(name, asked.get(name));
  // The page's own parameters as the page was opened, every value of each, in their order.
  const opened = new URLSearchParams([...asked].filter(([name]) => !all.includes(name)));
  const address = {
    own: new URLSearchParams(),  // the page's own state, as last written
    timer: null,  // the rewrite to come (write)
  };
  // What the address asks of the page's look, before it is drawn: essentials only, or a worksheet.
  document.documentElement.classList.toggle('embed', shared.get('embed') === '1');
  document.documentElement.classList.toggle('worksheet', shared.get('worksheet') === '1');
  document.documentElement.classList.toggle('answer-key', shared.get('worksheet') === '1' && shared.get('key') === '1');

  const withQuery = (query) => (String(query) ? `?${query}` : '');
  // `state` with the shared values of `names`, and `values` ({name: value}, null to drop one) over it.
  function compose(state, names, values = {}) {
    const query = new URLSearchParams(state);
    for (const name of names) if (shared.has(name)) query.set(name, shared.get(name));
    for (const [name, value] of Object.entries(values)) {
      if (value === null) query.delete(name);
      else query.set(name, value);
    }
    return withQuery(query);
  }

  // The address of another page (`file`, such as "walk.html"), with its `state` and what is carried.
  const link = (file, state, values) => `${file}${compose(state, carried, values)}`;
  // This page's address for its state, relative, with everything it was opened with.
  // Relative to this folder, and so never anything but a path, whatever the server's path holds.
  const here = `./${location.pathname.split('/').pop()}`;
  const self = (state = address.own, values) => `${here}${compose(state, all, values)}`;
  // The same as a full address, to copy or to put in a frame.
  const full = (values) => new URL(self(address.own, values), location.href).href;

  // Rewrites the address for the page's state `state` a moment after the last change, not at
  // every step: the browser takes longer to rewrite it than a step takes.
  function write(state = address.own) {
    address.own = new URLSearchParams(state);
    clearTimeout(address.timer);
    address.timer = setTimeout(() => {
      const next = compose(address.own, all);
      if (location.search !== next) history.replaceState(null, '', `${here}${next}`);
    }, 150);
  }

  // Sets a shared value (null drops it), and writes the address.
  function set(name, value) {
    if (value === null) shared.delete(name);
    else shared.set(name, value);
    write();
  }

  return {get: (name) => shared.get(name), opened: () => new URLSearchParams(opened), link, self, full, write, set,
          get embedded() { return shared.get('embed') === '1'; }};
})();
