// The states whose pictures the web page must share with the native program: the keys that lead
// there from the start (X key names, "*N" to repeat) and "=name" where a picture is taken.
// Run as a program, prints the steps for state-pictures.
// Every radius from 1 to 12 in each mode, face-on, where the pictures must be the same to the
// pixel; then one view turned, where line ends may fall a pixel apart.
const up = (mode) => Array.from({length: 12}, (_, i) => [...(i ? ['plus'] : []), `=${mode}-${i + 1}`]).flat();
const down = (mode) => Array.from({length: 12}, (_, i) => [...(i ? ['minus'] : []), `=${mode}-${12 - i}`]).flat();
export const steps = [
  ...up('outline'), 'Return', ...down('spans'), 'Return', ...up('extents'),
  'minus*7', 'x*15', 'y*10', '=extents-5-turned',
];

if (import.meta.url === `file://${process.argv[1]}`) console.log(steps.join(' '));
