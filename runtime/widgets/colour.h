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
