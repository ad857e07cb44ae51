#pragma once

// Layout positions and sizes are kept in twips, 1/1440 inch; Qt lays out in
// device-independent pixels of 1/96 inch, so one pixel is 15 twips.
constexpr int twipsPerPixel = 15;

constexpr int pixelsFromTwips(double twips)
{
    return int(twips / twipsPerPixel + (twips < 0 ? -0.5 : 0.5));
}

constexpr int twipsFromPixels(int pixels)
{
    return pixels * twipsPerPixel;
}
