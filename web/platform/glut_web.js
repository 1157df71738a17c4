// The browser side of glut_web.cpp, run before the program starts. Its listeners come before
// GLUT's, so that they see every input first:
// - pop-up menus as an overlay on the canvas: the attached button opens one at the pointer
//   (and, as in freeglut, asks for a redraw); a press or release on an entry chooses it; a press
//   elsewhere closes it; GLUT's mouse callback sees none of these clicks, nor the browser its
//   own context menu;
// - keys read from the character the browser names, with Ctrl+letter as a control character, as
//   X delivers them (emscripten's GLUT guesses from key codes, and drops keys with Ctrl or Alt);
// - drags reported at the pointer's new position, as freeglut does;
// - redraws as soon as the input at hand is handled, as freeglut does, not at the next frame;
// - touch: a one-finger drag on the canvas is a left-button drag with the modifiers of the drag
//   modifiers the page chose, and a long press opens the menu of the right button; on-screen keys
//   are key events like the keyboard's. All of them reach the program through GLUT's own
//   handlers, with the key codes and modifiers that a keyboard and mouse give;
// - nothing more reaches the program once it has ended, nor once it has found no WebGL.
//
// freeglut draws once the events at hand are handled; emscripten's GLUT waits for the browser's
// next frame, up to 16 ms later. The redraw runs at the end of the current task instead (the
// canvas is still shown at the next frame). This replaces GLUT's glutPostRedisplay before the
// program is instantiated, so that the program and GLUT alike call this one.
let webRedrawPending = false;
_glutPostRedisplay = function () {
  if (!GLUT.displayFunc || webRedrawPending || Module.glutWeb.ended) return;
  webRedrawPending = true;
  queueMicrotask(() => {
    webRedrawPending = false;
    if (!Module.glutWeb.ended) Browser.mainLoop.runIter(() => getWasmTableEntry(GLUT.displayFunc)());
  });
};

Module.glutWeb = (function () {
  const menus = {};     // menu -> [{label, value}]
  const attached = {};  // button -> menu
  let overlay = null, openedBy = -1;
  const self = {ended: false};

  function close() {
    if (overlay) overlay.remove();
    overlay = null;
  }

  // Opens the menu at a point of the page; `button` is the one whose release is not a choice.
  function open(menu, x, y, button) {
    close();
    overlay = document.createElement('div');
    overlay.className = 'glut-menu';
    overlay.setAttribute('role', 'menu');
    overlay.style.cssText = `position:fixed;z-index:10;left:${x}px;top:${y}px`;
    for (const entry of menus[menu]) {
      const item = document.createElement('button');
      item.setAttribute('role', 'menuitem');
      item.dataset.menu = menu;
      item.dataset.value = entry.value;
      item.textContent = entry.label;
      overlay.appendChild(item);
    }
    document.body.appendChild(overlay);
    // Kept within the page, so that a press near the right or bottom edge shows it whole.
    const box = overlay.getBoundingClientRect();
    overlay.style.left = `${Math.max(0, Math.min(x, innerWidth - box.width))}px`;
    overlay.style.top = `${Math.max(0, Math.min(y, innerHeight - box.height))}px`;
    overlay.firstChild.focus({preventScroll: true});
    openedBy = button;
    _glutPostRedisplay();
  }

  function choose(item) {
    close();
    try {
      Module._webMenuChosen(Number(item.dataset.menu), Number(item.dataset.value));
    } catch (e) {
      if (!(e instanceof ExitStatus)) throw e;  // "Quitter": the program has ended
    }
  }

  function onButton(event) {
    if (self.ended) return event.stopImmediatePropagation();
    const item = event.target.closest && event.target.closest('[role=menuitem]');
    if (overlay) {
      event.stopImmediatePropagation();
      event.preventDefault();
      if (event.type === 'mouseup' && event.button === openedBy && !item) {
        openedBy = -1;  // the release of the press that opened it
      } else if (item) {
        choose(item);
      } else if (event.type === 'mousedown') {
        close();
      }
      return;
    }
    if (event.target === Module.canvas && event.button in attached) {
      event.stopImmediatePropagation();
      event.preventDefault();
      if (event.type === 'mousedown') open(attached[event.button], event.clientX, event.clientY, event.button);
    }
  }

  // The characters GLUT gives for the named keys, which are also their key codes in the browser.
  const keyCodes = {Enter: 13, Escape: 27, Tab: 9, Backspace: 8, Delete: 127};
  function keyOf(event) {
    if (event.metaKey) return null;
    if (event.key in keyCodes) return keyCodes[event.key];
    if (event.key.length !== 1 || event.key.charCodeAt(0) > 126) return null;
    const code = event.key.charCodeAt(0);
    return event.ctrlKey && /[@-_a-z]/i.test(event.key) ? code & 31 : code;
  }

  function onKey(event) {
    if (self.ended) return event.stopImmediatePropagation();
    // What the page's own controls need is theirs, as the browser would have it: every key in a
    // field or an open dialog (Escape closes it), Enter and Space on a button or a link (they press
    // it); any other key goes on to the program, wherever the focus is.
    if (!overlay && (event.type === 'keydown' || event.type === 'keyup') && event.target !== Module.canvas && event.target.closest) {
      const field = document.querySelector('dialog[open]') || event.target.closest('select, input, textarea, dialog');
      const pressed = (event.key === 'Enter' || event.key === ' ') && event.target.closest('button, a, summary');
      if (field || pressed) return event.stopImmediatePropagation();
    }
    // In an open menu, Escape closes it and Enter or Space chooses the focused entry, as in a
    // native menu; the program sees neither.
    if (overlay && event.type === 'keydown') {
      event.stopImmediatePropagation();
      event.preventDefault();
      if (event.key === 'Escape') close();
      if ((event.key === 'Enter' || event.key === ' ') && document.activeElement.closest('.glut-menu')) {
        choose(document.activeElement);
      }
    }
  }

  // Touch. The drag mode is the modifiers that a one-finger drag stands for ("Shift+Ctrl"); the
  // page sets it from the program's table of inputs.
  const modifiersOf = (names) => ({shiftKey: names.includes('Shift'), ctrlKey: names.includes('Ctrl'),
                                   altKey: names.includes('Alt')});
  let dragModifiers = modifiersOf('Shift');
  let touch = null;  // the finger on the canvas: {id, x, y, dragging, timer, menu}
  const longPressMs = 500, dragSlopPx = 6;

  function mouse(type, x, y, button) {
    // (Object.assign: emscripten's JavaScript optimiser does not know spread properties.)
    const init = Object.assign({bubbles: true, cancelable: true, clientX: x, clientY: y, button,
                                buttons: type === 'mouseup' ? 0 : 1}, dragModifiers);
    Module.canvas.dispatchEvent(new MouseEvent(type, init));
  }

  function onTouch(event) {
    if (self.ended || (!touch && event.target !== Module.canvas)) return;  // taps elsewhere stay the browser's
    // GLUT's own touch handler would press the left button without modifiers; scrolling and the
    // browser's mouse events for a tap are not wanted either.
    event.stopImmediatePropagation();
    event.preventDefault();
    const finger = touch && [...event.changedTouches].find((t) => t.identifier === touch.id);
    if (event.type === 'touchstart') {
      if (touch || event.touches.length > 1) return;
      const t = event.changedTouches[0];
      touch = {id: t.identifier, x: t.clientX, y: t.clientY, dragging: false, menu: false};
      touch.timer = setTimeout(() => {
        touch.timer = null;
        if (!touch.dragging && 2 in attached) {
          touch.menu = true;
          open(attached[2], touch.x, touch.y, -1);
        }
      }, longPressMs);
      return;
    }
    if (!finger) return;
    if (event.type === 'touchmove') {
      if (touch.menu) return;
      if (!touch.dragging && Math.hypot(finger.clientX - touch.x, finger.clientY - touch.y) < dragSlopPx) return;
      if (!touch.dragging) {
        clearTimeout(touch.timer);
        touch.dragging = true;
        mouse('mousedown', touch.x, touch.y, 0);
      }
      mouse('mousemove', finger.clientX, finger.clientY, 0);
      return;
    }
    clearTimeout(touch.timer);  // touchend, touchcancel
    if (touch.dragging) mouse('mouseup', finger.clientX, finger.clientY, 0);
    touch = null;
  }

  // An on-screen key: "x", "+", "Enter", "Shift+Enter", "Ctrl+PageUp", as a keyboard sends it.
  const namedKeys = {Enter: ['Enter', keyCodes.Enter], Escape: ['Escape', keyCodes.Escape], Left: ['ArrowLeft', 37], Up: ['ArrowUp', 38],
                     Right: ['ArrowRight', 39], Down: ['ArrowDown', 40], PageUp: ['PageUp', 33],
                     PageDown: ['PageDown', 34]};
  self.pressKey = (name) => {
    const parts = name === '+' ? ['+'] : name.split('+');
    const key = parts.pop();
    const [value, keyCode] = namedKeys[key] || [key, 0];
    // A capital or '+' comes with Shift, as from a keyboard.
    const shiftKey = parts.includes('Shift') || /^[A-Z+]$/.test(key);
    const init = {key: value, keyCode, which: keyCode, shiftKey, ctrlKey: parts.includes('Ctrl'),
                  altKey: parts.includes('Alt'), bubbles: true, cancelable: true};
    for (const type of ['keydown', 'keyup']) {
      const event = new KeyboardEvent(type, init);
      // GLUT reads special keys by their key code, which a constructed event does not carry.
      Object.defineProperty(event, 'keyCode', {value: keyCode});
      Module.canvas.dispatchEvent(event);
    }
  };
  self.setDragMode = (modifiers) => { dragModifiers = modifiersOf(modifiers.split('+')); };

  for (const type of ['mousedown', 'mouseup']) window.addEventListener(type, onButton, true);
  for (const type of ['keydown', 'keyup', 'mousemove', 'wheel']) window.addEventListener(type, onKey, true);
  for (const type of ['touchstart', 'touchmove', 'touchend', 'touchcancel']) {
    window.addEventListener(type, onTouch, {capture: true, passive: false});
  }
  window.addEventListener('contextmenu', (event) => {
    if (event.target === Module.canvas || overlay) event.preventDefault();
  }, true);

  // A browser without WebGL gives GLUT no context, and the program would fail at its first GL
  // call: it ends at the window's creation instead, as an exit would end it, and the page hears of
  // it through Module.onNoWebGL.
  const glutCreateWindow = _glutCreateWindow;
  _glutCreateWindow = function (name) {
    const window = glutCreateWindow(name);
    if (Module.ctx) return window;
    self.ended = true;
    if (Module.onNoWebGL) Module.onNoWebGL();
    throw new ExitStatus(1);
  };

  // exit() ends here (the runtime itself is kept, as GLUT programs live in their callbacks):
  // the page hears of it through Module.onExit, and the exception unwinds the program.
  Module.quit = (status, toThrow) => {
    self.ended = true;
    close();
    if (Module.onExit) Module.onExit(status);
    throw toThrow;
  };
  // Before glutInit registers GLUT's handlers: keys by character, motion reported where the
  // pointer is now (emscripten's GLUT passes the position before the move), and an exit from a
  // callback unwinding only to the handler, as it would to freeglut's main loop, not on to the
  // page as an error.
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
    for (const name of ['onKeydown', 'onKeyup', 'onMousemove', 'onMouseButtonDown', 'onMouseButtonUp', 'onMouseWheel']) {
      const handler = GLUT[name];
      GLUT[name] = (event) => {
        try {
          handler(event);
        } catch (e) {
          if (!(e instanceof ExitStatus)) throw e;
        }
      };
    }
  });

  self.addMenu = (menu) => { menus[menu] = []; };
  self.addEntry = (menu, label, value) => { menus[menu].push({label, value}); };
  self.attach = (menu, button) => { attached[button] = menu; };
  return self;
})();
