// walk.html on paper. Printed, the page is a handout: the grid at the state on show with its
// legend, a line naming the mode, radius and step, and every row of the table (walk.css has the
// print rules). With worksheet=1 it is a worksheet instead: a line for a name, the table with its
// d, F(M) and move columns left blank, and a grid of its own with the start pixel alone.
import {pageAddress, i18n, pageTheme} from '../from-head.js';

export const walkPrint = (function () {
  const t = i18n.t;
  const heading = document.getElementById('print-heading'), sheet = document.getElementById('worksheet-grid');
  const worksheet = pageAddress.get('worksheet') === '1';
  const state = {walk: null};

  // A worksheet's grid on `canvas`, `side` CSS pixels square: the lines, the axes, the exact circle
  // and the start pixel alone, for the learner to fill in.
  function drawGrid(canvas, side) {
    const colour = pageTheme.colour;
    const r = state.walk.radius, span = state.walk.span, k = 2;  // twice the CSS pixels, for paper
    const cell = (side * k) / span, o = (r + 1.5) * cell, w = canvas.getContext('2d');
    canvas.width = canvas.height = side * k;
    canvas.style.width = canvas.style.height = `${side}px`;
    w.fillStyle = colour('cell');
    w.fillRect(0, 0, canvas.width, canvas.height);
    w.fillStyle = colour('once');
    w.fillRect(o - cell / 2, o - r * cell - cell / 2, cell, cell);
    w.strokeStyle = colour('axis');
    w.lineWidth = 1;
    w.beginPath();
    for (let i = 0; i <= span; ++i) w.moveTo(i * cell, 0), w.lineTo(i * cell, canvas.height), w.moveTo(0, i * cell), w.lineTo(canvas.width, i * cell);
    w.stroke();
    w.strokeStyle = colour('circle');
    w.lineWidth = 2 * k;
    w.beginPath();
    w.moveTo(0, o), w.lineTo(canvas.width, o), w.moveTo(o, 0), w.lineTo(o, canvas.height);
    w.stroke();
    w.lineWidth = k;
    w.beginPath();
    w.arc(o, o, r * cell, 0, 2 * Math.PI);
    w.stroke();
  }

  function load(w) {
    state.walk = w;
    if (worksheet) drawGrid(sheet, 480);
  }

  function show(position) {
    heading.textContent = t(worksheet ? 'print.worksheet-heading' : 'print.heading',
                            {mode: t(`mode.${state.walk.mode}`), r: state.walk.radius, step: position});
  }

  return {load, show};
})();
