#include "launcher/FindLetters.h"

#include <cstring>

namespace quorlet {

namespace {

// Letters that fold to one plain letter once their case is off.
struct TAccentGroup {
    char Plain;
    const char* Letters;
};

// The letters of a code page above 0x7F (A to Z and a to z are everywhere).
struct TCodePageLetters {
    int CodePage;
    const char* Upper;    // upper-case letters...
    const char* Lower;    // ...and their lower-case partners, in the same order
    const char* Uncased;  // other letters: no partner in the code page, or no case at all
    const TAccentGroup* Accents;
    size_t AccentCount;
};

const TAccentGroup kAccents1250[] = {
    {'a', "\xB9\xE1\xE2\xE3\xE4"},  // ą á â ă ä
    {'c', "\xE6\xE7\xE8"},          // ć ç č
    {'d', "\xEF\xF0"},              // ď đ
    {'e', "\xE9\xEA\xEB\xEC"},      // é ę ë ě
    {'i', "\xED\xEE"},              // í î
    {'l', "\xB3\xBE\xE5"},          // ł ľ ĺ
    {'n', "\xF1\xF2"},              // ń ň
    {'o', "\xF3\xF4\xF5\xF6"},      // ó ô ő ö
    {'r', "\xE0\xF8"},              // ŕ ř
    {'s', "\x9A\x9C\xBA"},          // š ś ş
    {'t', "\x9D\xFE"},              // ť ţ
    {'u', "\xF9\xFA\xFB\xFC"},      // ů ú ű ü
    {'y', "\xFD"},                  // ý
    {'z', "\x9E\x9F\xBF"},          // ž ź ż
};

const TAccentGroup kAccents1251[] = {
    {'\xE5', "\xB8"},  // ё -> е
};

const TAccentGroup kAccents1252[] = {
    {'a', "\xE0\xE1\xE2\xE3\xE4\xE5"},  // à á â ã ä å
    {'c', "\xE7"},                      // ç
    {'e', "\xE8\xE9\xEA\xEB"},          // è é ê ë
    {'i', "\xEC\xED\xEE\xEF"},          // ì í î ï
    {'n', "\xF1"},                      // ñ
    {'o', "\xF2\xF3\xF4\xF5\xF6\xF8"},  // ò ó ô õ ö ø
    {'s', "\x9A"},                      // š
    {'u', "\xF9\xFA\xFB\xFC"},          // ù ú û ü
    {'y', "\xFD\xFF"},                  // ý ÿ
    {'z', "\x9E"},                      // ž
};

const TCodePageLetters kCodePages[] = {
    // Š Ś Ť Ž Ź Ł Ą Ş Ż Ľ Ŕ Á Â Ă Ä Ĺ Ć Ç Č É Ę Ë Ě Í Î Ď Đ Ń Ň Ó Ô Ő Ö Ř Ů Ú Ű Ü Ý Ţ; µ ß
    {1250,
     "\x8A\x8C\x8D\x8E\x8F\xA3\xA5\xAA\xAF\xBC\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF"
     "\xD0\xD1\xD2\xD3\xD4\xD5\xD6\xD8\xD9\xDA\xDB\xDC\xDD\xDE",
     "\x9A\x9C\x9D\x9E\x9F\xB3\xB9\xBA\xBF\xBE\xE0\xE1\xE2\xE3\xE4\xE5\xE6\xE7\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF"
     "\xF0\xF1\xF2\xF3\xF4\xF5\xF6\xF8\xF9\xFA\xFB\xFC\xFD\xFE",
     "\xB5\xDF", kAccents1250, sizeof kAccents1250 / sizeof kAccents1250[0]},
    // Ђ Ѓ Љ Њ Ќ Ћ Џ Ў Ј Ґ Ё Є Ї І Ѕ А to Я; µ
    {1251,
     "\x80\x81\x8A\x8C\x8D\x8E\x8F\xA1\xA3\xA5\xA8\xAA\xAF\xB2\xBD\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xC7\xC8\xC9\xCA"
     "\xCB\xCC\xCD\xCE\xCF\xD0\xD1\xD2\xD3\xD4\xD5\xD6\xD7\xD8\xD9\xDA\xDB\xDC\xDD\xDE\xDF",
     "\x90\x83\x9A\x9C\x9D\x9E\x9F\xA2\xBC\xB4\xB8\xBA\xBF\xB3\xBE\xE0\xE1\xE2\xE3\xE4\xE5\xE6\xE7\xE8\xE9\xEA"
     "\xEB\xEC\xED\xEE\xEF\xF0\xF1\xF2\xF3\xF4\xF5\xF6\xF7\xF8\xF9\xFA\xFB\xFC\xFD\xFE\xFF",
     "\xB5", kAccents1251, sizeof kAccents1251 / sizeof kAccents1251[0]},
    // Š Œ Ž Ÿ À to Ö, Ø to Þ; ƒ ª µ º ß
    {1252,
     "\x8A\x8C\x8E\x9F\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF\xD0\xD1\xD2\xD3\xD4\xD5"
     "\xD6\xD8\xD9\xDA\xDB\xDC\xDD\xDE",
     "\x9A\x9C\x9E\xFF\xE0\xE1\xE2\xE3\xE4\xE5\xE6\xE7\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF\xF0\xF1\xF2\xF3\xF4\xF5"
     "\xF6\xF8\xF9\xFA\xFB\xFC\xFD\xFE",
     "\x83\xAA\xB5\xBA\xDF", kAccents1252, sizeof kAccents1252 / sizeof kAccents1252[0]},
};

const TCodePageLetters* LettersOf(int codePage) {
    for (const TCodePageLetters& page : kCodePages)
        if (page.CodePage == codePage) return &page;
    return nullptr;
}

unsigned char Byte(char c) { return static_cast<unsigned char>(c); }

}  // namespace

bool TFindLetters::HasTable(int codePage) { return LettersOf(codePage) != nullptr; }

TFindLetters::TFindLetters(int codePage) : FCodePage(codePage) {
    const TCodePageLetters* page = LettersOf(codePage);
    for (int c = 0; c < 256; ++c) {
        FFold[c] = static_cast<unsigned char>(c);
        FKind[c] = c >= 0x80 && !page ? lkUncased : lkOther;
    }
    for (int c = '0'; c <= '9'; ++c) FKind[c] = lkDigit;
    for (int c = 'A'; c <= 'Z'; ++c) {
        FKind[c] = lkUpper;
        FKind[c - 'A' + 'a'] = lkLower;
        FFold[c] = static_cast<unsigned char>(c - 'A' + 'a');
    }
    if (!page) return;
    for (size_t i = 0, n = std::strlen(page->Upper); i < n; ++i) {
        const unsigned char upper = Byte(page->Upper[i]), lower = Byte(page->Lower[i]);
        FKind[upper] = lkUpper;
        FKind[lower] = lkLower;
        FFold[upper] = lower;
    }
    for (const char* c = page->Uncased; *c; ++c) FKind[Byte(*c)] = lkUncased;
    // The accents come off after the case: an upper-case letter folds through its lower-case one.
    unsigned char plainOf[256];
    for (int c = 0; c < 256; ++c) plainOf[c] = static_cast<unsigned char>(c);
    for (size_t g = 0; g < page->AccentCount; ++g)
        for (const char* c = page->Accents[g].Letters; *c; ++c) plainOf[Byte(*c)] = Byte(page->Accents[g].Plain);
    for (int c = 0; c < 256; ++c) FFold[c] = plainOf[FFold[c]];
}

std::string TFindLetters::Fold(const std::string& text) const {
    std::string folded(text.size(), '\0');
    for (size_t i = 0; i < text.size(); ++i) folded[i] = Fold(text[i]);
    return folded;
}

bool TFindLetters::IsWordStart(const std::string& text, size_t index) const {
    const TKind kind = Kind(text[index]);
    if (kind == lkOther) return false;
    if (index == 0) return true;
    const TKind before = Kind(text[index - 1]);
    if (before == lkOther) return true;
    if ((before == lkDigit) != (kind == lkDigit)) return true;
    return before == lkLower && kind == lkUpper;
}

}  // namespace quorlet
