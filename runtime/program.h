#pragma once

class QWidget;

// Sets up the application of a program with one window: its name and
// version as its version record gives them, the default control font (an
// 8-point sans-serif) and the program icon.
void setUpProgram(const char *name, const char *version);

// Shows the program's window and runs the event loop until the program ends.
// With FORM_REPORT_FIRST_PAINT set in the environment, the time of the
// window's first paint (steady clock, nanoseconds) is written to standard
// output, for the start-up benchmark.
int runProgram(QWidget &window);
