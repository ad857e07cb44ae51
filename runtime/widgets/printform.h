#pragma once

class QWidget;

// Prints an image of a window's client area, with all its controls, on the
// default printer at once, without a dialog: at its size on screen, from
// the top left of the page, scaled down only to fit. With no printer it
// says so in a message box and prints nothing. Returns whether a page was
// sent.
bool printForm(QWidget *clientArea);
