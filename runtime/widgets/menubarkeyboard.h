#pragma once

// Gives the keyboard back to the control that had it when Escape leaves a
// window's menu bar. Qt's menu bar forgets that control once a menu has been
// opened and closed twice from the keyboard (Alt+E, Escape, Alt+E, Escape),
// and keeps the focus itself, so that typing goes nowhere. Installed once
// for the whole program.
void giveKeyboardBackFromMenuBars();
