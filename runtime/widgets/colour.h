#pragma once

#include <QColor>
#include <QtGlobal>

// Colours as the layouts store them: 0x00BBGGRR, or 0x80000000 plus the
// index of a system colour (0x8000000F button face, 0x80000012 button text,
// 0x80000008 window text), which follows the application's palette.
QColor colorFromValue(quint32 value);
// The 0x00BBGGRR value of an opaque colour.
quint32 valueFromColor(const QColor &color);

class QWidget;

// A control's BackColor: the colour its background is filled with.
quint32 backColor(const QWidget *widget);
void setBackColor(QWidget *widget, quint32 value);

// Keeps text readable on a control whose own palette fixes its background
// colour: where its text colour would contrast with that background less
// than 4.5 : 1 (WCAG's least for text), as a dark desktop scheme's light
// text does on a fixed white box, the text becomes black or white, whichever
// contrasts more. Controls in the desktop's colours are left to its scheme.
// setBackColor applies it to the control it colours.
void keepTextReadable(QWidget *control);
// The same for every control of a window, now and whenever the desktop's
// colours change.
void keepTextReadableIn(QWidget *window);
// The contrast ratio of two colours, from 1 to 21 (WCAG 2).
double contrastRatio(const QColor &a, const QColor &b);
