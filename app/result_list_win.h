#pragma once
#include <windows.h>

// The list under the bar, drawn as resultList says: up to eight rows, each a program's
// small icon and name, the selected one highlighted, in the system's colours (those of a
// high-contrast theme too) at the bar's scale; under the bar, or above it where its
// monitor has no room below. A standard list box whose rows carry their text, for screen
// readers; it never takes the keyboard focus, so typing goes on in the command box. A
// click on a row runs it.

// Shows the rows and the selection as they are now, or hides the list where none shows.
void ShowResults();

// Hides the list, as the bar loses the focus or hides; ShowResults shows it again.
void HideResults();

// Lets go of the icons of the rows, whose catalog is replaced.
void ForgetResultIcons();

// Destroys the list and what it holds, as the bar goes.
void DestroyResults();
