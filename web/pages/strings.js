// The pages' texts, one table per language with the same keys, and what the three pages use to
// show them: the language chosen (lang= in the address, else the browser's preferred languages),
// texts by key with their values filled in, and numbers as the language writes them. Values go in
// as text; the keys ending in ".html" hold markup of ours, never anything from outside.
import {pageAddress} from './address.js';

export const pageStrings = {
  en: {
    'language.name': 'English',
    // Where the language puts a no-break space: before these signs, and after these.
    'typography.space-before': '', 'typography.space-after': '',

    // What every page has at its top, and on paper.
    'tools.label': 'Page settings',
    'theme.label': 'Theme', 'theme.auto': 'as the system', 'theme.light': 'light', 'theme.dark': 'dark', 'theme.projector': 'projector',
    'share.link': 'Copy link', 'share.embed': 'Copy embed code', 'share.copied': 'Copied',
    'share.failed': 'This browser would not copy: select the address and copy it by hand.',
    'keys.title': 'Keys', 'keys.close': 'Close', 'keys.button': 'Keys',
    'keys.question-key': '?', 'keys.this-list': 'this list of keys',
    'keys.play': 'play / pause', 'keys.answer-e': 'answer E (predict mode)', 'keys.answer-s': 'answer SE (predict mode)',
    'print.heading': 'Mode {mode}, radius {r}, step {step}',
    'print.worksheet-heading': 'Mode {mode}, radius {r}: fill in y, d, F(M) and the move of each state, and the pixels on the grid',
    'print.worksheet-note': 'This page prints as a worksheet: the y (after the start), d, F(M) and move columns blank, and the grid with the start pixel alone.',
    'print.name': 'Name: ______________________________',
    'print.worksheet-grid': 'The grid of the worksheet: the exact circle and the start pixel',

    // Practice sets.
    'practice.start': 'Practice',
    'practice.title': 'Practice set',
    'practice.number': 'Question {n} of {m}:',
    'practice.move': '{mode}, radius {r}, step {step}. Where does the walk go, E or SE?',
    'practice.d': '{mode}, radius {r}, step {step}. What is d after this step?',
    'practice.count': 'how many draws does one pass of the {mode} mode make at radius {r}, the number the demonstration prints?',
    'practice.your-answer': 'Your answer',
    'practice.right': 'Question {n}: right.',
    'practice.wrong': 'Question {n}: not quite.',
    'practice.move-hint': 'M is marked on the grid beside: {fm}; {reason}',
    'practice.d-hint': 'M is marked on the grid beside: {fm}; {reason} The next d is {next}: the step added {added}.',
    'practice.count-hint': 'The {mode} mode {how} At radius {r} that makes {n} draws.',
    'practice.score': '{n} of {m}',
    'practice.done': 'The set is over: {n} of {m} right.',
    'practice.summary': 'Your answers',
    'practice.question': 'question', 'practice.given': 'your answer', 'practice.expected': 'right answer', 'practice.result': 'result',
    'practice.yes': 'right', 'practice.no': 'wrong',
    'practice.another': 'Try another set',
    'practice.leave': 'Leave the practice',
    'practice.hint-grid': 'The state, its candidates E and SE, and the midpoint M beside the exact circle',
    'practice.lms-refused': 'The learning platform did not open a session: this set’s result will not reach it.',
    'address.practice': 'practice “{text}” (not a whole number from 1 to {limit})',
    'narration.state': '{head}, d = {d}.',

    // The demonstration's modes, by the names the program gives them.
    'mode.outline': 'outline', 'mode.spans': 'spans', 'mode.extents': 'extents',
    // A point with numbers in it (French separates them with a semicolon, as its decimals use commas).
    'point': '({x}, {y})',

    // Keys as the on-screen buttons and the tables name them.
    'key.Enter': 'Enter', 'key.Escape': 'Escape', 'key.Shift': 'Shift', 'key.Ctrl': 'Ctrl', 'key.Alt': 'Alt',
    'key.Left': 'Left', 'key.Right': 'Right', 'key.Up': 'Up', 'key.Down': 'Down',
    'key.PageUp': 'PageUp', 'key.PageDown': 'PageDown',
    'key.button': 'key {key}',

    // What the programs' inputs do, by their action's name; "demo." and "showcase." for one page.
    'action.next-mode': 'next rasteriser: {modes}',
    'action.radius': 'radius up / down',
    'action.turn-keys': 'turn about X, Y, Z by +2 / −2 degrees',
    'action.rotation-toggle': 'start / stop the continuous rotation',
    'demo.action.rotation-toggle': 'toggle the continuous rotation (nothing drives it here)',
    'action.quit': 'quit',
    'action.projection-switch': 'perspective / frustum',
    'action.turn-step': 'turn by 1 degree',
    'action.preset-views': 'preset views',
    'action.rotation-speed': 'rotation speed',
    'action.turn-step-10': 'turn by 10 degrees',
    'action.turn-step-45': 'turn by 45 degrees',
    'action.turn': 'turn (horizontally about Y, vertically about X)',
    'action.turn-z': 'turn (horizontally about Z, vertically about X)',
    'action.zoom': 'zoom',
    'action.shift': 'shift the scene',
    'action.quit-menu': 'menu “{entry}”: quit',
    'input.drag': 'drag + {modifiers}',
    'input.modifier': '{modifiers} + arrow or page key',
    'input.menu': 'right button, long press',
    'drag.turn': 'Turn', 'drag.turn-z': 'Turn Z', 'drag.zoom': 'Zoom', 'drag.shift': 'Shift',

    // Both programs' pages.
    'program.keys': 'Keys',
    'program.drag-title': '{input}: {effect}',
    'program.drags': 'A finger on the picture:',
    'program.inputs': 'The inputs and what they do',
    'program.input-head': 'Input', 'program.effect-head': 'Effect',
    'program.loading': 'Loading the program…',
    'program.running': 'Running: click the picture and use the keys below, or the buttons; on a touch screen, drag on the picture.',
    'program.ended': 'The program ended with status {status}.',
    'program.no-webgl': 'This page draws with WebGL, which this browser has turned off or does not have. ' +
                        'Try another browser, or turn on hardware acceleration in this browser’s settings.',
    'program.no-webgl-walk': 'The explainer of the walk works without WebGL:',
    'program.no-webgl-link': 'the midpoint walk, step by step',

    'demo.canvas': 'The circle and the grid pixels the midpoint algorithm selects',
    'demo.description': 'The integer midpoint circle algorithm at work: a circle and the grid pixels that its three rasterisers select, turned and zoomed with the keys or a finger, and the draws each pass makes.',
    'demo.walk-link': 'Step through this circle’s walk',
    'demo.walk-link-after': ': the decision at every step.',
    'demo.count-lines': 'Count lines',
    'demo.title': 'Circles by the midpoint algorithm',
    'showcase.title': 'View showcase',
    'showcase.canvas': 'The rainbow ramp as a ring around the grey ramp',
    'showcase.description': 'The view module of the midpoint circles at work: a rainbow ring around a grey ramp, turned, zoomed and seen in perspective with the keys, drags and buttons.',

    // The explainer, walk.html.
    'walk.title': 'The midpoint walk, step by step',
    'walk.description': 'The integer midpoint circle algorithm step by step: the decision at every step, the pixels drawn, questions to predict the next move, other ways to walk and what each mode costs.',
    'walk.intro.html': 'Every number here comes from the rasterisers of <a id="demo-link" href="index.html">the demonstration</a>, run in your browser and watched as they walk.',
    'walk.plane': 'The pixel plane',
    'walk.grid': 'The pixel plane seen from above: the exact circle, the pixels drawn so far and the current step’s',
    'walk.radius': 'Radius', 'walk.mode': 'Mode', 'walk.steps': 'Steps',
    'walk.start': 'To start', 'walk.back': 'Step back', 'walk.forward': 'Step forward', 'walk.end': 'To end',
    'walk.play': 'Play', 'walk.pause': 'Pause', 'walk.speed': 'Speed',
    'walk.start-key': 'Home', 'walk.back-key': 'Left arrow', 'walk.forward-key': 'Right arrow', 'walk.end-key': 'End',
    'walk.play-key': 'Space',
    'walk.speed-1': '1 step/s', 'walk.speed-2': '2 steps/s', 'walk.speed-4': '4 steps/s', 'walk.speed-10': '10 steps/s',
    'walk.radius-go': 'Show',
    'legend.title': 'Legend',
    'legend.once': 'drawn once',
    'legend.twice': 'drawn twice (marked ×)',
    'legend.now': 'drawn at this step',
    'legend.candidate': 'the candidates E and SE, with the midpoint M between them: filled inside the circle, hollow outside',
    'legend.variant-only': 'drawn by the variant, not by the walk (round mark)',
    'legend.walk-only': 'drawn by the walk, not by the variant (square mark)',
    'address.ignored': 'Ignored in the address: {what}.',
    'address.separator': '; ',
    'address.mode': 'mode “{text}” (not {modes})',
    'address.radius': 'radius “{text}” (not a whole number from 1 to {limit})',
    'address.step': 'step “{text}” (not a whole number from 0 to {limit})',
    'address.step-past': 'step “{text}” (past the last step, {limit}, shown instead)',
    'address.predict': 'predict “{text}” (not 0 or 1)',
    'address.play': 'play “{text}” (not 0 or 1)',
    'address.unknown': 'the name “{text}” (the page reads {names})',
    'address.repeated': '{name} “{text}” (given again: the first is read)',
    'address.practice-over': '{name} “{text}” (a practice set chooses its own)',
    'address.variant': 'variant “{text}” (not {names})',

    'table.caption': 'One row per state of the walk; choose one to go there.',
    'table.step-head': 'step', 'table.move': 'move', 'table.draws': 'draws', 'table.total': 'total',
    'table.step': 'Step {step}', 'table.after': 'after', 'table.after-label': 'After the walk',
    'table.after-what': 'the rows, from their collected half-widths',

    'narration.head': 'Step {step}: x = {x}, y = {y}',
    'narration.move': '{head}; {reason} {drawn}',
    'narration.predict': '{head}, d = {d}. Where does the walk go, E or SE?',
    'narration.stop': '{head}, d = {d}: y ≤ x, the walk is on the diagonal or just past it, and stops. {draws}. {end}',
    'narration.total': 'Total {total}, the count the demonstration prints.',
    'narration.rows-next': 'The rows come next, from the half-widths collected.',
    'narration.after': 'After the walk: row 0 and the rows ±1 to ±{r}, each drawn once from the half-width it collected: {draws}. Total {total}, the count the demonstration prints.',
    'reason.east': 'd = {d} < 0, so the midpoint {m} is inside the circle, and the walk goes E.',
    'reason.south-east': 'd = {d} ≥ 0, so the midpoint {m} is outside the circle, and the walk goes SE.',
    'draws.one': '{n} draw', 'draws.other': '{n} draws',
    'drawn.one': '{n} draw, {total} so far.', 'drawn.other': '{n} draws, {total} so far.',

    'predict.group': 'Predict mode',
    'predict.toggle': 'Predict each move',
    'predict.with-d': 'and type the next d',
    'predict.answers': 'Your answer',
    'predict.e-key': 'key e', 'predict.s-key': 'key s',
    'predict.question': 'E or SE?',
    'predict.ask-d': 'And the d of step {step}?',
    'predict.next-d': 'next d',
    'predict.check': 'Check',
    'predict.right': 'Right: {reason}',
    'predict.wrong': 'Not quite: {reason}',
    'predict.d-right': 'Right: the next d is {next}; the step added {added}.',
    'predict.d-wrong': 'Not quite: the next d is {next}; the step added {added}.',
    'predict.whole-number': 'Type a whole number, such as −3 or 12.',
    'predict.score': 'Score: {n} of {m}',
    'predict.final': 'Final score: {n} of {m}',
    'predict.over': 'The walk has stopped: there is nothing more to predict.',
    'predict.again': 'Start again',
    'predict.other': 'Try another radius',

    'variants.compare': 'Compare the walk with',
    'variant.walk': 'the walk itself',
    'variant.exact': 'exact: the sign of F(M)',
    'variant.quarter': 'quarter: d from 5/4 − r',
    'variant.root': 'root: each column rounded',
    'variant.less-or-equal': 'less-or-equal: E while d ≤ 0',
    'variants.differ.zero': '0 pixels differ',
    'variants.differ.one': '1 pixel differs',
    'variants.differ.other': '{n} pixels differ',
    'variants.title': 'Why the walk is built this way',
    'variants.caption': 'The outline at radius {r}, walked each way',
    'variants.variant': 'variant', 'variants.pixels': 'pixels', 'variants.differ': 'differ from the walk',
    'variants.text.html': '<p><strong>The fractions can go.</strong> F(M) is always a whole number plus ¼. The walk starts its d at 1 − r, a whole number, and d &lt; 0 exactly when F(M) &lt; 0: the exact sign of F(M), and d kept from 5/4 − r in floating point, draw the same pixels at every radius.</p>' +
      '<p><strong>The square root can go.</strong> Rounding √(r² − x²) for each column gives the pixel of that column nearest to the circle; the walk reaches the same pixels with a few integer additions a step.</p>' +
      '<p><strong>The comparison must be &lt;.</strong> d is 0 exactly when F(M) = ¼: the midpoint lies just outside the circle, and SE is the nearer candidate. With d ≤ 0 the walk goes E there, to the farther one.</p>',

    'cost.title': 'What each mode costs',
    'cost.intro': 'The draws of one pass against the radius, from 1 to {limit}, one line per mode. The extents mode draws each pixel of the disc once, so its line is also the number of the disc’s pixels; the gap between spans and extents is what the spans draw twice.',
    'cost.radius': 'radius',
    'cost.draws': 'draws',
    'cost.chart-title': 'The draws of one pass against the radius, in each mode',
    'cost.chart-desc': 'From radius 1 to {limit} the draws grow with the radius, the outline’s roughly in proportion to it, the filled modes’ roughly with its square. At radius {r}: {figures}.',
    'cost.figure': '{mode} {n}',
    'cost.figures': 'The figures',
    'cost.table-caption': 'Draws of one pass, by radius and mode, and the overdraw',
    'cost.overdraw': 'overdraw',
    'cost.overdraw-intro': 'Below, on a scale of its own, the overdraw: the spans’ draws less the extents’, the pixels the spans draw twice. It is 0 when the walk ends on the diagonal, and two rows when it ends past it.',
    'cost.overdraw-title': 'The overdraw of the spans mode against the radius',
    'cost.overdraw-desc': 'The spans’ draws less the extents’, from radius 1 to {limit}: 0 wherever the walk ends on the diagonal, two rows wherever it ends past it. At radius {r}: {n}.',

    'code.summary': 'The code',
    'code.label': 'The C++ of the mode on show',
    'code.caption': 'The C++ of {file}, the file itself: the walk that the three modes share, then the {mode} mode’s own function. The lines that run at the state on show are marked ▶.',
    'code.deciding': 'While you predict, only the line that compares d with 0 is marked: it runs whichever way the walk goes.',

    'explain.title': 'How the walk decides',
    'explain.walk.html': '<p>The circle of radius r about the origin is where the <em>circle function</em> F(x, y) = x² + y² − r² is zero: F is negative inside the circle and positive outside.</p>' +
      '<p>The walk starts at the top, (0, r), and goes one column to the right at each step. From (x, y) the next pixel is one of two candidates: E = (x + 1, y), straight east, or SE = (x + 1, y − 1), one row down. Between them lies the midpoint M = (x + 1, y − ½). If M is inside the circle, the circle passes above it and E is nearer; otherwise SE is.</p>' +
      '<p>F(M) is always a whole number plus ¼, since (y − ½)² = y² − y + ¼ and the other terms are whole numbers. The walk keeps d = F(M) − ¼ instead, a whole number: d &lt; 0 exactly when F(M) &lt; 0. It starts at d = 1 − r and changes, from one midpoint to the next, by an amount that needs only additions and doublings of x and y. No multiplication by r, no square root and no fraction is ever needed.</p>' +
      '<p>The walk only covers the eighth of the circle from the top to the diagonal x = y, where it stops. The circle looks the same when x and y are swapped or their signs changed, so each pixel (x, y) of that eighth stands for up to eight: (±x, ±y) and (±y, ±x), fewer on the axes and the diagonal, where some of them coincide.</p>',
    'explain.modes': 'The three modes',
    'explain.mode.outline': 'draws the eight images of each pixel the walk reaches above the diagonal, and four where images coincide: the four points on the axes at the start, and the four on the diagonal if the walk ends on it. A last pixel past the diagonal is not drawn, since it mirrors one already drawn: each outline pixel is drawn once.',
    'explain.mode.spans': 'fills the disc with rows as the walk goes: row 0 at the start, the rows ±x at half-width y as x reaches them, and the rows ±y at half-width x when the walk leaves them by stepping down. When the last step goes down past the diagonal, the two rows it leaves are drawn a second time, at the same half-width.',
    'explain.mode.extents': 'draws nothing while walking: each row keeps the widest half-width that a pixel or its mirror across the diagonal offers, and once the walk has ended every row is drawn once.',
    'explain.total': 'The total at the end is the count the demonstration prints for that mode and radius.',
  },
  fr: {
    'language.name': 'Français',
    'typography.space-before': ':;?!»', 'typography.space-after': '«',

    'tools.label': 'Réglages de la page',
    'theme.label': 'Thème', 'theme.auto': 'comme le système', 'theme.light': 'clair', 'theme.dark': 'sombre', 'theme.projector': 'projecteur',
    'share.link': 'Copier le lien', 'share.embed': 'Copier le code d’intégration', 'share.copied': 'Copié',
    'share.failed': 'Ce navigateur n’a pas voulu copier : sélectionnez l’adresse et copiez-la à la main.',
    'keys.title': 'Touches', 'keys.close': 'Fermer', 'keys.button': 'Touches',
    'keys.question-key': '?', 'keys.this-list': 'cette liste des touches',
    'keys.play': 'lecture / pause', 'keys.answer-e': 'répondre E (mode prédiction)', 'keys.answer-s': 'répondre SE (mode prédiction)',
    'print.heading': 'Mode {mode}, rayon {r}, pas {step}',
    'print.worksheet-heading': 'Mode {mode}, rayon {r} : complétez y, d, F(M) et le déplacement de chaque état, et les pixels sur la grille',
    'print.worksheet-note': 'Cette page s’imprime en fiche d’exercice : les colonnes y (après le départ), d, F(M) et déplacement vides, et la grille avec le seul pixel de départ.',
    'print.name': 'Nom : ______________________________',
    'print.worksheet-grid': 'La grille de la fiche : le cercle exact et le pixel de départ',

    'practice.start': 'S’entraîner',
    'practice.title': 'Série d’exercices',
    'practice.number': 'Question {n} sur {m} :',
    'practice.move': '{mode}, rayon {r}, pas {step}. Où va l’algorithme : E ou SE ?',
    'practice.d': '{mode}, rayon {r}, pas {step}. Que vaut d après ce pas ?',
    'practice.count': 'combien de tracés fait une passe du mode {mode} au rayon {r}, le nombre qu’affiche la démonstration ?',
    'practice.your-answer': 'Votre réponse',
    'practice.right': 'Question {n} : exact.',
    'practice.wrong': 'Question {n} : pas tout à fait.',
    'practice.move-hint': 'M est marqué sur la grille ci-contre : {fm} ; {reason}',
    'practice.d-hint': 'M est marqué sur la grille ci-contre : {fm} ; {reason} Le d suivant vaut {next} : le pas a ajouté {added}.',
    'practice.count-hint': 'Le mode {mode} {how} Au rayon {r}, cela fait {n} tracés.',
    'practice.score': '{n} sur {m}',
    'practice.done': 'La série est finie : {n} sur {m} justes.',
    'practice.summary': 'Vos réponses',
    'practice.question': 'question', 'practice.given': 'votre réponse', 'practice.expected': 'bonne réponse', 'practice.result': 'résultat',
    'practice.yes': 'juste', 'practice.no': 'faux',
    'practice.another': 'Essayer une autre série',
    'practice.leave': 'Quitter l’entraînement',
    'practice.hint-grid': 'L’état, ses candidats E et SE, et le point milieu M à côté du cercle exact',
    'practice.lms-refused': 'La plateforme d’apprentissage n’a pas ouvert de session : le résultat de cette série ne lui parviendra pas.',
    'address.practice': 'entraînement « {text} » (pas un nombre entier de 1 à {limit})',
    'narration.state': '{head}, d = {d}.',

    'mode.outline': 'contour', 'mode.spans': 'segments', 'mode.extents': 'étendues',
    'point': '({x} ; {y})',

    'key.Enter': 'Entrée', 'key.Escape': 'Échap', 'key.Shift': 'Maj', 'key.Ctrl': 'Ctrl', 'key.Alt': 'Alt',
    'key.Left': '←', 'key.Right': '→', 'key.Up': '↑', 'key.Down': '↓',
    'key.PageUp': 'Pg préc.', 'key.PageDown': 'Pg suiv.',
    'key.button': 'touche {key}',

    'action.next-mode': 'rastériseur suivant : {modes}',
    'action.radius': 'rayon plus / moins un',
    'action.turn-keys': 'tourner autour de X, Y, Z de +2 / −2 degrés',
    'action.rotation-toggle': 'lancer / arrêter la rotation continue',
    'demo.action.rotation-toggle': 'basculer la rotation continue (rien ne l’entraîne ici)',
    'action.quit': 'quitter',
    'action.projection-switch': 'perspective / tronc de pyramide',
    'action.turn-step': 'tourner de 1 degré',
    'action.preset-views': 'vues prédéfinies',
    'action.rotation-speed': 'vitesse de la rotation',
    'action.turn-step-10': 'tourner de 10 degrés',
    'action.turn-step-45': 'tourner de 45 degrés',
    'action.turn': 'tourner (horizontalement autour de Y, verticalement autour de X)',
    'action.turn-z': 'tourner (horizontalement autour de Z, verticalement autour de X)',
    'action.zoom': 'zoomer',
    'action.shift': 'déplacer la scène',
    'action.quit-menu': 'menu « {entry} » : quitter',
    'input.drag': 'glisser + {modifiers}',
    'input.modifier': '{modifiers} + flèche ou touche de page',
    'input.menu': 'bouton droit, appui long',
    'drag.turn': 'Tourner', 'drag.turn-z': 'Tourner Z', 'drag.zoom': 'Zoom', 'drag.shift': 'Déplacer',

    'program.keys': 'Touches',
    'program.drag-title': '{input} : {effect}',
    'program.drags': 'Un doigt sur l’image :',
    'program.inputs': 'Les entrées et leur effet',
    'program.input-head': 'Entrée', 'program.effect-head': 'Effet',
    'program.loading': 'Chargement du programme…',
    'program.running': 'En marche : cliquez sur l’image et utilisez les touches ci-dessous, ou les boutons ; sur un écran tactile, faites glisser un doigt sur l’image.',
    'program.ended': 'Le programme s’est terminé avec le code {status}.',
    'program.no-webgl': 'Cette page dessine avec WebGL, que ce navigateur a désactivé ou ne possède pas. ' +
                        'Essayez un autre navigateur, ou activez l’accélération matérielle dans ses réglages.',
    'program.no-webgl-walk': 'L’explication pas à pas fonctionne sans WebGL :',
    'program.no-webgl-link': 'l’algorithme du point milieu, pas à pas',

    'demo.canvas': 'Le cercle et les pixels de la grille que choisit l’algorithme du point milieu',
    'demo.description': 'L’algorithme entier du point milieu à l’œuvre : un cercle et les pixels de la grille que choisissent ses trois rastériseurs, tourné et zoomé au clavier ou du doigt, et les tracés de chaque passe.',
    'demo.walk-link': 'Suivre pas à pas le parcours de ce cercle',
    'demo.walk-link-after': ' : la décision à chaque pas.',
    'demo.count-lines': 'Lignes de compte',
    'demo.title': 'Cercles par l’algorithme du point milieu',
    'showcase.title': 'Vitrine des vues',
    'showcase.canvas': 'La rampe arc-en-ciel en anneau autour de la rampe de gris',
    'showcase.description': 'Le module de vues des cercles du point milieu à l’œuvre : un anneau arc-en-ciel autour d’une rampe de gris, tourné, zoomé et vu en perspective au clavier, à la souris ou avec les boutons.',

    'walk.title': 'L’algorithme du point milieu, pas à pas',
    'walk.description': 'L’algorithme entier du point milieu pour le cercle, pas à pas : la décision à chaque pas, les pixels tracés, des questions pour prédire le pas suivant, d’autres parcours et ce que coûte chaque mode.',
    'walk.intro.html': 'Chaque nombre de cette page vient des rastériseurs de <a id="demo-link" href="index.html">la démonstration</a>, exécutés dans votre navigateur et observés pendant leur parcours.',
    'walk.plane': 'Le plan des pixels',
    'walk.grid': 'Le plan des pixels vu de dessus : le cercle exact, les pixels tracés jusqu’ici et ceux du pas courant',
    'walk.radius': 'Rayon', 'walk.mode': 'Mode', 'walk.steps': 'Pas',
    'walk.start': 'Au début', 'walk.back': 'Pas précédent', 'walk.forward': 'Pas suivant', 'walk.end': 'À la fin',
    'walk.play': 'Lecture', 'walk.pause': 'Pause', 'walk.speed': 'Vitesse',
    'walk.start-key': 'Origine', 'walk.back-key': 'Flèche gauche', 'walk.forward-key': 'Flèche droite', 'walk.end-key': 'Fin',
    'walk.play-key': 'Espace',
    'walk.speed-1': '1 pas/s', 'walk.speed-2': '2 pas/s', 'walk.speed-4': '4 pas/s', 'walk.speed-10': '10 pas/s',
    'walk.radius-go': 'Afficher',
    'legend.title': 'Légende',
    'legend.once': 'tracé une fois',
    'legend.twice': 'tracé deux fois (marqué ×)',
    'legend.now': 'tracé à ce pas',
    'legend.candidate': 'les candidats E et SE, avec le point milieu M entre eux : plein à l’intérieur du cercle, creux à l’extérieur',
    'legend.variant-only': 'tracé par la variante, pas par l’algorithme (marque ronde)',
    'legend.walk-only': 'tracé par l’algorithme, pas par la variante (marque carrée)',
    'address.ignored': 'Ignoré dans l’adresse : {what}.',
    'address.separator': ' ; ',
    'address.mode': 'mode « {text} » (attendu : {modes})',
    'address.radius': 'rayon « {text} » (pas un nombre entier de 1 à {limit})',
    'address.step': 'pas « {text} » (pas un nombre entier de 0 à {limit})',
    'address.step-past': 'pas « {text} » (au-delà du dernier pas, {limit}, montré à sa place)',
    'address.predict': 'predict « {text} » (ni 0 ni 1)',
    'address.play': 'play « {text} » (ni 0 ni 1)',
    'address.unknown': 'le nom « {text} » (la page lit {names})',
    'address.repeated': '{name} « {text} » (donné de nouveau : le premier est lu)',
    'address.practice-over': '{name} « {text} » (un entraînement choisit les siens)',
    'address.variant': 'variante « {text} » (attendu : {names})',

    'table.caption': 'Une ligne par état du parcours ; choisissez-en une pour y aller.',
    'table.step-head': 'pas', 'table.move': 'déplacement', 'table.draws': 'tracés', 'table.total': 'total',
    'table.step': 'Pas {step}', 'table.after': 'après', 'table.after-label': 'Après le parcours',
    'table.after-what': 'les rangées, d’après leurs demi-largeurs relevées',

    'narration.head': 'Pas {step} : x = {x}, y = {y}',
    'narration.move': '{head} ; {reason} {drawn}',
    'narration.predict': '{head}, d = {d}. Où va l’algorithme : E ou SE ?',
    'narration.stop': '{head}, d = {d} : y ≤ x, le parcours est sur la diagonale ou juste au-delà, et s’arrête. {draws}. {end}',
    'narration.total': 'Total {total}, le compte qu’affiche la démonstration.',
    'narration.rows-next': 'Viennent ensuite les rangées, d’après les demi-largeurs relevées.',
    'narration.after': 'Après le parcours : la rangée 0 et les rangées ±1 à ±{r}, chacune tracée une fois d’après la demi-largeur relevée : {draws}. Total {total}, le compte qu’affiche la démonstration.',
    'reason.east': 'la variable de décision d = {d} < 0, donc le point milieu {m} est à l’intérieur du cercle, et l’algorithme va à l’Est (E).',
    'reason.south-east': 'la variable de décision d = {d} ≥ 0, donc le point milieu {m} est à l’extérieur du cercle, et l’algorithme va au Sud-Est (SE).',
    'draws.one': '{n} tracé', 'draws.other': '{n} tracés',
    'drawn.one': '{n} tracé, {total} jusqu’ici.', 'drawn.other': '{n} tracés, {total} jusqu’ici.',

    'predict.group': 'Mode prédiction',
    'predict.toggle': 'Prédire chaque pas',
    'predict.with-d': 'et saisir le d suivant',
    'predict.answers': 'Votre réponse',
    'predict.e-key': 'touche e', 'predict.s-key': 'touche s',
    'predict.question': 'E ou SE ?',
    'predict.ask-d': 'Et le d du pas {step} ?',
    'predict.next-d': 'd suivant',
    'predict.check': 'Vérifier',
    'predict.right': 'Exact : {reason}',
    'predict.wrong': 'Pas tout à fait : {reason}',
    'predict.d-right': 'Exact : le d suivant vaut {next} ; le pas a ajouté {added}.',
    'predict.d-wrong': 'Pas tout à fait : le d suivant vaut {next} ; le pas a ajouté {added}.',
    'predict.whole-number': 'Saisissez un nombre entier, comme −3 ou 12.',
    'predict.score': 'Score : {n} sur {m}',
    'predict.final': 'Score final : {n} sur {m}',
    'predict.over': 'L’algorithme s’est arrêté : il n’y a plus rien à prédire.',
    'predict.again': 'Recommencer',
    'predict.other': 'Essayer un autre rayon',

    'variants.compare': 'Comparer l’algorithme avec',
    'variant.walk': 'l’algorithme lui-même',
    'variant.exact': 'exact : le signe de F(M)',
    'variant.quarter': 'quart : d depuis 5/4 − r',
    'variant.root': 'racine : chaque colonne arrondie',
    'variant.less-or-equal': 'inférieur ou égal : E tant que d ≤ 0',
    'variants.differ.zero': 'Aucun pixel ne diffère',
    'variants.differ.one': '1 pixel diffère',
    'variants.differ.other': '{n} pixels diffèrent',
    'variants.title': 'Pourquoi l’algorithme est construit ainsi',
    'variants.caption': 'Le contour au rayon {r}, parcouru de chaque façon',
    'variants.variant': 'variante', 'variants.pixels': 'pixels', 'variants.differ': 'différents de l’algorithme',
    'variants.text.html': '<p><strong>Les fractions peuvent partir.</strong> F(M) est toujours un nombre entier plus ¼. L’algorithme fait partir sa variable de décision d de 1 − r, un nombre entier, et d &lt; 0 exactement quand F(M) &lt; 0 : le signe exact de F(M), comme d gardé depuis 5/4 − r en virgule flottante, tracent les mêmes pixels à tout rayon.</p>' +
      '<p><strong>La racine carrée peut partir.</strong> Arrondir √(r² − x²) pour chaque colonne donne le pixel de cette colonne le plus proche du cercle ; l’algorithme atteint les mêmes pixels avec quelques additions d’entiers par pas.</p>' +
      '<p><strong>La comparaison doit être &lt;.</strong> d vaut 0 exactement quand F(M) = ¼ : le point milieu est juste à l’extérieur du cercle, et SE est le candidat le plus proche. Avec d ≤ 0, l’algorithme va alors à l’Est, vers le plus éloigné.</p>',

    'cost.title': 'Ce que coûte chaque mode',
    'cost.intro': 'Les tracés d’une passe selon le rayon, de 1 à {limit}, une ligne par mode. Le mode étendues trace chaque pixel du disque une fois : sa ligne donne aussi le nombre de pixels du disque ; l’écart entre segments et étendues est ce que le mode segments trace deux fois.',
    'cost.radius': 'rayon',
    'cost.draws': 'tracés',
    'cost.chart-title': 'Les tracés d’une passe selon le rayon, pour chaque mode',
    'cost.chart-desc': 'Du rayon 1 au rayon {limit}, les tracés croissent avec le rayon : ceux du contour à peu près en proportion, ceux des modes pleins à peu près avec son carré. Au rayon {r} : {figures}.',
    'cost.figure': '{mode} {n}',
    'cost.figures': 'Les chiffres',
    'cost.table-caption': 'Tracés d’une passe, par rayon et par mode, et le surplus',
    'cost.overdraw': 'surplus',
    'cost.overdraw-intro': 'Ci-dessous, sur une échelle à part, le surplus : les tracés du mode segments moins ceux du mode étendues, les pixels que les segments tracent deux fois. Il vaut 0 quand le parcours se termine sur la diagonale, et deux rangées quand il la dépasse.',
    'cost.overdraw-title': 'Le surplus du mode segments selon le rayon',
    'cost.overdraw-desc': 'Les tracés du mode segments moins ceux du mode étendues, du rayon 1 au rayon {limit} : 0 partout où le parcours se termine sur la diagonale, deux rangées partout où il la dépasse. Au rayon {r} : {n}.',

    'code.summary': 'Le code',
    'code.label': 'Le C++ du mode affiché',
    'code.caption': 'Le C++ de {file}, le fichier lui-même : le parcours que partagent les trois modes, puis la fonction propre au mode {mode}. Les lignes exécutées à l’état affiché sont marquées ▶.',
    'code.deciding': 'Pendant que vous prédisez, seule la ligne qui compare d à 0 est marquée : elle s’exécute quel que soit le chemin pris.',

    'explain.title': 'Comment l’algorithme décide',
    'explain.walk.html': '<p>Le cercle de rayon r centré à l’origine est l’ensemble des points où la <em>fonction du cercle</em> F(x, y) = x² + y² − r² s’annule : F est négative à l’intérieur du cercle et positive à l’extérieur.</p>' +
      '<p>L’algorithme part du haut, (0, r), et avance d’une colonne vers la droite à chaque pas. Depuis (x, y), le pixel suivant est l’un de deux candidats : E = (x + 1, y), à l’Est, ou SE = (x + 1, y − 1), au Sud-Est, une rangée plus bas. Entre eux se trouve le point milieu M = (x + 1, y − ½). Si M est à l’intérieur du cercle, le cercle passe au-dessus de lui et E est le plus proche ; sinon c’est SE.</p>' +
      '<p>F(M) est toujours un nombre entier plus ¼, puisque (y − ½)² = y² − y + ¼ et que les autres termes sont entiers. L’algorithme garde plutôt la variable de décision d = F(M) − ¼, un nombre entier : d &lt; 0 exactement quand F(M) &lt; 0. Elle part de d = 1 − r et change, d’un point milieu au suivant, d’une quantité qui ne demande que des additions et des doublements de x et de y. Jamais de multiplication par r, de racine carrée ni de fraction.</p>' +
      '<p>L’algorithme ne parcourt que le huitième du cercle qui va du haut jusqu’à la diagonale x = y, où il s’arrête. Le cercle reste le même quand on échange x et y ou qu’on change leurs signes : chaque pixel (x, y) de ce huitième en vaut jusqu’à huit, (±x, ±y) et (±y, ±x), moins sur les axes et la diagonale, où certains se confondent.</p>',
    'explain.modes': 'Les trois modes',
    'explain.mode.outline': 'trace les huit images de chaque pixel atteint au-dessus de la diagonale, et quatre là où des images se confondent : les quatre points sur les axes au départ, et les quatre sur la diagonale si le parcours s’y termine. Un dernier pixel au-delà de la diagonale n’est pas tracé, car il est le reflet d’un pixel déjà tracé : chaque pixel du contour est tracé une fois.',
    'explain.mode.spans': 'remplit le disque de rangées au fil du parcours : la rangée 0 au départ, les rangées ±x de demi-largeur y quand x les atteint, et les rangées ±y de demi-largeur x quand le parcours les quitte en descendant. Quand le dernier pas descend au-delà de la diagonale, les deux rangées qu’il quitte sont tracées une seconde fois, avec la même demi-largeur.',
    'explain.mode.extents': 'ne trace rien pendant le parcours : chaque rangée garde la plus grande demi-largeur que lui offre un pixel ou son reflet par rapport à la diagonale, et une fois le parcours terminé chaque rangée est tracée une fois.',
    'explain.total': 'Le total à la fin est le compte qu’affiche la démonstration pour ce mode et ce rayon.',
  },
};

export const i18n = (function () {
  // The languages are the tables': a third needs nothing but its own table.
  const languages = Object.keys(pageStrings);
  const asked = pageAddress.get('lang');
  // The first of the browser's preferred languages that the pages speak; English for the rest.
  const preferred = [...(navigator.languages || []), navigator.language || '']
    .map((l) => l.toLowerCase().split('-')[0]).find((l) => languages.includes(l));
  const lang = languages.includes(asked) ? asked : preferred || 'en';
  // V8's first number format in a process builds a table of the locales it has, some 120 ms of a
  // phone's load (slowed 4x) with the rest of the page waiting. A worker, a thread of the same
  // process, builds it while the page's scripts load, and the page's first number then costs what
  // any other does. Nothing depends on it: where workers are refused, or an engine keeps no such
  // table, the first number pays.
  const warmUp = `new Intl.NumberFormat(${JSON.stringify(lang)}).format(1); close();`;
  try {
    new Worker(`data:text/javascript,${encodeURIComponent(warmUp)}`);
  } catch (error) { /* no worker here: the first number builds the table itself */ }
  const others = languages.filter((l) => l !== lang);
  const table = pageStrings[lang];

  // The language's typography: a no-break space before some signs and after others (French: before
  // : ; ? ! and », after «).
  const signs = (key) => [...table[key]].map((c) => c.replace(/[\\^\]-]/g, '\\$&')).join('');
  const before = table['typography.space-before'] ? new RegExp(` ([${signs('typography.space-before')}])`, 'g') : null;
  const after = table['typography.space-after'] ? new RegExp(`([${signs('typography.space-after')}]) `, 'g') : null;
  const typeset = (text) => {
    if (before) text = text.replace(before, '\u00a0$1');
    return after ? text.replace(after, '$1\u00a0') : text;
  };

  // The text of `key`, with {name} filled in from `values`.
  function t(key, values = {}) {
    let text = table[key];
    if (text === undefined) {
      console.error(`no text "${key}" in "${lang}"`);
      text = key;
    }
    return typeset(text).replace(/\{(\w+)\}/g, (whole, name) => (name in values ? String(values[name]) : whole));
  }

  // Whether a text exists, for texts that one page may give in its own words.
  const has = (key) => key in table;

  // The text of `key` for a count, in the form the language's plural rules choose (key.one,
  // key.other, and so on; French: 0 and 1 are singular), with {n} filled in as a number.
  const rules = new Intl.PluralRules(lang);
  function plural(key, n, values = {}) {
    const form = `${key}.${rules.select(n)}`;
    return t(has(form) ? form : `${key}.other`, {n: number(n), ...values});
  }

  // n with `digits` decimals as the language writes it (Intl): its decimal sign and grouping, and
  // the true minus sign where the platform gives a hyphen; never a minus before zero (rounded to
  // zero first, which any browser's Intl takes).
  const formats = new Map();
  function number(n, digits = 0) {
    if (!formats.has(digits)) formats.set(digits, new Intl.NumberFormat(lang, {minimumFractionDigits: digits, maximumFractionDigits: digits}));
    return formats.get(digits).format(Number(n.toFixed(digits)) || 0).replace('-', '\u2212');
  }

  // Every element's texts from the attributes that name them.
  function apply(root = document) {
    document.documentElement.lang = lang;
    for (const e of root.querySelectorAll('[data-text]')) e.textContent = t(e.dataset.text);
    for (const e of root.querySelectorAll('[data-html]')) e.innerHTML = t(e.dataset.html);
    for (const e of root.querySelectorAll('[data-label]')) e.setAttribute('aria-label', t(e.dataset.label));
    for (const e of root.querySelectorAll('[data-title]')) e.title = t(e.dataset.title);
    for (const e of root.querySelectorAll('[data-content]')) e.content = t(e.dataset.content);
  }

  // The links to this page in the other languages, keeping the rest of the address: `link` is the
  // first, the others follow it; `own` is the page's own state, as URLSearchParams.
  function linkOtherLanguage(link, own) {
    let at = link;
    others.forEach((other, i) => {
      if (i > 0 && !(at.nextElementSibling && at.nextElementSibling.hreflang === other)) {
        at.after(Object.assign(document.createElement('a'), {className: link.className}));
      }
      const a = i === 0 ? link : at.nextElementSibling;
      // Only what changes: a link written again at every step would be restyled and laid out again.
      const href = pageAddress.self(own, {lang: other}), name = pageStrings[other]['language.name'];
      if (a.getAttribute('href') !== href) a.setAttribute('href', href);
      if (a.hreflang !== other) a.hreflang = a.lang = other;
      if (a.textContent !== name) a.textContent = name;
      at = a;
    });
  }

  // A whole number as typed, with a true minus or a hyphen, and the language's grouping of
  // thousands (English's commas, French's spaces); null for anything else.
  // The grouping is read when first needed, not as the page loads: a number format made then would
  // come before the worker above has built the table.
  let grouped = null;
  function wholeNumber(text) {
    if (!grouped) {
      const group = new Intl.NumberFormat(lang).formatToParts(11111).find((p) => p.type === 'group')?.value || ',';
      const groups = /\s/.test(group) ? '\\s\u00a0\u202f' : group.replace(/[\\^\]-]/g, '\\$&');
      grouped = new RegExp(`(\\d)[${groups}](?=\\d{3}(\\D|$))`, 'g');
    }
    const typed = text.trim().replace(/^\u2212/, '-').replace(grouped, '$1');
    return /^-?[0-9]+$/.test(typed) ? Number(typed) : null;
  }

  return {lang, t, has, plural, number, wholeNumber, apply, linkOtherLanguage};
})();
