// The body of the two programs' pages, which name their program and themselves on <body>
// (data-program, data-page).
import '../share.js';
import '../keys.js';
import '../offline.js';
import {startProgram} from '../page.js';

startProgram(document.body.dataset.program, document.body.dataset.page);
