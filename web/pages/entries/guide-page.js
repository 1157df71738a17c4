// The teacher's guide's body.
import '../offline.js';
import '../guide.js';
