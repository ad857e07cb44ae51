#pragma once

#include <vector>

// A square 16-colour image: each pixel an index into the standard palette,
// or transparent.
struct Image
{
    static constexpr int transparent = -1;

    explicit Image(int size)
        : size(size)
        , pixels(std::size_t(size * size), transparent)
    { }

    int at(int x, int y) const { return pixels[std::size_t(y * size + x)]; }
    void set(int x, int y, int colour)
    {
        if (x >= 0 && y >= 0 && x < size && y < size)
            pixels[std::size_t(y * size + x)] = colour;
    }
    void fill(int x0, int y0, int x1, int y1, int colour)
    {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                set(x, y, colour);
    }

    int size;
    std::vector<int> pixels;
};

// The standard 16-colour palette, in its usual order.
enum Colour {
    Black,
    Maroon,
    Green,
    Olive,
    Navy,
    Purple,
    Teal,
    Silver,
    Grey,
    Red,
    Lime,
    Yellow,
    Blue,
    Fuchsia,
    Cyan,
    White,
};

struct Rgb
{
    unsigned char r, g, b;
};
constexpr Rgb standardPalette[16] = {
    {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128}, {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0}, {255, 255, 0},
    {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
};
