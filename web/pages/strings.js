// The languages the pages speak, one table each (strings/), all with the same keys. The first is
// the pages' language for a browser that prefers none of them. Another language needs its table
// and its line here, nothing more.
import en from './strings/en.js';
import fr from './strings/fr.js';

export const pageStrings = {en, fr};
