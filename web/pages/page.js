// Starts one of the programs on its page. Its standard output goes to the console line by line
// as printed, and to the page's list (the newest lines, last), which is brought up to date once a
// frame; its end is said under the canvas.
//
// The page's table of keys is the one list of them: every <kbd> in it becomes an on-screen
// <button data-key> that sends that key as a keyboard would, and every row with data-drag
// becomes a button that chooses what a one-finger drag on the canvas does. <kbd class=modifier>
// keys (view-showcase's Shift, Ctrl, Alt) latch onto the next key instead.
function startProgram(script) {
  const canvas = document.getElementById('canvas');
  const output = document.getElementById('output');
  const status = document.getElementById('status');
  const walkLink = document.getElementById('walk-link');
  const kept = 200;  // lines the list keeps
  let shown = [], pending = false;

  function showOutput() {
    pending = false;
    if (output) {
      shown = shown.slice(-kept);
      output.textContent = shown.join('\n');
      output.scrollTop = output.scrollHeight;
    }
    // The explainer at the circle on the screen, as the program has it.
    if (walkLink && Module._webCircleRadius) {
      const mode = UTF8ToString(Module._webCircleModeName());
      walkLink.href = `walk.html?mode=${encodeURIComponent(mode)}&radius=${Module._webCircleRadius()}`;
    }
  }

  window.Module = {
    canvas,
    print(line) {
      console.log(line);
      shown.push(line);
      if (!pending) {
        pending = true;
        requestAnimationFrame(showOutput);
      }
    },
    printErr(line) { console.warn(line); },
    onExit(code) {
      status.textContent = `The program ended with status ${code}.`;
      document.body.dataset.exitStatus = code;
      for (const button of document.querySelectorAll('[data-key], [data-drag]')) button.disabled = true;
    },
  };
  canvas.addEventListener('mousedown', () => canvas.focus());
  makeControls(canvas);
  const element = document.createElement('script');
  element.src = script;
  document.body.appendChild(element);
  canvas.focus();
}

function makeControls(canvas) {
  const keys = document.getElementById('keys');
  const drags = document.getElementById('drags');
  const latched = new Set();
  for (const kbd of document.querySelectorAll('.keys kbd')) {
    const name = kbd.textContent;
    const button = document.createElement('button');
    button.type = 'button';
    button.textContent = name;
    if (kbd.classList.contains('modifier')) {
      button.dataset.modifier = name;
      button.setAttribute('aria-pressed', 'false');
      button.addEventListener('click', () => {
        const on = !latched.has(name);
        on ? latched.add(name) : latched.delete(name);
        button.setAttribute('aria-pressed', String(on));
      });
    } else {
      button.dataset.key = name;
      button.setAttribute('aria-label', `key ${name}`);
      button.addEventListener('click', () => {
        // Latched modifiers go with keys that have no Shift of their own, in the keyboard's order.
        const held = name.includes('+') && name !== '+' ? [] : ['Shift', 'Ctrl', 'Alt'].filter((m) => latched.has(m));
        Module.glutWeb.pressKey([...held, name].join('+'));
      });
    }
    keys.appendChild(button);
  }
  const rows = document.querySelectorAll('.keys tr[data-drag]');
  for (const row of rows) {
    const button = document.createElement('button');
    button.type = 'button';
    button.dataset.drag = row.dataset.drag;
    button.textContent = row.dataset.label;
    button.title = row.cells[0].textContent + ': ' + row.cells[1].textContent;
    button.setAttribute('aria-pressed', String(row === rows[0]));
    button.addEventListener('click', () => {
      Module.glutWeb.setDragMode(row.dataset.drag);
      for (const other of drags.querySelectorAll('[data-drag]')) other.setAttribute('aria-pressed', String(other === button));
      canvas.focus({preventScroll: true});
    });
    drags.appendChild(button);
  }
}
