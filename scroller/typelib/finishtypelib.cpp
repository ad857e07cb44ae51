// Finishes a type library as widl writes it:
// - sets the nonextensible flag on its dispatch-only interfaces, which widl
//   refuses to take from the source;
// - replaces the creation time widl records (as text in its "Created by"
//   note and as a number in a custom-data entry) with the epoch, so the same
//   source always gives the same file.
//
//   finishtypelib <in.tlb> <out.tlb>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t typeInfoSize = 0x64;
constexpr std::uint32_t kindDispatch = 4;
constexpr std::uint32_t flagDual = 0x40;
constexpr std::uint32_t flagNonExtensible = 0x80;

std::uint32_t read32(const std::vector<char> &file, std::size_t at)
{
    std::uint32_t value = 0;
    std::memcpy(&value, file.data() + at, sizeof value);
    return value;
}

void write32(std::vector<char> &file, std::size_t at, std::uint32_t value)
{
    std::memcpy(file.data() + at, &value, sizeof value);
}

// The file's segments, in the order of its segment directory.
enum Segment { TypeInfos = 0, Guids = 5, CustomData = 11, CustomDataGuids = 12, SegmentCount = 15 };

struct Layout
{
    std::uint32_t typeInfoCount = 0;
    std::uint32_t offset[SegmentCount] = {};
    std::uint32_t length[SegmentCount] = {};
};

// False when the file is not a type library of the expected shape.
bool readLayout(const std::vector<char> &file, Layout &layout)
{
    constexpr std::size_t headerSize = 0x54;
    if (file.size() < headerSize || std::memcmp(file.data(), "MSFT", 4) != 0)
        return false;
    layout.typeInfoCount = read32(file, 0x20);
    const bool hasHelpDll = read32(file, 0x14) & 0x100;
    // The segment directory follows the header and the type-info offsets;
    // each entry is an offset, a length and two reserved words.
    const std::size_t directory = headerSize + (hasHelpDll ? 4 : 0) + 4 * std::size_t(layout.typeInfoCount);
    if (directory + 16 * SegmentCount > file.size())
        return false;
    for (int segment = 0; segment < SegmentCount; ++segment) {
        layout.offset[segment] = read32(file, directory + 16 * segment);
        layout.length[segment] = read32(file, directory + 16 * segment + 4);
        if (layout.offset[segment] != 0xFFFFFFFF
            && std::size_t(layout.offset[segment]) + layout.length[segment] > file.size())
            return false;
    }
    return std::size_t(layout.typeInfoCount) * typeInfoSize <= layout.length[TypeInfos];
}

void markDispatchInterfacesNonExtensible(std::vector<char> &file, const Layout &layout)
{
    for (std::uint32_t index = 0; index < layout.typeInfoCount; ++index) {
        const std::size_t info = layout.offset[TypeInfos] + index * typeInfoSize;
        const std::size_t flagsAt = info + 12 * 4;
        const std::uint32_t flags = read32(file, flagsAt);
        if ((read32(file, info) & 0xF) == kindDispatch && !(flags & flagDual))
            write32(file, flagsAt, flags | flagNonExtensible);
    }
}

// widl's custom-data entry {DE77BA63-517C-11D1-A2DA-0000F8773CE9} holds the
// creation time as a 32-bit number (type tag, then value).
void zeroCreationStamp(std::vector<char> &file, const Layout &layout)
{
    constexpr unsigned char stampGuid[16] = {0x63, 0xBA, 0x77, 0xDE, 0x7C, 0x51, 0xD1, 0x11,
                                             0xA2, 0xDA, 0x00, 0x00, 0xF8, 0x77, 0x3C, 0xE9};
    if (layout.offset[CustomDataGuids] == 0xFFFFFFFF)
        return;
    // Each entry: the guid's offset in the guid table, the data's offset in
    // the custom-data segment, the next entry.
    for (std::uint32_t entry = 0; entry + 12 <= layout.length[CustomDataGuids]; entry += 12) {
        const std::uint32_t guid = read32(file, layout.offset[CustomDataGuids] + entry);
        const std::uint32_t data = read32(file, layout.offset[CustomDataGuids] + entry + 4);
        if (std::size_t(guid) + 16 > layout.length[Guids] || std::size_t(data) + 6 > layout.length[CustomData])
            continue;
        if (std::memcmp(file.data() + layout.offset[Guids] + guid, stampGuid, sizeof stampGuid) == 0)
            write32(file, layout.offset[CustomData] + data + 2, 0);
    }
}

void fixCreationNote(std::vector<char> &file)
{
    // "Created by WIDL version 7.0 at Mon Dec  7 07:44:38 2026": the time is
    // the 24 characters after " at ".
    const std::string note = "Created by WIDL version ";
    const std::string fixedTime = "Thu Jan  1 00:00:00 1970";
    const auto start = std::search(file.begin(), file.end(), note.begin(), note.end());
    if (start == file.end())
        return;
    const std::string at = " at ";
    const auto time = std::search(start, file.end(), at.begin(), at.end());
    if (file.end() - time < std::ptrdiff_t(at.size() + fixedTime.size()))
        return;
    std::copy(fixedTime.begin(), fixedTime.end(), time + std::ptrdiff_t(at.size()));
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::cerr << "usage: finishtypelib <in.tlb> <out.tlb>\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::vector<char> file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in.good() && !in.eof()) {
        std::cerr << "finishtypelib: cannot read " << argv[1] << "\n";
        return 1;
    }
    Layout layout;
    if (!readLayout(file, layout)) {
        std::cerr << "finishtypelib: " << argv[1] << " is not a type library\n";
        return 1;
    }
    markDispatchInterfacesNonExtensible(file, layout);
    zeroCreationStamp(file, layout);
    fixCreationNote(file);
    std::ofstream out(argv[2], std::ios::binary);
    out.write(file.data(), std::streamsize(file.size()));
    if (!out) {
        std::cerr << "finishtypelib: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
