#include "report/XlsWriter.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

#include "report/CompoundFile.h"

namespace quorlet {

namespace {

const size_t MaxRows = 65536;
const size_t MaxColumns = 256;
const size_t MaxCellText = 32767;
const size_t MaxRecordData = 8224;
const uint16_t CellXf = 15;  // the first XF after the 15 style XFs

enum : uint16_t {
    RecEof = 0x000A,
    RecPrecision = 0x000E,
    RecProtect = 0x0012,
    RecPassword = 0x0013,
    RecWindowProtect = 0x0019,
    RecDateMode = 0x0022,
    RecFont = 0x0031,
    RecContinue = 0x003C,
    RecWindow1 = 0x003D,
    RecBackup = 0x0040,
    RecCodePage = 0x0042,
    RecBoundSheet = 0x0085,
    RecHideObj = 0x008D,
    RecMms = 0x00C1,
    RecBookBool = 0x00DA,
    RecXf = 0x00E0,
    RecInterfaceHdr = 0x00E1,
    RecInterfaceEnd = 0x00E2,
    RecSst = 0x00FC,
    RecLabelSst = 0x00FD,
    RecExtSst = 0x00FF,
    RecDimensions = 0x0200,
    RecWindow2 = 0x023E,
    RecStyle = 0x0293,
    RecBof = 0x0809,
};

void Add8(std::string& out, uint32_t value) { out += static_cast<char>(value & 0xFF); }

void Add16(std::string& out, uint32_t value) {
    Add8(out, value);
    Add8(out, value >> 8);
}

void Add32(std::string& out, uint32_t value) {
    Add16(out, value & 0xFFFF);
    Add16(out, value >> 16);
}

void Put32(std::string& out, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

void AddRecord(std::string& out, uint16_t type, const std::string& data) {
    Add16(out, type);
    Add16(out, static_cast<uint32_t>(data.size()));
    out += data;
}

// Text whose every code unit fits a byte is stored one byte a character.
bool IsCompressible(const std::u16string& text) {
    for (char16_t c : text)
        if (c >= 0x100) return false;
    return true;
}

void AddChars(std::string& out, const std::u16string& text, size_t from, size_t count, bool wide) {
    for (size_t i = from; i < from + count; ++i) wide ? Add16(out, text[i]) : Add8(out, text[i]);
}

// A string with a one-byte length, as font and sheet names are stored.
void AddShortString(std::string& out, const std::u16string& text) {
    const bool wide = !IsCompressible(text);
    Add8(out, static_cast<uint32_t>(text.size()));
    Add8(out, wide ? 1 : 0);
    AddChars(out, text, 0, text.size(), wide);
}

std::string Bof(uint16_t kind) {
    std::string data;
    Add16(data, 0x0600);  // BIFF8
    Add16(data, kind);
    Add16(data, 0x0DBB);  // build
    Add16(data, 0x07CC);  // year
    Add32(data, 0);       // file history
    Add32(data, 0x0006);  // lowest BIFF version that can read all records
    return data;
}

std::string Value16(uint32_t value) {
    std::string data;
    Add16(data, value);
    return data;
}

std::string Font() {
    std::string data;
    Add16(data, 200);     // 10 points in twips
    Add16(data, 0);       // not italic, not struck out
    Add16(data, 0x7FFF);  // automatic colour
    Add16(data, 400);     // normal weight
    Add16(data, 0);       // neither superscript nor subscript
    Add8(data, 0);        // no underline
    Add8(data, 0);        // family
    Add8(data, 0);        // character set
    Add8(data, 0);
    AddShortString(data, u"Arial");
    return data;
}

std::string Xf(uint16_t font, bool style, uint8_t usedAttributes) {
    std::string data;
    Add16(data, font);
    Add16(data, 0);                        // General number format
    Add16(data, style ? 0xFFF5 : 0x0001);  // locked; a style has no parent, a cell's parent is XF 0
    Add8(data, 0x20);                      // bottom aligned
    Add8(data, 0);                         // no rotation
    Add8(data, 0);                         // no indent
    Add8(data, usedAttributes);
    Add32(data, 0);                        // no borders
    Add32(data, 0);
    Add16(data, 0x20C0);                   // default pattern colours
    return data;
}

std::string Window1() {
    std::string data;
    Add16(data, 0);       // left
    Add16(data, 0);       // top
    Add16(data, 0x4000);  // width
    Add16(data, 0x2000);  // height
    Add16(data, 0x0038);  // horizontal and vertical scroll bars, sheet tabs
    Add16(data, 0);       // active sheet
    Add16(data, 0);       // first visible tab
    Add16(data, 1);       // selected sheets
    Add16(data, 600);     // tab bar width, per mille
    return data;
}

// The distinct texts in order of first use, found again by an open-addressing table of
// their indexes; the texts stay where the caller keeps them.
class TSharedStrings {
public:
    explicit TSharedStrings(size_t capacity) {
        size_t slots = 16;
        while (slots < 2 * capacity) slots *= 2;
        Slots.assign(slots, 0);
        List.reserve(capacity);
    }

    uint32_t IndexOf(const std::u16string& text) {
        const size_t mask = Slots.size() - 1;
        for (size_t slot = Hash(text) & mask;; slot = (slot + 1) & mask) {
            if (Slots[slot] == 0) {
                List.push_back(&text);
                Bytes += text.size() * (IsCompressible(text) ? 1 : 2);
                Slots[slot] = static_cast<uint32_t>(List.size());
                return Slots[slot] - 1;
            }
            if (*List[Slots[slot] - 1] == text) return Slots[slot] - 1;
        }
    }

    const std::vector<const std::u16string*>& Strings() const { return List; }
    size_t CharacterBytes() const { return Bytes; }

private:
    static size_t Hash(const std::u16string& text) {
        uint64_t hash = 14695981039346656037ull;  // FNV-1a
        for (char16_t c : text) hash = (hash ^ c) * 1099511628211ull;
        return static_cast<size_t>(hash ^ (hash >> 32));
    }

    std::vector<uint32_t> Slots;  // index in List plus one; 0 is a free slot
    std::vector<const std::u16string*> List;
    size_t Bytes = 0;
};

struct TSstBucket {
    uint32_t StreamOffset;
    uint16_t RecordOffset;
};

// The shared strings: the SST record and as many CONTINUE records as they need. A string's
// header stays in one record with its first character; a string split across records goes on
// after an option byte that repeats its width. Returns where every dsst-th string starts.
std::vector<TSstBucket> AddSst(std::string& out, const std::vector<const std::u16string*>& strings,
                               uint32_t references, size_t dsst) {
    std::vector<TSstBucket> buckets;
    std::string data;
    uint16_t type = RecSst;
    auto flush = [&]() {
        AddRecord(out, type, data);
        type = RecContinue;
        data.clear();
    };
    Add32(data, references);
    Add32(data, static_cast<uint32_t>(strings.size()));
    for (size_t i = 0; i < strings.size(); ++i) {
        const std::u16string& text = *strings[i];
        const bool wide = !IsCompressible(text);
        const size_t unit = wide ? 2 : 1;
        if (data.size() + 3 + (text.empty() ? 0 : unit) > MaxRecordData) flush();
        if (i % dsst == 0) {
            const size_t recordOffset = 4 + data.size();
            buckets.push_back({static_cast<uint32_t>(out.size() + recordOffset), static_cast<uint16_t>(recordOffset)});
        }
        Add16(data, static_cast<uint32_t>(text.size()));
        Add8(data, wide ? 1 : 0);
        for (size_t done = 0; done < text.size();) {
            size_t room = (MaxRecordData - data.size()) / unit;
            if (room == 0) {
                flush();
                Add8(data, wide ? 1 : 0);
                room = (MaxRecordData - data.size()) / unit;
            }
            const size_t count = std::min(room, text.size() - done);
            AddChars(data, text, done, count, wide);
            done += count;
        }
    }
    flush();
    return buckets;
}

std::string ExtSst(const std::vector<TSstBucket>& buckets, size_t dsst) {
    std::string data;
    Add16(data, static_cast<uint32_t>(dsst));
    for (const TSstBucket& bucket : buckets) {
        Add32(data, bucket.StreamOffset);
        Add16(data, bucket.RecordOffset);
        Add16(data, 0);
    }
    return data;
}

void CheckSheetName(const std::u16string& name) {
    if (name.empty() || name.size() > 31) throw std::invalid_argument("A sheet name has 1 to 31 characters");
    if (name.front() == u'\'' || name.back() == u'\'')
        throw std::invalid_argument("A sheet name must not start or end with an apostrophe");
    for (char16_t c : name)
        if (c == u':' || c == u'\\' || c == u'/' || c == u'?' || c == u'*' || c == u'[' || c == u']')
            throw std::invalid_argument("A sheet name must not hold : \\ / ? * [ or ]");
}

}  // namespace

std::string XlsWorkbookStream(const std::vector<std::vector<std::u16string>>& rows,
                              const std::u16string& sheetName) {
    CheckSheetName(sheetName);
    if (rows.size() > MaxRows) throw std::length_error("A sheet holds at most 65536 rows");

    size_t cellCount = 0;
    for (const std::vector<std::u16string>& row : rows) cellCount += row.size();
    TSharedStrings shared(cellCount);
    std::vector<uint32_t> cellStrings;  // row by row
    cellStrings.reserve(cellCount);
    size_t firstRow = 0, lastRow = 0, columns = 0;
    for (size_t r = 0; r < rows.size(); ++r) {
        if (rows[r].size() > MaxColumns) throw std::length_error("A sheet holds at most 256 columns");
        if (rows[r].empty()) continue;
        if (cellStrings.empty()) firstRow = r;
        lastRow = r + 1;
        columns = std::max(columns, rows[r].size());
        for (const std::u16string& text : rows[r]) {
            if (text.size() > MaxCellText) throw std::length_error("A cell holds at most 32767 characters");
            cellStrings.push_back(shared.IndexOf(text));
        }
    }
    const std::vector<const std::u16string*>& strings = shared.Strings();

    std::string out;
    out.reserve(4096 + shared.CharacterBytes() + 3 * strings.size() + 14 * cellStrings.size());
    AddRecord(out, RecBof, Bof(0x0005));
    AddRecord(out, RecInterfaceHdr, Value16(1200));
    AddRecord(out, RecMms, Value16(0));
    AddRecord(out, RecInterfaceEnd, std::string());
    AddRecord(out, RecCodePage, Value16(1200));  // UTF-16
    AddRecord(out, RecWindowProtect, Value16(0));
    AddRecord(out, RecProtect, Value16(0));
    AddRecord(out, RecPassword, Value16(0));
    AddRecord(out, RecWindow1, Window1());
    AddRecord(out, RecBackup, Value16(0));
    AddRecord(out, RecHideObj, Value16(0));
    AddRecord(out, RecDateMode, Value16(0));  // dates count from 1900
    AddRecord(out, RecPrecision, Value16(1));
    AddRecord(out, RecBookBool, Value16(0));
    // Readers skip font index 4, so five records give indexes 0 to 3 and 5.
    for (int i = 0; i < 5; ++i) AddRecord(out, RecFont, Font());
    // The 15 style XFs Excel expects before the first cell XF: Normal, then the outline levels.
    AddRecord(out, RecXf, Xf(0, true, 0x00));
    for (uint16_t i = 1; i < 15; ++i) AddRecord(out, RecXf, Xf(i < 3 ? 1 : i < 5 ? 2 : 0, true, 0xF4));
    AddRecord(out, RecXf, Xf(0, false, 0x00));
    std::string normal;
    Add16(normal, 0x8000);  // built-in style on XF 0
    Add8(normal, 0);        // Normal
    Add8(normal, 0xFF);     // no outline level
    AddRecord(out, RecStyle, normal);

    std::string boundSheet;
    Add32(boundSheet, 0);  // the sheet's offset, known once the globals are written
    Add8(boundSheet, 0);   // visible
    Add8(boundSheet, 0);   // worksheet
    AddShortString(boundSheet, sheetName);
    const size_t sheetOffsetAt = out.size() + 4;
    AddRecord(out, RecBoundSheet, boundSheet);

    // Strings per EXTSST bucket, so that there are at most 128 buckets.
    const size_t dsst = std::max<size_t>(8, (strings.size() + 127) / 128);
    const std::vector<TSstBucket> buckets = AddSst(out, strings, static_cast<uint32_t>(cellStrings.size()), dsst);
    AddRecord(out, RecExtSst, ExtSst(buckets, dsst));
    AddRecord(out, RecEof, std::string());

    Put32(out, sheetOffsetAt, static_cast<uint32_t>(out.size()));
    AddRecord(out, RecBof, Bof(0x0010));
    std::string dimensions;
    Add32(dimensions, static_cast<uint32_t>(firstRow));
    Add32(dimensions, static_cast<uint32_t>(lastRow));
    Add16(dimensions, 0);
    Add16(dimensions, static_cast<uint32_t>(columns));
    Add16(dimensions, 0);
    AddRecord(out, RecDimensions, dimensions);
    size_t cell = 0;
    std::string label;
    for (size_t r = 0; r < rows.size(); ++r) {
        for (size_t c = 0; c < rows[r].size(); ++c) {
            label.clear();
            Add16(label, static_cast<uint32_t>(r));
            Add16(label, static_cast<uint32_t>(c));
            Add16(label, CellXf);
            Add32(label, cellStrings[cell++]);
            AddRecord(out, RecLabelSst, label);
        }
    }
    std::string window2;
    Add16(window2, 0x06B6);  // grid, headers, zeros, outline symbols; selected and shown sheet
    Add16(window2, 0);       // top row
    Add16(window2, 0);       // left column
    Add32(window2, 64);      // default grid colour
    Add16(window2, 0);
    Add16(window2, 0);
    Add32(window2, 0);
    AddRecord(out, RecWindow2, window2);
    AddRecord(out, RecEof, std::string());

    // At 4096 bytes the stream lives in regular sectors, where Excel keeps its workbooks;
    // nothing reads past the sheet's EOF.
    if (out.size() < 4096) out.resize(4096, '\0');
    return out;
}

std::string XlsWorkbookBytes(const std::vector<std::vector<std::u16string>>& rows, const std::u16string& sheetName) {
    return CompoundFileBytes(u"Workbook", XlsWorkbookStream(rows, sheetName));
}

}  // namespace quorlet
