// Every page's head: the address, the texts and the theme, run as the head is read (the worker of
// the first number format starts at once). The bodies' scripts take these from window
// (from-head.js), and so do the tests (pageStrings).
import {pageAddress} from '../address.js';
import {pageStrings, i18n} from '../strings.js';
import {pageTheme} from '../theme.js';

Object.assign(window, {pageAddress, pageStrings, i18n, pageTheme});
