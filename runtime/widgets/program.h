#pragma once

#include <QString>

class QWidget;

// Sets up the application of a program with one window: its name and
// version as its version record gives them, its desktop identity (the
// reverse-DNS id that its desktop entry, icon and metadata share, and that
// the desktop matches its window by), the translations of its language,
// the metrics of the control font that the windows set (Sans Serif) and the
// program icon.
void setUpProgram(const char *name, const char *version, const char *desktopId);

// The program's name as setUpProgram was given it: the title of a box that
// names none.
QString programName();

// Shows the program's window and runs the event loop until the program ends.
// With FORM_REPORT_FIRST_PAINT set in the environment, the time of the
// window's first paint (steady clock, nanoseconds) is written to standard
// output, for the start-up benchmark.
int runProgram(QWidget &window);

// Ends the program at once: its windows close without asking and the event
// loop stops.
void End();

// Centres a top-level window on its screen by its outer size (frame and title
// bar included, as far as the platform tells them before the window is
// shown): Left = (screen width - window width) / 2, and the same for Top,
// in twips and in single precision, checked like any floating-point result.
void centreOnScreen(QWidget *window);
