// Every page's head: the address, the texts and the theme, run as the head is read (the worker of
// the first number format starts at once). The bodies' scripts take these from window
// (from-head.js), and so do the tests (pageStrings).
import {pageAddress} from '../address.js';
import {pageStrings} from '../strings.js';
import {i18n} from '../i18n.js';
import {pageTheme} from '../theme.js';

Object.assign(window, {pageAddress, pageStrings, i18n, pageTheme});
