// The browser side of glut_web.cpp, run before the program starts. Its listeners come before
// GLUT's, so that they see every input first:
// - pop-up menus as an overlay on the canvas: the attached button opens one at the pointer
//   (and, as in freeglut, asks for a redraw); a press or release on an entry chooses it; a press
//   elsewhere closes it; GLUT's mouse callback sees none of these clicks, nor the browser its
//   own context menu;
// - keys read from the character the browser names, with Ctrl+letter as a control character, as
//   X delivers them (emscripten's GLUT guesses from key codes, and drops keys with Ctrl or Alt);
// - drags reported at the pointer's new position, as freeglut does;
// - nothing more reaches the program once it has ended.
Module.glutWeb = (function () {
  const menus = {};     // menu -> [{label, value}]
  const attached = {};  // button -> menu
  let overlay = null, openedBy = -1, ended = false;

  function close() {
    if (overlay) overlay.remove();
    overlay = null;
  }

  function open(menu, event) {
    close();
    overlay = document.createElement('div');
    overlay.className = 'glut-menu';
    overlay.setAttribute('role', 'menu');
    overlay.style.cssText = 'position:fixed;z-index:10;background:#f4f4f4;border:1px solid #666;' +
      'font:14px sans-serif;padding:2px 0;box-shadow:2px 2px 5px rgba(0,0,0,.4);' +
      `left:${event.clientX}px;top:${event.clientY}px`;
    for (const entry of menus[menu]) {
      const item = document.createElement('div');
      item.setAttribute('role', 'menuitem');
      item.dataset.menu = menu;
      item.dataset.value = entry.value;
      item.textContent = entry.label;
      item.style.cssText = 'padding:3px 14px;cursor:default';
      item.onmouseenter = () => { item.style.background = '#cde'; };
      item.onmouseleave = () => { item.style.background = ''; };
      overlay.appendChild(item);
    }
    document.body.appendChild(overlay);
    openedBy = event.button;
    _glutPostRedisplay();
  }

  function onButton(event) {
    if (ended) return event.stopImmediatePropagation();
    const item = event.target.closest && event.target.closest('[role=menuitem]');
    if (overlay) {
      event.stopImmediatePropagation();
      event.preventDefault();
      if (event.type === 'mouseup' && event.button === openedBy && !item) {
        openedBy = -1;  // the release of the press that opened it
      } else if (item) {
        close();
        Module._webMenuChosen(Number(item.dataset.menu), Number(item.dataset.value));
      } else if (event.type === 'mousedown') {
        close();
      }
      return;
    }
    if (event.target === Module.canvas && event.button in attached) {
      event.stopImmediatePropagation();
      event.preventDefault();
      if (event.type === 'mousedown') open(attached[event.button], event);
    }
  }

  function keyOf(event) {
    const names = {Enter: 13, Escape: 27, Tab: 9, Backspace: 8, Delete: 127};
    if (event.metaKey) return null;
    if (event.key in names) return names[event.key];
    if (event.key.length !== 1 || event.key.charCodeAt(0) > 126) return null;
    const code = event.key.charCodeAt(0);
    return event.ctrlKey && /[@-_a-z]/i.test(event.key) ? code & 31 : code;
  }

  function onKey(event) {
    if (ended) event.stopImmediatePropagation();
  }

  for (const type of ['mousedown', 'mouseup']) window.addEventListener(type, onButton, true);
  for (const type of ['keydown', 'keyup', 'mousemove', 'wheel']) window.addEventListener(type, onKey, true);
  window.addEventListener('contextmenu', (event) => {
    if (event.target === Module.canvas || overlay) event.preventDefault();
  }, true);

  // exit() ends here (the runtime itself is kept, as GLUT programs live in their callbacks):
  // the page hears of it through Module.onExit, and the exception unwinds the program.
  Module.quit = (status, toThrow) => {
    ended = true;
    close();
    if (Module.onExit) Module.onExit(status);
    throw toThrow;
  };
  // Before glutInit registers GLUT's handlers: keys by character, and motion reported where the
  // pointer is now (emscripten's GLUT passes the position before the move).
  (Module.preRun = Module.preRun || []).push(() => {
    GLUT.getASCIIKey = keyOf;
    GLUT.onMousemove = (event) => {
      const lastX = Browser.mouseX, lastY = Browser.mouseY;
      Browser.calculateMouseEvent(event);
      if (Browser.mouseX === lastX && Browser.mouseY === lastY) return;
      const motion = GLUT.buttons !== 0 ? GLUT.motionFunc : event.target === Module.canvas ? GLUT.passiveMotionFunc : 0;
      if (!motion) return;
      event.preventDefault();
      GLUT.saveModifiers(event);
      getWasmTableEntry(motion)(Browser.mouseX, Browser.mouseY);
    };
  });

  return {
    addMenu: (menu) => { menus[menu] = []; },
    addEntry: (menu, label, value) => { menus[menu].push({label, value}); },
    attach: (menu, button) => { attached[button] = menu; },
  };
})();
