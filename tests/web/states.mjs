// The states whose pictures the web page must share with the native program: the keys that lead
// there from the start (X key names, "*N" to repeat) and "=name" where a picture is taken.
// Run as a program, prints the steps for state-pictures.
export const steps = [
  '=outline-1', 'plus*4', '=outline-5', 'plus*7', '=outline-12',
  'Return', '=spans-12', 'minus*7', '=spans-5', 'minus*4', '=spans-1',
  'Return', '=extents-1', 'plus*4', '=extents-5', 'plus*7', '=extents-12',
  'minus*7', 'x*15', 'y*10', '=extents-5-turned',
];

if (import.meta.url === `file://${process.argv[1]}`) console.log(steps.join(' '));
