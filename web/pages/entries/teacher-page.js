// The teacher's page's body, after the walk's program (midpoint-walk.js), whose trace the set is
// chosen from.
import '../offline.js';
import '../guide-link.js';
import '../teacher.js';
