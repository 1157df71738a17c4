// Starts one of the programs on this page: its standard output goes to the page's list (newest
// last) and to the console, line by line as printed; its end is said under the canvas.
function startProgram(script) {
  const canvas = document.getElementById('canvas');
  const output = document.getElementById('output');
  const status = document.getElementById('status');
  window.Module = {
    canvas,
    print(line) {
      console.log(line);
      if (!output) return;
      output.textContent += line + '\n';
      output.scrollTop = output.scrollHeight;
    },
    printErr(line) { console.warn(line); },
    onExit(code) {
      status.textContent = `The program ended with status ${code}.`;
      document.body.dataset.exitStatus = code;
    },
  };
  canvas.addEventListener('mousedown', () => canvas.focus());
  const element = document.createElement('script');
  element.src = script;
  document.body.appendChild(element);
  canvas.focus();
}
