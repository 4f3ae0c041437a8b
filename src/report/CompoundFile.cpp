#include "report/CompoundFile.h"

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace quorlet {

namespace {

const uint32_t SectorSize = 512;
const uint32_t MiniSectorSize = 64;
const uint32_t MiniStreamCutoff = 4096;
const uint32_t EntriesPerSector = SectorSize / 4;
const uint32_t HeaderDifatEntries = 109;

const uint32_t DifatSect = 0xFFFFFFFC;
const uint32_t FatSect = 0xFFFFFFFD;
const uint32_t EndOfChain = 0xFFFFFFFE;
const uint32_t FreeSect = 0xFFFFFFFF;
const uint32_t NoStream = 0xFFFFFFFF;

uint32_t CeilDiv(uint64_t value, uint32_t unit) { return static_cast<uint32_t>((value + unit - 1) / unit); }

void Put16(std::string& bytes, size_t at, uint32_t value) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& bytes, size_t at, uint32_t value) {
    Put16(bytes, at, value & 0xFFFF);
    Put16(bytes, at + 2, value >> 16);
}

size_t SectorOffset(uint32_t sector) { return (static_cast<size_t>(sector) + 1) * SectorSize; }

// Links count entries from first on into one chain of the table.
void Chain(std::vector<uint32_t>& table, uint32_t first, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i) table[first + i] = i + 1 < count ? first + i + 1 : EndOfChain;
}

void PutTable(std::string& file, uint32_t firstSector, const std::vector<uint32_t>& table) {
    for (size_t i = 0; i < table.size(); ++i) Put32(file, SectorOffset(firstSector) + i * 4, table[i]);
}

void PutDirectoryEntry(std::string& file, size_t at, const std::u16string& name, uint8_t type, uint32_t child,
                       uint32_t start, uint32_t size) {
    for (size_t i = 0; i < name.size(); ++i) Put16(file, at + i * 2, name[i]);
    Put16(file, at + 64, static_cast<uint32_t>((name.size() + 1) * 2));
    file[at + 66] = static_cast<char>(type);
    file[at + 67] = 1;  // black: a lone node is a valid red-black tree
    Put32(file, at + 68, NoStream);
    Put32(file, at + 72, NoStream);
    Put32(file, at + 76, child);
    Put32(file, at + 116, start);
    Put32(file, at + 120, size);
}

}  // namespace

std::string CompoundFileBytes(const std::u16string& streamName, const std::string& stream) {
    if (streamName.empty() || streamName.size() > 31)
        throw std::invalid_argument("A stream name has 1 to 31 characters");
    for (char16_t c : streamName)
        if (c == u'/' || c == u'\\' || c == u':' || c == u'!')
            throw std::invalid_argument("A stream name must not hold / \\ : or !");
    if (stream.size() > 0x80000000u) throw std::length_error("A version 3 compound file holds at most 2 GB");

    const uint32_t size = static_cast<uint32_t>(stream.size());
    const bool mini = size < MiniStreamCutoff;
    const uint32_t miniSectors = mini ? CeilDiv(size, MiniSectorSize) : 0;
    const uint32_t miniFatSectors = CeilDiv(uint64_t(miniSectors) * 4, SectorSize);
    const uint32_t containerSectors = CeilDiv(uint64_t(miniSectors) * MiniSectorSize, SectorSize);
    const uint32_t streamSectors = mini ? 0 : CeilDiv(size, SectorSize);
    const uint32_t dataSectors = 1 + miniFatSectors + containerSectors + streamSectors;

    // The FAT also maps its own sectors and those of the DIFAT that lists it.
    uint32_t fatSectors = 1;
    uint32_t difatSectors = 0;
    for (;;) {
        difatSectors = fatSectors > HeaderDifatEntries
                           ? CeilDiv(fatSectors - HeaderDifatEntries, EntriesPerSector - 1)
                           : 0;
        const uint32_t needed = CeilDiv(uint64_t(dataSectors) + fatSectors + difatSectors, EntriesPerSector);
        if (needed <= fatSectors) break;
        fatSectors = needed;
    }

    // Sector order: FAT, DIFAT, directory, mini FAT, then the mini stream or the stream itself.
    const uint32_t firstDifat = fatSectors;
    const uint32_t directory = firstDifat + difatSectors;
    const uint32_t miniFat = directory + 1;
    const uint32_t firstData = miniFat + miniFatSectors;
    const uint32_t totalSectors = firstData + containerSectors + streamSectors;

    std::string file(SectorOffset(totalSectors), '\0');

    static const unsigned char signature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    for (int i = 0; i < 8; ++i) file[i] = static_cast<char>(signature[i]);
    Put16(file, 24, 0x003E);  // minor version
    Put16(file, 26, 0x0003);  // major version
    Put16(file, 28, 0xFFFE);  // little-endian
    Put16(file, 30, 9);       // 512-byte sectors
    Put16(file, 32, 6);       // 64-byte mini sectors
    Put32(file, 44, fatSectors);
    Put32(file, 48, directory);
    Put32(file, 56, MiniStreamCutoff);
    Put32(file, 60, miniFatSectors ? miniFat : EndOfChain);
    Put32(file, 64, miniFatSectors);
    Put32(file, 68, difatSectors ? firstDifat : EndOfChain);
    Put32(file, 72, difatSectors);
    for (uint32_t i = 0; i < HeaderDifatEntries; ++i) Put32(file, 76 + i * 4, i < fatSectors ? i : FreeSect);

    std::vector<uint32_t> difat(uint64_t(difatSectors) * EntriesPerSector, FreeSect);
    for (uint32_t i = HeaderDifatEntries; i < fatSectors; ++i) {
        const uint32_t k = i - HeaderDifatEntries;
        difat[(k / (EntriesPerSector - 1)) * EntriesPerSector + k % (EntriesPerSector - 1)] = i;
    }
    for (uint32_t d = 0; d < difatSectors; ++d)
        difat[d * EntriesPerSector + EntriesPerSector - 1] = d + 1 < difatSectors ? firstDifat + d + 1 : EndOfChain;
    PutTable(file, firstDifat, difat);

    std::vector<uint32_t> fat(uint64_t(fatSectors) * EntriesPerSector, FreeSect);
    for (uint32_t i = 0; i < fatSectors; ++i) fat[i] = FatSect;
    for (uint32_t i = 0; i < difatSectors; ++i) fat[firstDifat + i] = DifatSect;
    Chain(fat, directory, 1);
    Chain(fat, miniFat, miniFatSectors);
    Chain(fat, firstData, containerSectors + streamSectors);
    PutTable(file, 0, fat);

    if (miniFatSectors) {
        std::vector<uint32_t> miniTable(uint64_t(miniFatSectors) * EntriesPerSector, FreeSect);
        Chain(miniTable, 0, miniSectors);
        PutTable(file, miniFat, miniTable);
    }

    const size_t dir = SectorOffset(directory);
    for (size_t entry = 0; entry < SectorSize / 128; ++entry) {
        Put32(file, dir + entry * 128 + 68, NoStream);
        Put32(file, dir + entry * 128 + 72, NoStream);
        Put32(file, dir + entry * 128 + 76, NoStream);
    }
    // The root's own stream is the mini stream.
    PutDirectoryEntry(file, dir, u"Root Entry", 5, 1, containerSectors ? firstData : EndOfChain,
                      miniSectors * MiniSectorSize);
    const uint32_t streamStart = size == 0 ? EndOfChain : mini ? 0 : firstData;
    PutDirectoryEntry(file, dir + 128, streamName, 2, NoStream, streamStart, size);

    // Both the mini stream and the stream are contiguous, so one copy places either.
    file.replace(SectorOffset(firstData), stream.size(), stream);
    return file;
}

}  // namespace quorlet
