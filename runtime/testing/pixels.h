#pragma once

#include <QImage>

#include <algorithm>
#include <cstdlib>

// How many pixels of two images differ by more than a third of the contrast
// in a channel: a glyph moved or cut by a pixel changes many; drawing it at
// a quarter pixel's precision, or blending its edges otherwise, none.
// Images of different sizes differ in every pixel.
inline int pixelsApart(const QImage &a, const QImage &b)
{
    const QImage first = a.convertToFormat(QImage::Format_RGB32);
    const QImage second = b.convertToFormat(QImage::Format_RGB32);
    if (first.size() != second.size())
        return std::max(first.width() * first.height(), second.width() * second.height());
    int apart = 0;
    for (int y = 0; y < first.height(); ++y) {
        const auto *one = reinterpret_cast<const QRgb *>(first.constScanLine(y));
        const auto *two = reinterpret_cast<const QRgb *>(second.constScanLine(y));
        for (int x = 0; x < first.width(); ++x) {
            const int most = std::max({std::abs(qRed(one[x]) - qRed(two[x])), std::abs(qGreen(one[x]) - qGreen(two[x])),
                                       std::abs(qBlue(one[x]) - qBlue(two[x]))});
            apart += most > 85;
        }
    }
    return apart;
}
