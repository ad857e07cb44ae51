#pragma once

#include <QPixmap>

class QLabel;

// Image controls are QLabels. An image control that does not stretch takes
// the size of the picture assigned to it (plus its border); the empty
// picture clears it and leaves its size as it was.
void setPicture(QLabel *image, const QPixmap &picture);
QPixmap picture(const QLabel *image);
