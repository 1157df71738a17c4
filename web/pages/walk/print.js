// walk.html on paper. Printed, the page is a handout: the grid at the state on show with its
// legend, a line naming the mode, radius and step, and every row of the table (walk.css has the
// print rules). With worksheet=1 it is a worksheet instead: a line for a name, the table with its
// d, F(M) and move columns left blank, and a grid of its own with the start pixel alone.
const walkPrint = (function () {
  const t = i18n.t;
  const heading = document.getElementById('print-heading'), sheet = document.getElementById('worksheet-grid');
  const worksheet = pageAddress.get('worksheet') === '1';
  let walk = null;

  function load(w) {
    walk = w;
    if (worksheet) walkGrid.worksheet(sheet, 480);
  }

  function show(position) {
    heading.textContent = t(worksheet ? 'print.worksheet-heading' : 'print.heading',
                            {mode: t(`mode.${walk.mode}`), r: walk.radius, step: position});
  }

  return {load, show};
})();
