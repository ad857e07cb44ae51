// Draws the programs' pictures and writes them as icon files (and the
// program icon as PNG images for the desktop's icon theme). Run at build
// time: drawpictures <output folder>.

#include "icowriter.h"

#include <QImage>
#include <QString>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <utility>

namespace {

struct Point
{
    double x, y;
};

// A black bar over [x0..x1] x [y0..y1] casts a one-pixel grey shadow on its
// right end and under it; shadows go down first so no bar is covered.
struct Bar
{
    int x0, y0, x1, y1;
};

Image drawBars(int size, std::initializer_list<Bar> bars)
{
    Image image(size);
    for (const Bar &bar : bars)
        image.fill(bar.x0 + 1, bar.y0 + 1, bar.x1 + 1, bar.y1 + 1, Grey);
    for (const Bar &bar : bars)
        image.fill(bar.x0, bar.y0, bar.x1, bar.y1, Black);
    return image;
}

Image equalsSign(int size)
{
    if (size == 32)
        return drawBars(size, {{1, 9, 29, 11}, {1, 19, 29, 21}});
    return drawBars(size, {{1, 4, 13, 5}, {1, 9, 13, 10}});
}

Image minusSign(int size)
{
    if (size == 32)
        return drawBars(size, {{1, 14, 29, 16}});
    return drawBars(size, {{1, 7, 13, 8}});
}

Image plusSign(int size)
{
    if (size == 32)
        return drawBars(size, {{1, 14, 29, 16}, {14, 1, 16, 29}});
    return drawBars(size, {{1, 7, 13, 8}, {7, 1, 8, 13}});
}

bool insideEllipse(double x, double y, Point centre, double rx, double ry)
{
    const double dx = (x - centre.x) / rx;
    const double dy = (y - centre.y) / ry;
    return dx * dx + dy * dy <= 1.0;
}

// A yellow disc filling the square with a black outline, two oval eyes and
// a smiling mouth with a red tongue.
Image smilingFace(int size)
{
    Image image(size);
    const double s = size;
    const Point centre{s / 2, s / 2};
    const double radius = s / 2;
    // The 32 px face's lines, in proportion at larger sizes.
    const double outline = size >= 32 ? 1.6 * size / 32 : 1.1;
    const double mouthWidth = size >= 32 ? 2.2 * size / 32 : 1.2;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            const double d = std::hypot(px - centre.x, py - centre.y);
            if (d > radius)
                continue;
            int colour = d > radius - outline ? Black : Yellow;
            const bool eye = insideEllipse(px, py, {centre.x - 0.19 * s, centre.y - 0.14 * s}, 0.07 * s, 0.12 * s)
                || insideEllipse(px, py, {centre.x + 0.19 * s, centre.y - 0.14 * s}, 0.07 * s, 0.12 * s);
            const bool mouth = py > centre.y + 0.08 * s && d > 0.26 * s && d < 0.26 * s + mouthWidth;
            const bool tongue = insideEllipse(px, py, {centre.x + 0.08 * s, centre.y + 0.33 * s}, 0.09 * s, 0.07 * s)
                && d >= 0.26 * s + mouthWidth && colour == Yellow;
            if (eye || mouth)
                colour = Black;
            else if (tongue)
                colour = Red;
            image.set(x, y, colour);
        }
    }
    return image;
}

bool insideQuad(double x, double y, const Point (&q)[4])
{
    for (int i = 0; i < 4; ++i) {
        const Point a = q[i], b = q[(i + 1) % 4];
        if ((b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x) < 0)
            return false;
    }
    return true;
}

Point between(Point a, Point b, double t)
{
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

// A white window drawn at a slant, outlined in black, with a cyan title
// bar, a grey shadow and a small grey arrowhead pointing right at its lower
// right.
Image programIcon(int size)
{
    const double k = size / 32.0;
    const Point window[4] = {{3 * k, 7 * k}, {24 * k, 3 * k}, {27.5 * k, 22.5 * k}, {6 * k, 27 * k}};
    const Point shadow[4] = {{5 * k, 9 * k}, {26 * k, 5 * k}, {29.5 * k, 24.5 * k}, {8 * k, 29 * k}};
    const Point title[4] = {window[0], window[1], between(window[1], window[2], 0.24),
                            between(window[0], window[3], 0.24)};
    const Point arrow[3] = {{22 * k, 22 * k}, {32 * k, 27 * k}, {22 * k, 32 * k}};

    auto in = [](const Point(&q)[4], int x, int y) { return insideQuad(x + 0.5, y + 0.5, q); };
    Image image(size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            if (in(shadow, x, y))
                image.set(x, y, Grey);
            if (!in(window, x, y))
                continue;
            const bool edge =
                !in(window, x - 1, y) || !in(window, x + 1, y) || !in(window, x, y - 1) || !in(window, x, y + 1);
            const bool titleEdge = in(title, x, y) && !in(title, x, y + 1);
            if (edge || titleEdge)
                image.set(x, y, Black);
            else
                image.set(x, y, in(title, x, y) ? Cyan : White);
        }
    }
    auto inArrow = [&](int x, int y) {
        const double px = x + 0.5, py = y + 0.5;
        return px >= arrow[0].x && px <= arrow[1].x && py >= arrow[0].y + (px - arrow[0].x) * 0.5
            && py <= arrow[2].y - (px - arrow[0].x) * 0.5;
    };
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            if (!inArrow(x, y))
                continue;
            const bool edge = !inArrow(x - 1, y) || !inArrow(x + 1, y) || !inArrow(x, y - 1) || !inArrow(x, y + 1);
            image.set(x, y, edge ? Black : Grey);
        }
    }
    return image;
}

// The Scroller's toolbox picture, 16 by 15: on light grey, a small window
// with a blue title bar and dark text lines, crossed by a yellow pencil
// outlined in black. One character a pixel: . silver, w white, b blue,
// k black, g grey, y yellow.
const char *const toolboxPicture[15] = {
    "..............k.", ".............kyk", "bbbbbbbbbbb.kyk.", "bbbbbbbbbbbkyk..", "wwwwwwwwwwkykk..",
    "wggggggggkykgk..", "wwwwwwwwkykwwk..", "wgggggggkykggk..", "wwwwwwwkykwwwk..", "wggggggkkkgggk..",
    "wwwwwwkkwwwwwk..", "kkkkkkkkkkkkkk..", "................", "................", "................",
};

// A 4-bit bitmap file with the standard palette, rows bottom-up.
bool writeToolboxBitmap(const std::string &path)
{
    const int width = 16, height = 15, rowBytes = 8;
    const auto colourOf = [](char c) {
        switch (c) {
        case 'w':
            return int(White);
        case 'b':
            return int(Blue);
        case 'k':
            return int(Black);
        case 'g':
            return int(Grey);
        case 'y':
            return int(Yellow);
        default:
            return int(Silver);
        }
    };
    std::vector<unsigned char> bits;
    for (int y = height - 1; y >= 0; --y)
        for (int x = 0; x < width; x += 2)
            bits.push_back((unsigned char)(colourOf(toolboxPicture[y][x]) << 4 | colourOf(toolboxPicture[y][x + 1])));
    const std::uint32_t offset = 14 + 40 + 16 * 4;
    std::vector<unsigned char> out = {'B', 'M'};
    auto put = [&out](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out.push_back((unsigned char)(value >> (8 * i)));
    };
    put(offset + rowBytes * height, 4);
    put(0, 4);
    put(offset, 4);
    put(40, 4);
    put(width, 4);
    put(height, 4);
    put(1, 2);
    put(4, 2);
    put(0, 4);
    put(rowBytes * height, 4);
    put(2835, 4);
    put(2835, 4);
    put(16, 4);
    put(0, 4);
    for (const Rgb &rgb : standardPalette)
        out.insert(out.end(), {rgb.b, rgb.g, rgb.r, 0});
    out.insert(out.end(), bits.begin(), bits.end());
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char *>(out.data()), std::streamsize(out.size()));
    return bool(file);
}

// The monochrome image: white stays white, grey is dithered, every other
// colour is black.
Image monochrome(const Image &image)
{
    Image mono(image.size);
    for (int y = 0; y < image.size; ++y) {
        for (int x = 0; x < image.size; ++x) {
            const int colour = image.at(x, y);
            if (colour == Image::transparent)
                continue;
            const bool white = colour == White || (colour == Grey && (x + y) % 2 == 0);
            mono.set(x, y, white ? 1 : 0);
        }
    }
    return mono;
}

QImage toQImage(const Image &image)
{
    QImage out(image.size, image.size, QImage::Format_ARGB32);
    for (int y = 0; y < image.size; ++y) {
        for (int x = 0; x < image.size; ++x) {
            const int colour = image.at(x, y);
            if (colour == Image::transparent) {
                out.setPixel(x, y, 0);
                continue;
            }
            const Rgb rgb = standardPalette[colour];
            out.setPixel(x, y, qRgb(rgb.r, rgb.g, rgb.b));
        }
    }
    return out;
}

// An image with each pixel made a square of factor x factor pixels.
Image scaled(const Image &image, int factor)
{
    Image out(image.size * factor);
    for (int y = 0; y < out.size; ++y) {
        for (int x = 0; x < out.size; ++x)
            out.set(x, y, image.at(x / factor, y / factor));
    }
    return out;
}

// A picture's icon file, and beside it its drawing for screens of twice the
// pixel density (name@2x.ico, which Qt picks by device-pixel ratio): the
// signs' pixel art doubled, curves drawn afresh at 64 px.
bool writePicture(const std::string &folder, const char *name, Image (*draw)(int), bool curved = false)
{
    const Image doubleDensity = curved ? draw(64) : scaled(draw(32), 2);
    return writeIcon(folder + "/" + name + ".ico", {{draw(32), 4}, {draw(16), 4}})
        && writeIcon(folder + "/" + name + "@2x.ico", {{doubleDensity, 4}});
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: drawpictures <output folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    bool ok = writePicture(folder, "equal", equalsSign) && writePicture(folder, "minus", minusSign)
        && writePicture(folder, "plus", plusSign) && writePicture(folder, "happy", smilingFace, true);

    const Image icon32 = programIcon(32);
    const Image icon16 = programIcon(16);
    ok = ok && writeIcon(folder + "/program.ico", {{icon32, 4}, {monochrome(icon32), 1}, {icon16, 4}})
        && writeIcon(folder + "/program@2x.ico", {{programIcon(64), 4}, {icon32, 4}});
    // The icon theme's sizes: the 16 and 32 px drawings as they are, and
    // each larger size one of them scaled by a whole number, pixel for
    // pixel, so that the pixel art stays sharp.
    for (const auto &[size, drawing] : {std::pair{16, &icon16}, std::pair{32, &icon32}, std::pair{48, &icon16},
                                        std::pair{64, &icon32}, std::pair{128, &icon32}, std::pair{256, &icon32}}) {
        const QImage image = toQImage(*drawing).scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        ok = ok && image.save(QString::fromStdString(folder + "/program-" + std::to_string(size) + ".png"));
    }
    ok = ok && writeToolboxBitmap(folder + "/scroller-toolbox.bmp");
    if (!ok) {
        std::fprintf(stderr, "drawpictures: cannot write into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
