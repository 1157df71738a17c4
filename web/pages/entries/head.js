// Every page's head: the address, the texts and the theme, run before the page's styles load (the
// first number format's worker starts at once). The body's scripts read them from window
// (from-head.js), and so do the tests (pageStrings).
import {pageAddress} from '../address.js';
import {pageStrings, i18n} from '../strings.js';
import {pageTheme} from '../theme.js';

Object.assign(window, {pageAddress, pageStrings, i18n, pageTheme});
