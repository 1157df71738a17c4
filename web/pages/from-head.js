// What the page's head has made (entries/head.js), for the scripts of its body. They come from
// here, not from their own files: a body's bundle that imported those would hold and run them again.
export const {pageAddress, pageStrings, i18n, pageTheme} = window;
