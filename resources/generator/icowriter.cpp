#include "icowriter.h"

#include <cstdint>
#include <fstream>

namespace {

void put16(std::vector<unsigned char> &out, unsigned value)
{
    out.push_back(value & 0xFF);
    out.push_back((value >> 8) & 0xFF);
}

void put32(std::vector<unsigned char> &out, std::uint32_t value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

int rowBytes(int width, int bitsPerPixel)
{
    return ((width * bitsPerPixel + 31) / 32) * 4;
}

// A bitmap header, palette, colour bits and mask, rows bottom-up as the
// format wants them. Transparent pixels are colour 0 with the mask bit set.
std::vector<unsigned char> encode(const IconImage &icon)
{
    const Image &image = icon.image;
    const int bpp = icon.bitsPerPixel;
    const int size = image.size;
    const int colourRow = rowBytes(size, bpp);
    const int maskRow = rowBytes(size, 1);

    std::vector<unsigned char> out;
    put32(out, 40);
    put32(out, std::uint32_t(size));
    put32(out, std::uint32_t(size * 2));
    put16(out, 1);
    put16(out, unsigned(bpp));
    put32(out, 0);
    put32(out, std::uint32_t((colourRow + maskRow) * size));
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);

    const int colours = 1 << bpp;
    for (int i = 0; i < colours; ++i) {
        const Rgb rgb = bpp == 1 ? standardPalette[i ? White : Black] : standardPalette[i];
        out.insert(out.end(), {rgb.b, rgb.g, rgb.r, 0});
    }

    for (int y = size - 1; y >= 0; --y) {
        std::vector<unsigned char> row(std::size_t(colourRow), 0);
        for (int x = 0; x < size; ++x) {
            const int index = image.at(x, y) == Image::transparent ? 0 : image.at(x, y);
            const int bit = x * bpp;
            row[std::size_t(bit / 8)] |= (index << (8 - bpp - bit % 8)) & 0xFF;
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    for (int y = size - 1; y >= 0; --y) {
        std::vector<unsigned char> row(std::size_t(maskRow), 0);
        for (int x = 0; x < size; ++x) {
            if (image.at(x, y) == Image::transparent)
                row[std::size_t(x / 8)] |= 0x80 >> (x % 8);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

} // namespace

bool writeIcon(const std::string &path, const std::vector<IconImage> &images)
{
    std::vector<unsigned char> out;
    put16(out, 0);
    put16(out, 1);
    put16(out, unsigned(images.size()));

    std::vector<std::vector<unsigned char>> encoded;
    for (const auto &icon : images)
        encoded.push_back(encode(icon));

    std::uint32_t offset = std::uint32_t(6 + 16 * images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        out.push_back((unsigned char)images[i].image.size);
        out.push_back((unsigned char)images[i].image.size);
        out.push_back((unsigned char)(images[i].bitsPerPixel == 4 ? 16 : 2));
        out.push_back(0);
        put16(out, 1);
        put16(out, unsigned(images[i].bitsPerPixel));
        put32(out, std::uint32_t(encoded[i].size()));
        put32(out, offset);
        offset += std::uint32_t(encoded[i].size());
    }
    for (const auto &bytes : encoded)
        out.insert(out.end(), bytes.begin(), bytes.end());

    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char *>(out.data()), std::streamsize(out.size()));
    return bool(file);
}
