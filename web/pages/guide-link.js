// The link to the teacher's guide in a page's tools, carrying the language and the theme chosen.
import {pageAddress} from './from-head.js';

const guideLink = document.getElementById('guide-link');
const linkGuide = () => guideLink.setAttribute('href', pageAddress.link('guide.html'));
if (guideLink) {
  linkGuide();
  document.addEventListener('themechange', linkGuide);
}
