// The .xls report: the workbook read back by an independent reader (xlrd, through
// tools/read_xls.py), the shared strings split across CONTINUE records, the BIFF8 limits,
// and the compound file around the workbook stream.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "fakes/TempFolder.h"
#include "report/ReportExport.h"
#include "report/CompoundFile.h"
#include "report/XlsWriter.h"

using namespace quorlet;

namespace {

using TRows = std::vector<std::vector<std::u16string>>;

uint32_t Le16(const std::string& bytes, size_t at) {
    const std::string b = bytes.substr(at, 2);  // throws when the data is cut short
    if (b.size() < 2) throw std::out_of_range("16-bit value past the end");
    return uint8_t(b[0]) | uint32_t(uint8_t(b[1])) << 8;
}

uint32_t Le32(const std::string& bytes, size_t at) {
    if (at + 4 > bytes.size()) throw std::out_of_range("32-bit value past the end");
    return Le16(bytes, at) | Le16(bytes, at + 2) << 16;
}

std::u16string U16(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

std::string Utf8(const std::u16string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | c >> 6);
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | c >> 12);
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | c >> 18);
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// Deterministic bytes in which a misplaced sector shows.
std::string PatternBytes(size_t size, uint32_t seed) {
    std::string bytes(size, '\0');
    for (char& b : bytes) {
        seed = seed * 1664525u + 1013904223u;
        b = char(seed >> 24);
    }
    return bytes;
}

// ---- What read_xls.py prints: a small JSON reader -------------------------------------------

struct TJson {
    enum TKind { Null, Bool, Number, String, Array, Object } Kind = Null;
    double Value = 0;
    std::u16string Text;
    std::vector<TJson> Items;
    std::map<std::u16string, TJson> Members;

    const TJson& operator[](const char16_t* key) const {
        auto it = Members.find(key);
        if (Kind != Object || it == Members.end()) throw std::runtime_error("JSON member missing: " + Utf8(key));
        return it->second;
    }
};

class TJsonReader {
public:
    explicit TJsonReader(const std::string& text) : FText(text) {}

    TJson Document() {
        TJson value = Value();
        Space();
        if (FAt != FText.size()) Fail("trailing text");
        return value;
    }

private:
    const std::string& FText;
    size_t FAt = 0;

    [[noreturn]] void Fail(const char* what) const {
        throw std::runtime_error(std::string("JSON: ") + what + " at " + std::to_string(FAt));
    }
    void Space() {
        while (FAt < FText.size() && std::string(" \t\r\n").find(FText[FAt]) != std::string::npos) ++FAt;
    }
    char Next() {
        if (FAt >= FText.size()) Fail("unexpected end");
        return FText[FAt++];
    }
    bool Take(char c) {
        Space();
        if (FAt < FText.size() && FText[FAt] == c) return ++FAt, true;
        return false;
    }
    bool Word(const char* word) {
        const std::string w(word);
        if (FText.compare(FAt, w.size(), w) != 0) return false;
        FAt += w.size();
        return true;
    }
    uint32_t Hex4() {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = Next();
            const auto digit = std::string("0123456789abcdef").find(char(c | 0x20));
            if (digit == std::string::npos) Fail("bad \\u escape");
            value = value * 16 + uint32_t(digit);
        }
        return value;
    }
    std::u16string Str() {
        std::u16string out;
        for (;;) {
            const uint8_t c = uint8_t(Next());
            if (c == '"') return out;
            if (c == '\\') {
                const char e = Next();
                const std::string from = "\"\\/bfnrt", to = "\"\\/\b\f\n\r\t";
                if (e == 'u') {
                    out += char16_t(Hex4());
                } else if (from.find(e) != std::string::npos) {
                    out += char16_t(to[from.find(e)]);
                } else {
                    Fail("bad escape");
                }
            } else if (c < 0x80) {
                out += char16_t(c);
            } else {
                const int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : 1;
                uint32_t code = c & (0x3F >> extra);
                for (int i = 0; i < extra; ++i) code = code << 6 | (uint8_t(Next()) & 0x3F);
                if (code >= 0x10000) {
                    out += char16_t(0xD800 + ((code - 0x10000) >> 10));
                    out += char16_t(0xDC00 + ((code - 0x10000) & 0x3FF));
                } else {
                    out += char16_t(code);
                }
            }
        }
    }
    TJson Value() {
        TJson v;
        Space();
        const char c = Next();
        if (c == '{') {
            v.Kind = TJson::Object;
            if (Take('}')) return v;
            do {
                if (!Take('"')) Fail("member name expected");
                const std::u16string key = Str();
                if (!Take(':')) Fail("':' expected");
                v.Members[key] = Value();
            } while (Take(','));
            if (!Take('}')) Fail("'}' expected");
        } else if (c == '[') {
            v.Kind = TJson::Array;
            if (Take(']')) return v;
            do v.Items.push_back(Value());
            while (Take(','));
            if (!Take(']')) Fail("']' expected");
        } else if (c == '"') {
            v.Kind = TJson::String;
            v.Text = Str();
        } else if (c == 't' || c == 'f' || c == 'n') {
            --FAt;
            if (Word("true") || Word("false")) {
                v.Kind = TJson::Bool;
                v.Value = c == 't';
            } else if (!Word("null")) {
                Fail("unknown word");
            }
        } else {
            --FAt;
            size_t used = 0;
            v.Kind = TJson::Number;
            v.Value = std::stod(FText.substr(FAt, 32), &used);
            FAt += used;
        }
        return v;
    }
};

// Runs tools/read_xls.py with the arguments; its standard output, or an exception with its errors.
std::string RunReader(const TTempFolder& folder, const std::string& arguments) {
    const std::string out = folder.File("reader.out"), err = folder.File("reader.err");
    const std::string command = "/usr/bin/python3 -I -B '" QUORLET_TEST_TOOLS_DIR "/read_xls.py' " + arguments +
                                " >'" + out + "' 2>'" + err + "'";
    if (std::system(command.c_str()) != 0) throw std::runtime_error("read_xls.py failed:\n" + ReadFileText(err));
    return ReadFileText(out);
}

TJson ReadBack(const TTempFolder& folder, const std::string& xls) {
    WriteFileText(folder.File("book.xls"), xls);
    const std::string json = RunReader(folder, "'" + folder.File("book.xls") + "'");
    return TJsonReader(json).Document();
}

// Every cell xlrd sees: text cells equal to the rows, empty ones where a row is shorter.
void ExpectSheet(const TJson& sheet, const TRows& rows, const std::u16string& name) {
    size_t nrows = 0, ncols = 0;
    for (size_t r = 0; r < rows.size(); ++r) {
        if (!rows[r].empty()) nrows = r + 1;
        ncols = std::max(ncols, rows[r].size());
    }
    EXPECT_EQ(sheet[u"name"].Text, name);
    ASSERT_EQ(sheet[u"nrows"].Value, double(nrows));
    ASSERT_EQ(sheet[u"ncols"].Value, double(ncols));
    const TJson& cells = sheet[u"cells"];
    ASSERT_EQ(cells.Items.size(), nrows);
    for (size_t r = 0; r < nrows; ++r) {
        ASSERT_EQ(cells.Items[r].Items.size(), ncols) << "row " << r;
        for (size_t c = 0; c < ncols; ++c) {
            const TJson& cell = cells.Items[r].Items[c];
            if (c < rows[r].size()) {
                EXPECT_EQ(cell[u"type"].Text, u"text") << "row " << r << " column " << c;
                EXPECT_EQ(cell[u"value"].Text, rows[r][c]) << "row " << r << " column " << c << ": "
                                                           << Utf8(cell[u"value"].Text);
            } else {
                EXPECT_EQ(cell[u"type"].Text, u"empty") << "row " << r << " column " << c;
            }
        }
    }
}

// ---- The workbook stream, record by record ----------------------------------------------------

struct TRecord {
    uint32_t Type;
    size_t Offset;  // of the record header in the stream
    std::string Data;
};

// The records of the substream starting at offset, up to its EOF.
std::vector<TRecord> Substream(const std::string& stream, size_t offset) {
    std::vector<TRecord> records;
    do {
        TRecord record{Le16(stream, offset), offset, {}};
        const size_t size = Le16(stream, offset + 2);
        EXPECT_LE(size, 8224u) << "record " << std::hex << record.Type << " at " << std::dec << offset;
        if (offset + 4 + size > stream.size()) throw std::out_of_range("record past the end of the stream");
        record.Data = stream.substr(offset + 4, size);
        offset += 4 + size;
        records.push_back(record);
    } while (records.back().Type != 0x000A);
    return records;
}

const TRecord& Find(const std::vector<TRecord>& records, uint32_t type) {
    for (const TRecord& r : records)
        if (r.Type == type) return r;
    throw std::runtime_error("record missing: " + std::to_string(type));
}

// The sheet's records, found where BOUNDSHEET says they start.
std::vector<TRecord> SheetRecords(const std::string& stream) {
    const std::vector<TRecord> sheet = Substream(stream, Le32(Find(Substream(stream, 0), 0x0085).Data, 0));
    EXPECT_EQ(sheet.front().Type, 0x0809u);
    EXPECT_EQ(Le16(sheet.front().Data, 2), 0x0010u);  // a worksheet
    return sheet;
}

struct TSst {
    uint32_t Total = 0;
    std::vector<std::u16string> Strings;
    std::vector<size_t> HeaderOffsets;   // stream offset of each string's header
    std::vector<size_t> HeaderRecords;   // index of the record holding it: 0 SST, 1.. CONTINUE
    size_t Continues = 0;
};

// Reads the SST and its CONTINUE records, holding them to the splitting rules: a string header
// never splits, a character never splits, and the rest of a split string starts with an
// option byte that repeats the string's width.
TSst ReadSst(const std::vector<TRecord>& globals) {
    TSst sst;
    std::vector<const TRecord*> pieces;
    for (size_t i = 0; i < globals.size(); ++i) {
        if (globals[i].Type != 0x00FC) continue;
        pieces.push_back(&globals[i]);
        while (i + 1 < globals.size() && globals[i + 1].Type == 0x003C) pieces.push_back(&globals[++i]);
        break;
    }
    if (pieces.empty()) throw std::runtime_error("no SST");
    sst.Continues = pieces.size() - 1;
    sst.Total = Le32(pieces[0]->Data, 0);
    const uint32_t unique = Le32(pieces[0]->Data, 4);
    size_t piece = 0, at = 8;
    for (uint32_t s = 0; s < unique; ++s) {
        if (at == pieces[piece]->Data.size() && piece + 1 < pieces.size()) ++piece, at = 0;
        const std::string* data = &pieces[piece]->Data;
        if (at + 3 > data->size()) throw std::runtime_error("string header split, string " + std::to_string(s));
        const uint32_t count = Le16(*data, at), options = uint8_t((*data)[at + 2]);
        EXPECT_EQ(options & ~1u, 0u) << "string " << s;
        sst.HeaderOffsets.push_back(pieces[piece]->Offset + 4 + at);
        sst.HeaderRecords.push_back(piece);
        at += 3;
        const size_t unit = (options & 1) ? 2 : 1;
        std::u16string text;
        while (text.size() < count) {
            if (at == data->size()) {
                if (++piece == pieces.size()) throw std::runtime_error("SST ends inside string " + std::to_string(s));
                data = &pieces[piece]->Data;
                EXPECT_EQ(uint32_t(uint8_t((*data)[0])), options) << "option byte of string " << s;
                at = 1;
            }
            if (at + unit > data->size()) throw std::runtime_error("character split, string " + std::to_string(s));
            text += char16_t(unit == 2 ? Le16(*data, at) : uint8_t((*data)[at]));
            at += unit;
        }
        sst.Strings.push_back(text);
    }
    EXPECT_EQ(piece + 1, pieces.size()) << "records left after the last string";
    EXPECT_EQ(at, pieces[piece]->Data.size()) << "bytes left after the last string";
    return sst;
}

// The SST read strictly, each LABELSST cell resolving to its text, and EXTSST pointing at the
// headers of every dsst-th string.
TSst ExpectSharedStrings(const std::string& stream, const TRows& rows) {
    const std::vector<TRecord> globals = Substream(stream, 0);
    TSst sst = ReadSst(globals);
    std::set<std::u16string> distinct;
    size_t cells = 0;
    for (const auto& row : rows) {
        distinct.insert(row.begin(), row.end());
        cells += row.size();
    }
    EXPECT_EQ(sst.Total, cells);
    EXPECT_EQ(sst.Strings.size(), distinct.size());
    EXPECT_EQ(std::set<std::u16string>(sst.Strings.begin(), sst.Strings.end()).size(), sst.Strings.size())
        << "a string stored twice";

    size_t labels = 0;
    for (const TRecord& r : SheetRecords(stream)) {
        if (r.Type != 0x00FD) continue;
        ++labels;
        const size_t row = Le16(r.Data, 0), column = Le16(r.Data, 2), index = Le32(r.Data, 6);
        EXPECT_EQ(Le16(r.Data, 4), 15u) << "cell XF";
        EXPECT_EQ(sst.Strings.at(index), rows.at(row).at(column)) << "row " << row << " column " << column;
    }
    EXPECT_EQ(labels, cells);

    const std::string& ext = Find(globals, 0x00FF).Data;
    const size_t dsst = Le16(ext, 0), buckets = (ext.size() - 2) / 8;
    EXPECT_GE(dsst, 8u);
    EXPECT_LE(buckets, 128u);
    EXPECT_EQ(buckets, (sst.Strings.size() + dsst - 1) / dsst);
    for (size_t b = 0; b < buckets && b * dsst < sst.Strings.size(); ++b) {
        const size_t s = b * dsst;
        EXPECT_EQ(Le32(ext, 2 + b * 8), sst.HeaderOffsets[s]) << "bucket " << b;
        size_t holder = 0;
        for (const TRecord& r : globals)
            if (r.Offset < sst.HeaderOffsets[s]) holder = r.Offset;
        EXPECT_EQ(Le16(ext, 2 + b * 8 + 4), sst.HeaderOffsets[s] - holder) << "bucket " << b;
    }
    return sst;
}

// ---- The compound file, walked sector by sector ----------------------------------------------

const uint32_t EndOfChain = 0xFFFFFFFE, FreeSect = 0xFFFFFFFF;

struct TCompound {
    std::string Stream;
    uint32_t FatSectors = 0, DifatSectors = 0;
    bool InMiniStream = false;
};

// Reads the stream named name by walking the FAT (found through the DIFAT) and, for a small
// stream, the mini FAT; every sector must belong to exactly one structure.
TCompound ReadCompound(const std::string& file, const std::u16string& name) {
    TCompound result;
    EXPECT_EQ(file.substr(0, 8), std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8));
    EXPECT_EQ(Le16(file, 26), 3u);
    EXPECT_EQ(Le16(file, 28), 0xFFFEu);
    EXPECT_EQ(Le16(file, 30), 9u);
    EXPECT_EQ(Le16(file, 32), 6u);
    EXPECT_EQ(Le32(file, 56), 4096u);
    EXPECT_EQ(file.size() % 512, 0u);
    const size_t sectors = file.size() / 512 - 1;
    std::vector<int> uses(sectors, 0);
    auto sector = [&](uint32_t n) {
        if (n >= sectors) throw std::out_of_range("sector " + std::to_string(n) + " past the end of the file");
        ++uses[n];
        return file.substr((size_t(n) + 1) * 512, 512);
    };

    result.FatSectors = Le32(file, 44);
    result.DifatSectors = Le32(file, 72);
    std::vector<uint32_t> fatSectors;
    for (uint32_t i = 0; i < 109 && fatSectors.size() < result.FatSectors; ++i)
        fatSectors.push_back(Le32(file, 76 + i * 4));
    std::vector<uint32_t> difatSectors;
    for (uint32_t d = 0, next = Le32(file, 68); d < result.DifatSectors; ++d) {
        difatSectors.push_back(next);
        const std::string s = sector(next);
        for (uint32_t i = 0; i < 127 && fatSectors.size() < result.FatSectors; ++i)
            fatSectors.push_back(Le32(s, i * 4));
        next = Le32(s, 508);
        if (d + 1 == result.DifatSectors) {
            EXPECT_EQ(next, EndOfChain) << "end of the DIFAT chain";
        }
    }
    std::vector<uint32_t> fat;
    for (uint32_t n : fatSectors) {
        const std::string s = sector(n);
        for (size_t i = 0; i < 128; ++i) fat.push_back(Le32(s, i * 4));
    }
    for (uint32_t n : fatSectors) EXPECT_EQ(fat.at(n), 0xFFFFFFFDu) << "FAT sector " << n;
    for (uint32_t n : difatSectors) EXPECT_EQ(fat.at(n), 0xFFFFFFFCu) << "DIFAT sector " << n;
    for (size_t n = sectors; n < fat.size(); ++n) EXPECT_EQ(fat[n], FreeSect) << "FAT entry past the file " << n;

    auto chain = [&](uint32_t start) {
        std::string bytes;
        for (uint32_t n = start; n != EndOfChain; n = fat.at(n)) {
            bytes += sector(n);
            if (bytes.size() > file.size()) throw std::runtime_error("FAT chain loops");
        }
        return bytes;
    };
    const std::string directory = chain(Le32(file, 48));
    const std::string miniStream = chain(Le32(directory, 116));
    const std::string miniFatBytes = chain(Le32(file, 60));
    EXPECT_EQ(miniFatBytes.size() / 512, Le32(file, 64));
    EXPECT_GE(miniStream.size(), Le32(directory, 120)) << "root's mini stream size";

    std::string rawName;
    for (char16_t c : name) rawName += {char(c & 0xFF), char(c >> 8)};
    EXPECT_EQ(uint8_t(directory.at(66)), 5u) << "the root's type";
    for (size_t e = 128; e < directory.size(); e += 128) {
        if (uint8_t(directory[e + 66]) != 2 || Le16(directory, e + 64) != (name.size() + 1) * 2) continue;
        if (directory.compare(e, rawName.size(), rawName) != 0) continue;
        EXPECT_EQ(Le32(directory, 76), e / 128) << "the root's child";
        const uint32_t start = Le32(directory, e + 116), size = Le32(directory, e + 120);
        result.InMiniStream = size < 4096;
        if (!result.InMiniStream) {
            result.Stream = chain(start);
            EXPECT_EQ(result.Stream.size(), (size_t(size) + 511) / 512 * 512) << "sectors in the stream's chain";
        } else {
            std::vector<int> miniUses(miniStream.size() / 64, 0);
            for (uint32_t n = start; n != EndOfChain; n = Le32(miniFatBytes, size_t(n) * 4)) {
                if (n >= miniUses.size() || ++miniUses[n] > 1)
                    throw std::runtime_error("bad mini FAT chain");
                result.Stream += miniStream.substr(size_t(n) * 64, 64);
            }
            EXPECT_EQ(result.Stream.size(), (size_t(size) + 63) / 64 * 64) << "mini sectors in the stream's chain";
        }
        result.Stream.resize(size);
        for (size_t n = 0; n < sectors; ++n) EXPECT_EQ(uses[n], 1) << "sector " << n << " used that many times";
        return result;
    }
    throw std::runtime_error("stream not in the directory");
}

// ---- A report like the program writes -------------------------------------------------------

TRows ReportGrid() {
    TRows rows;
    rows.push_back({u"File", u"Group", u"Index", u"Today", u"Week", u"Total", u"Per", u"Type", u"Full Path"});
    const std::u16string files[] = {u"Notes, drafts.txt", u"Say \"hello\".lnk", u"Line one\r\nline two",
                                    u"Документ", u"Café menu.pdf", u"plain"};
    const std::u16string groups[] = {u"Группа 1", u"Café", u"", u"Tools, \"daily\""};
    for (int i = 1; i <= 200; ++i) {
        const std::u16string n = U16(std::to_string(i));
        std::u16string path = u"C:\\Users\\Пользователь\\Documents\\Reports " + n;
        for (int depth = 0; depth < i % 7; ++depth) path += u"\\A rather long folder name, with \"quotes\"";
        path += u"\\" + files[i % 6] + u".exe";
        const std::u16string per = i % 9 ? U16(std::to_string(i % 9) + ".5") : u"";
        rows.push_back({files[i % 6] + u" " + n, groups[i % 4], n, U16(std::to_string(i % 5)),
                        U16(std::to_string(i * 3)), U16(std::to_string(i * 17)), per, i % 3 ? u"exe" : u"lnk\n", path});
    }
    return rows;
}

}  // namespace

TEST(XlsWorkbook, ReadsBackAsTheSameTextCells) {
#ifdef _WIN32
    GTEST_SKIP() << "the independent reader runs in the native builds";
#endif
    const TRows headerOnly = {ReportGrid().front()};
    // Shorter rows, an empty row inside and at the end, empty texts.
    const TRows ragged = {{}, {u"a", u"", u"c"}, {u"only"}, {}, {u"", u"", u"", u"", u"wide"}, {}};
    const struct {
        const char* Name;
        TRows Rows;
        std::u16string SheetName;
    } cases[] = {
        {"header only", headerOnly, u"Sheet1"},
        {"report grid", ReportGrid(), u"Sheet1"},
        {"ragged rows", ragged, u"Sheet1"},
        {"no cells", {}, u"Sheet1"},
        {"sheet named in Cyrillic", headerOnly, u"Отчёт за неделю"},
    };
    TTempFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const TJson book = ReadBack(folder, XlsWorkbookBytes(c.Rows, c.SheetName));
        EXPECT_EQ(book[u"codepage"].Value, 1200);
        ASSERT_EQ(book[u"sheets"].Items.size(), 1u);
        ExpectSheet(book[u"sheets"].Items[0], c.Rows, c.SheetName);
    }
}

TEST(XlsWorkbook, ManyAndLongStringsSplitAcrossContinueRecords) {
    // 2000 distinct strings of both widths and many lengths, long ones spanning several
    // records on their own, and repeats that must share one SST entry.
    TRows rows;
    std::vector<std::u16string> row;
    for (int i = 0; i < 2000; ++i) {
        const std::u16string n = U16(std::to_string(i));
        const std::u16string fill(size_t(i * 37 % 300), i % 4 == 2 ? u'ж' : i % 4 == 1 ? u'é' : u'x');
        row.push_back((i % 4 == 2 ? u"Группа " : i % 4 == 3 ? u"中文 " : u"item ") + n + fill);
        if (row.size() == 9) rows.push_back(row), row.clear();
    }
    rows.push_back(row);
    rows.push_back({std::u16string(9000, u'a'), std::u16string(5000, u'Ж'), std::u16string(32767, u'€'),
                    std::u16string(20000, u'ÿ')});
    const std::vector<std::u16string> again[] = {rows[0], rows[3]};
    rows.insert(rows.end(), std::begin(again), std::end(again));

    const std::string stream = XlsWorkbookStream(rows);
    const TSst sst = ExpectSharedStrings(stream, rows);
    EXPECT_GE(sst.Continues, 10u);

#ifndef _WIN32
    TTempFolder folder;
    const TJson book = ReadBack(folder, XlsWorkbookBytes(rows));
    ExpectSheet(book[u"sheets"].Items[0], rows, u"Sheet1");
#endif
}

// The first string fills the SST record up to a few bytes before its end; the second one
// goes on in it only when its header and first character fit.
TEST(XlsWorkbook, StringsMeetingTheEndOfARecord) {
    const std::u16string seconds[] = {u"next", u"Группа", u""};
    TTempFolder folder;
    for (size_t left = 0; left <= 4; ++left) {
        for (const std::u16string& second : seconds) {
            // 8 bytes of counts and a 3-byte header precede the first string's characters.
            const TRows rows = {{std::u16string(8224 - 11 - left, u'q'), second}};
            SCOPED_TRACE("bytes left " + std::to_string(left) + ", second " + Utf8(second));
            const TSst sst = ExpectSharedStrings(XlsWorkbookStream(rows), rows);
            ASSERT_EQ(sst.HeaderRecords.size(), 2u);
            const size_t needed = 3 + (second.empty() ? 0 : second == u"next" ? 1 : 2);
            EXPECT_EQ(sst.HeaderRecords[1], left >= needed ? 0u : 1u);
#ifndef _WIN32
            ExpectSheet(ReadBack(folder, XlsWorkbookBytes(rows))[u"sheets"].Items[0], rows, u"Sheet1");
#endif
        }
    }
    // Wide characters after an odd number of bytes: the record ends a byte short.
    const TRows odd = {{std::u16string(101, u'q'), std::u16string(5000, u'Ж'), std::u16string(9000, u'r')}};
    const std::string stream = XlsWorkbookStream(odd);
    EXPECT_EQ(ExpectSharedStrings(stream, odd).Continues, 2u);
    EXPECT_EQ(Find(Substream(stream, 0), 0x00FC).Data.size(), 8223u);
#ifndef _WIN32
    ExpectSheet(ReadBack(folder, XlsWorkbookBytes(odd))[u"sheets"].Items[0], odd, u"Sheet1");
#endif
}

TEST(XlsWorkbook, KeepsToTheLimitsOfTheFormat) {
    // The last row and the last column: DIMENSIONS holds one past them in 32 and 16 bits.
    const struct {
        size_t Rows, Columns;
    } edges[] = {{65536, 1}, {1, 256}, {65536, 2}};
    for (const auto& e : edges) {
        SCOPED_TRACE(std::to_string(e.Rows) + " x " + std::to_string(e.Columns));
        const TRows rows(e.Rows, std::vector<std::u16string>(e.Columns, u"x"));
        const std::string stream = XlsWorkbookStream(rows);
        const std::vector<TRecord> sheet = SheetRecords(stream);
        const std::string& dimensions = Find(sheet, 0x0200).Data;
        ASSERT_EQ(dimensions.size(), 14u);
        EXPECT_EQ(Le32(dimensions, 0), 0u);
        EXPECT_EQ(Le32(dimensions, 4), e.Rows);
        EXPECT_EQ(Le16(dimensions, 8), 0u);
        EXPECT_EQ(Le16(dimensions, 10), e.Columns);
        const TRecord& last = sheet[sheet.size() - 3];  // before WINDOW2 and EOF
        ASSERT_EQ(last.Type, 0x00FDu);
        EXPECT_EQ(Le16(last.Data, 0), e.Rows - 1);
        EXPECT_EQ(Le16(last.Data, 2), e.Columns - 1);
        EXPECT_EQ(Le32(Find(Substream(stream, 0), 0x00FC).Data, 0), e.Rows * e.Columns);
    }
    const TRows longest = {{std::u16string(32767, u'Я')}};
    EXPECT_EQ(ExpectSharedStrings(XlsWorkbookStream(longest), longest).Strings.at(0), longest[0][0]);

    TRows tooManyRows(65537);
    tooManyRows[0] = {u"x"};
    EXPECT_THROW(XlsWorkbookBytes(tooManyRows), std::length_error);
    TRows tooManyColumns = {{u"x"}, {}, std::vector<std::u16string>(257, u"y")};
    EXPECT_THROW(XlsWorkbookBytes(tooManyColumns), std::length_error);
    EXPECT_THROW(XlsWorkbookBytes({{u"x", std::u16string(32768, u'z')}}), std::length_error);

    for (const std::u16string& name : {std::u16string(), std::u16string(32, u'a'), std::u16string(u"'quoted"),
                                       std::u16string(u"quoted'"), std::u16string(u"a:b"), std::u16string(u"a\\b"),
                                       std::u16string(u"a/b"), std::u16string(u"a?b"), std::u16string(u"a*b"),
                                       std::u16string(u"[a"), std::u16string(u"a]")})
        EXPECT_THROW(XlsWorkbookBytes({{u"x"}}, name), std::invalid_argument) << Utf8(name);
    EXPECT_NO_THROW(XlsWorkbookBytes({{u"x"}}, std::u16string(31, u'Щ')));
}

TEST(XlsWorkbook, WorkbookStreamSitsInTheCompoundFile) {
    const TRows rows = ReportGrid();
    const TCompound small = ReadCompound(XlsWorkbookBytes({{u"a"}}), u"Workbook");
    EXPECT_FALSE(small.InMiniStream);
    EXPECT_EQ(small.Stream, XlsWorkbookStream({{u"a"}}));
    EXPECT_EQ(ReadCompound(XlsWorkbookBytes(rows), u"Workbook").Stream, XlsWorkbookStream(rows));
    EXPECT_EQ(XlsWorkbookBytes(rows), XlsWorkbookBytes(rows));  // no time stamps or random identifiers
}

TEST(CompoundFile, StreamReadsBackThroughItsSectorChains) {
    // Sizes around the mini stream cutoff, sector ends, and the points where the FAT outgrows
    // the header's 109 entries (13842 stream sectors are the most 109 FAT sectors map besides
    // the directory and themselves) and then one DIFAT sector (29970 with 236 FAT sectors).
    const struct {
        size_t Size;
        uint32_t DifatSectors;
    } cases[] = {{0, 0},           {1, 0},    {64, 0},           {65, 0},           {4095, 0},
                 {4096, 0},        {4097, 0}, {512 * 300 + 7, 0}, {13842 * 512, 0}, {13842 * 512 + 1, 1},
                 {29970 * 512, 1}, {29970 * 512 + 1, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE("size " + std::to_string(c.Size));
        const std::string stream = PatternBytes(c.Size, uint32_t(c.Size));
        const TCompound compound = ReadCompound(CompoundFileBytes(u"Data", stream), u"Data");
        EXPECT_TRUE(compound.Stream == stream);
        EXPECT_EQ(compound.InMiniStream, c.Size < 4096);
        EXPECT_EQ(compound.DifatSectors, c.DifatSectors);
    }
}

TEST(CompoundFile, IndependentReaderFindsTheStream) {
#ifdef _WIN32
    GTEST_SKIP() << "the independent reader runs in the native builds";
#endif
    TTempFolder folder;
    for (size_t size : {size_t(0), size_t(1), size_t(100), size_t(4095), size_t(4096), size_t(29970 * 512 + 1)}) {
        SCOPED_TRACE("size " + std::to_string(size));
        const std::string stream = PatternBytes(size, 7);
        WriteFileText(folder.File("data.cfb"), CompoundFileBytes(u"Data Stream", stream));
        EXPECT_TRUE(RunReader(folder, "--stream 'Data Stream' '" + folder.File("data.cfb") + "'") == stream);
    }
}

TEST(CompoundFile, RefusesNamesReadersCannotUse) {
    for (const std::u16string& name : {std::u16string(), std::u16string(32, u'n'), std::u16string(u"a/b"),
                                       std::u16string(u"a\\b"), std::u16string(u"a:b"), std::u16string(u"a!b")})
        EXPECT_THROW(CompoundFileBytes(name, "x"), std::invalid_argument) << Utf8(name);
    const std::u16string longest(31, u'Ж');
    EXPECT_EQ(ReadCompound(CompoundFileBytes(longest, "x"), longest).Stream, "x");
}

namespace {

// windows-1251 as the program's 8-bit text on a Russian system: the letters
// А..я from 0xC0, Ё and ё, the rest as Latin-1 would have them.
std::u16string FromWindows1251(const std::string& text) {
    std::u16string wide;
    for (unsigned char c : text) {
        if (c >= 0xC0)
            wide += static_cast<char16_t>(0x0410 + (c - 0xC0));
        else if (c == 0xA8)
            wide += u'\u0401';
        else if (c == 0xB8)
            wide += u'\u0451';
        else
            wide += static_cast<char16_t>(c);
    }
    return wide;
}

}  // namespace

TEST(XlsWorkbook, ReportExportOfTenSheetsReadsBackCellForCell) {
#ifdef _WIN32
    GTEST_SKIP() << "the independent reader runs in the native builds";
#endif
    // 10 tab sheets of 20 buttons, names with commas, quotes, line breaks and
    // windows-1251 letters ("\xC3\xF0\xF3\xEF\xEF\xE0" is "Группа").
    std::vector<TReportRow> rows;
    for (int sheet = 1; sheet <= 10; ++sheet)
        for (int position = 1; position <= 20; ++position) {
            TReportRow row;
            const std::string n = std::to_string(sheet * 100 + position);
            row.Cells[rcFile] = position % 3 ? "tool, v" + n + ".exe" : "say \"" + n + "\".lnk";
            row.Cells[rcGroup] = "\xC3\xF0\xF3\xEF\xEF\xE0 " + std::to_string(sheet);
            row.Cells[rcIndex] = n;
            row.Cells[rcToday] = std::to_string(position % 4);
            row.Cells[rcWeek] = std::to_string(position);
            row.Cells[rcTotal] = std::to_string(position * 7);
            row.Cells[rcPer] = position % 5 ? "0,50%" : "";
            row.Cells[rcType] = position % 2 ? "Application" : "two\r\nlines";
            row.Cells[rcFullPath] = "C:\\\xCF\xF0\xEE\xE3\xF0\xE0\xEC\xEC\xFB\\" + row.Cells[rcFile];
            rows.push_back(row);
        }
    TTempFolder folder;
    const std::string file = folder.File("report.xls");
    ASSERT_TRUE(ExportReportXls(file, rows, FromWindows1251));
    TRows expected;
    for (const std::vector<std::string>& line : ReportSheetCells(rows)) {
        expected.emplace_back();
        for (const std::string& cell : line) expected.back().push_back(FromWindows1251(cell));
    }
    ASSERT_EQ(expected.size(), 201u);
    EXPECT_EQ(expected[1][1], u"Группа 1");
    const TJson book = ReadBack(folder, ReadFileText(file));
    ASSERT_EQ(book[u"sheets"].Items.size(), 1u);
    ExpectSheet(book[u"sheets"].Items[0], expected, u"Sheet1");

    // A folder that cannot be written: false, and no file.
    EXPECT_FALSE(ExportReportXls(folder.File("missing") + "/report.xls", rows, FromWindows1251));
}
