#pragma once
// The letters of the user's ANSI code page as type-to-find sees them: which
// bytes are letters (upper or lower case) and digits, what each byte folds to
// when case and accents are ignored, and where a word starts.
//
// The program keeps its texts in 8-bit ANSI, so one byte is one character.
// Windows-1250 (Central European), 1251 (Cyrillic) and 1252 (Western) have
// tables of their own:
// - 1252 and 1250: the upper-case letters fold to lower case, and the letters
//   with an accent (acute, grave, circumflex, tilde, diaeresis, ring, caron,
//   cedilla, ogonek, dot, double acute, and the stroke of o, l and d) to their
//   plain letter: "Edvard Grieg, Éléments" is found by "elements", "Łódź" by
//   "lodz". Letters of their own (ß, æ, œ, ð, þ, ª, º, µ, ƒ) only fold case;
// - 1251: every Cyrillic letter folds to lower case and "ё" to "е", as
//   Russian writing mostly leaves its dots off; "й", "ї" and "ў" are letters of
//   their own and stay;
// - in all three, A to Z fold to a to z, 0 to 9 are digits, and everything
//   else (blanks, punctuation, symbols) separates words.
// Any other code page folds only A to Z; there the bytes above 0x7F count as
// letters without case, so that they never split a word they belong to.

#include <cstddef>
#include <string>

namespace quorlet {

class TFindLetters {
public:
    enum TKind : unsigned char { lkOther, lkDigit, lkUpper, lkLower, lkUncased };

    // codePage: the code page the window's texts are in (GetACP on Windows).
    explicit TFindLetters(int codePage);

    int CodePage() const { return FCodePage; }
    // Whether codePage has a table of its own (1250, 1251 or 1252).
    static bool HasTable(int codePage);

    TKind Kind(char c) const { return static_cast<TKind>(FKind[static_cast<unsigned char>(c)]); }
    bool IsLetter(char c) const { return Kind(c) >= lkUpper; }
    bool IsLetterOrDigit(char c) const { return Kind(c) != lkOther; }

    // The byte with case and accent taken off.
    char Fold(char c) const { return static_cast<char>(FFold[static_cast<unsigned char>(c)]); }
    // Every byte folded; the result is exactly as long as text.
    std::string Fold(const std::string& text) const;

    // A letter or digit that begins a word: the first character of text, or one
    // after a blank, punctuation or a path separator, a letter after a digit and
    // a digit after a letter, and an upper-case letter after a lower-case one
    // ("NotePad", "Win7Tools"). index must lie inside text.
    bool IsWordStart(const std::string& text, size_t index) const;

private:
    int FCodePage;
    unsigned char FFold[256];
    unsigned char FKind[256];
};

}  // namespace quorlet
