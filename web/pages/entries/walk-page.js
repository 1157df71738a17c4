// The explainer's body, after the walk's program (midpoint-walk.js), in the order the parts run.
import '../share.js';
import '../keys.js';
import '../offline.js';
import '../guide-link.js';
import '../walk/controls.js';
import {walkGrid} from '../walk/grid.js';

// The tests' way in: they read the grid's picture.
window.walkGrid = walkGrid;
