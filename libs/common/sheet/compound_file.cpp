#include "sheet/compound_file.h"

#include <algorithm>
#include <cstring>

namespace rw::sheet {

namespace {

constexpr std::size_t kSector = 512;
constexpr std::size_t kIdsPerSector = kSector / 4;
constexpr std::size_t kHeaderDifatEntries = 109;
constexpr std::size_t kMiniStreamCutoff = 4096;

constexpr std::uint32_t kDifatSect = 0xFFFFFFFC;
constexpr std::uint32_t kFatSect = 0xFFFFFFFD;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFree = 0xFFFFFFFF;
constexpr std::uint32_t kNoStream = 0xFFFFFFFF;

void put16(std::uint8_t* at, std::uint16_t value)
{
    at[0] = std::uint8_t(value);
    at[1] = std::uint8_t(value >> 8);
}

void put32(std::uint8_t* at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        at[i] = std::uint8_t(value >> (8 * i));
}

void fail(std::string* error, const std::string& reason)
{
    if (error)
        *error = reason;
}

// One 128-byte directory entry.
void putEntry(std::uint8_t* at, const std::u16string& name, std::uint8_t type, std::uint32_t child,
              std::uint32_t start, std::uint32_t size)
{
    for (std::size_t i = 0; i < name.size(); ++i)
        put16(at + 2 * i, name[i]);
    put16(at + 64, std::uint16_t((name.size() + 1) * 2)); // with the terminating zero
    at[66] = type;
    at[67] = 1; // black: a tree of one node per level is trivially balanced
    put32(at + 68, kNoStream);
    put32(at + 72, kNoStream);
    put32(at + 76, child);
    put32(at + 116, start);
    put32(at + 120, size);
}

} // namespace

std::optional<std::vector<std::uint8_t>> buildCompoundFile(const std::u16string& streamName,
                                                           std::vector<std::uint8_t> stream,
                                                           std::string* error)
{
    if (streamName.empty() || streamName.size() > 31) {
        fail(error, "the stream name must have 1 to 31 characters");
        return std::nullopt;
    }
    // Version 3 files keep stream sizes in 32 bits; stay well clear of that.
    if (stream.size() > 0x7FFF0000u) {
        fail(error, "the data is too large for a compound file");
        return std::nullopt;
    }
    if (stream.size() < kMiniStreamCutoff)
        stream.resize(kMiniStreamCutoff, 0);

    const std::size_t streamSectors = (stream.size() + kSector - 1) / kSector;
    const std::size_t dirSectors = 1; // Root Entry, our stream, two unused entries
    // FAT sectors must also cover themselves and the DIFAT sectors that list
    // the FAT sectors beyond the 109 the header holds.
    std::size_t fatSectors = 1, difatSectors = 0;
    for (;;) {
        difatSectors = fatSectors > kHeaderDifatEntries
                           ? (fatSectors - kHeaderDifatEntries + kIdsPerSector - 2) / (kIdsPerSector - 1)
                           : 0;
        const std::size_t total = streamSectors + dirSectors + fatSectors + difatSectors;
        if (fatSectors * kIdsPerSector >= total)
            break;
        ++fatSectors;
    }

    const std::uint32_t dirStart = std::uint32_t(streamSectors);
    const std::uint32_t fatStart = dirStart + std::uint32_t(dirSectors);
    const std::uint32_t difatStart = fatStart + std::uint32_t(fatSectors);
    const std::size_t totalSectors = streamSectors + dirSectors + fatSectors + difatSectors;

    std::vector<std::uint8_t> file(kSector * (1 + totalSectors), 0);
    std::uint8_t* header = file.data();
    static const std::uint8_t signature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    std::memcpy(header, signature, sizeof signature);
    put16(header + 24, 0x003E); // minor version
    put16(header + 26, 0x0003); // major version 3: 512-byte sectors
    put16(header + 28, 0xFFFE); // little-endian
    put16(header + 30, 9);      // sector size 2^9
    put16(header + 32, 6);      // mini sector size 2^6
    put32(header + 40, 0);      // directory sector count: always 0 in version 3
    put32(header + 44, std::uint32_t(fatSectors));
    put32(header + 48, dirStart);
    put32(header + 52, 0); // transaction signature
    put32(header + 56, std::uint32_t(kMiniStreamCutoff));
    put32(header + 60, kEndOfChain); // no mini FAT
    put32(header + 64, 0);
    put32(header + 68, difatSectors ? difatStart : kEndOfChain);
    put32(header + 72, std::uint32_t(difatSectors));
    for (std::size_t i = 0; i < kHeaderDifatEntries; ++i)
        put32(header + 76 + 4 * i, i < fatSectors ? fatStart + std::uint32_t(i) : kFree);

    auto sector = [&](std::size_t id) { return file.data() + kSector * (1 + id); };

    std::copy(stream.begin(), stream.end(), sector(0));

    std::uint8_t* dir = sector(dirStart);
    putEntry(dir, u"Root Entry", 5, 1, kEndOfChain, 0);
    putEntry(dir + 128, streamName, 2, kNoStream, 0, std::uint32_t(stream.size()));
    for (int unused = 2; unused < 4; ++unused) {
        std::uint8_t* entry = dir + 128 * unused;
        put32(entry + 68, kNoStream);
        put32(entry + 72, kNoStream);
        put32(entry + 76, kNoStream);
    }

    std::vector<std::uint32_t> fat(fatSectors * kIdsPerSector, kFree);
    for (std::size_t i = 0; i < streamSectors; ++i)
        fat[i] = i + 1 < streamSectors ? std::uint32_t(i + 1) : kEndOfChain;
    fat[dirStart] = kEndOfChain;
    for (std::size_t i = 0; i < fatSectors; ++i)
        fat[fatStart + i] = kFatSect;
    for (std::size_t i = 0; i < difatSectors; ++i)
        fat[difatStart + i] = kDifatSect;
    for (std::size_t i = 0; i < fat.size(); ++i)
        put32(sector(fatStart) + 4 * i, fat[i]); // FAT sectors are contiguous

    // Each DIFAT sector lists 127 further FAT sectors and then the next one.
    std::size_t listed = kHeaderDifatEntries;
    for (std::size_t d = 0; d < difatSectors; ++d) {
        std::uint8_t* at = sector(difatStart + d);
        for (std::size_t i = 0; i < kIdsPerSector - 1; ++i, ++listed)
            put32(at + 4 * i, listed < fatSectors ? fatStart + std::uint32_t(listed) : kFree);
        put32(at + 4 * (kIdsPerSector - 1),
              d + 1 < difatSectors ? difatStart + std::uint32_t(d + 1) : kEndOfChain);
    }
    return file;
}

} // namespace rw::sheet
