// The teacher's guide, guide.html: the guide in the page's language alone, its links to the site's
// pages carrying the language and the theme chosen, and the page's tools.
import {pageAddress, i18n, pageTheme} from './from-head.js';

(function () {
  const t = i18n.t;
  i18n.apply();
  document.title = t('guide.title');
  const articles = [...document.querySelectorAll('article[data-lang]')];
  const shown = articles.find((a) => a.dataset.lang === i18n.lang) || articles[0];
  for (const article of articles) article.hidden = article !== shown;
  const links = [...shown.querySelectorAll('a[href]')].map((a) => [a, new URL(a.getAttribute('href'), location.href)]);
  // Each link with what the address carries (the language, the theme), its own state kept.
  function linkPages() {
    for (const [a, url] of links) a.setAttribute('href', pageAddress.link(url.pathname.split('/').pop(), url.searchParams));
  }
  linkPages();
  document.addEventListener('themechange', linkPages);
  i18n.linkOtherLanguage(document.getElementById('language'), new URLSearchParams());
  pageTheme.control(document.getElementById('page-tools'));
  document.body.dataset.ready = 'true';
})();
