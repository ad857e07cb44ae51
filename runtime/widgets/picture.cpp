#include "picture.h"

#include <QIcon>
#include <QImageReader>
#include <QLabel>

void setPicture(QLabel *image, const QPixmap &picture)
{
    if (picture.isNull()) {
        image->clear();
        return;
    }
    image->setPixmap(picture);
    if (!image->hasScaledContents()) {
        const int border = 2 * image->frameWidth();
        image->resize(picture.deviceIndependentSize().toSize() + QSize(border, border));
    }
}

QPixmap picture(const QLabel *image)
{
    return image->pixmap();
}

QPixmap pictureForScreen(const QString &file, const QWidget *widget)
{
    return QIcon(file).pixmap(QImageReader(file).size(), widget->devicePixelRatioF());
}
