// A right-button pop-up menu with the single entry "Quitter", which ends the program (status 0).
#pragma once

inline constexpr char quitMenuEntry[] = "Quitter";

// Needs a current GLUT window; call once after creating it.
void createQuitMenu();
// Value 0 ("Quitter") exits with status 0; any other value posts a redisplay.
void quitMenuCallback(int value);
