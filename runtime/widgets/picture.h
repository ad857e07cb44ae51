#pragma once

#include <QPixmap>

class QLabel;

// Image controls are QLabels. An image control that does not stretch takes
// the size of the picture assigned to it (plus its border); the empty
// picture clears it and leaves its size as it was.
void setPicture(QLabel *image, const QPixmap &picture);
QPixmap picture(const QLabel *image);

class QWidget;

// The picture in an image file as a widget's screen shows it sharpest, at
// the size of the file's first image: where the screen's pixels are twice
// as dense, the drawing in file@2x beside it (QIcon's rule), and the file's
// own image otherwise.
QPixmap pictureForScreen(const QString &file, const QWidget *widget);
