// The body of the two programs' pages, which name themselves on <body> (data-page) and load their
// program's script after this one.
import '../share.js';
import '../keys.js';
import '../offline.js';
import '../guide-link.js';
import {startProgram} from '../page.js';

startProgram(document.body.dataset.page);
