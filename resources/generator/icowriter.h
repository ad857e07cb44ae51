#pragma once

#include "image.h"

#include <string>
#include <vector>

struct IconImage
{
    Image image;
    int bitsPerPixel; // 4: the standard palette; 1: black (0) and white (1)
};

// Writes an icon file with the images in order, each with its transparency
// mask. Returns false when the file cannot be written.
bool writeIcon(const std::string &path, const std::vector<IconImage> &images);
