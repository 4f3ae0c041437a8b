// The letters of type-to-find: folding case and accents by the code page's
// table, and where words start.
#include <gtest/gtest.h>

#include <string>

#include "launcher/FindLetters.h"

using namespace quorlet;

TEST(FindLetters, FoldsCaseAndAccentsByTheCodePage) {
    struct Case {
        int CodePage;
        const char* Text;
        const char* Folded;
    } cases[] = {
        // Windows-1252: ÉCOLE, Café, ŠÁRKA, Ærø, Straße, Ÿ
        {1252, "\xC9" "COLE", "ecole"},
        {1252, "Caf\xE9", "cafe"},
        {1252, "\x8A\xC1RKA", "sarka"},
        {1252, "\xC6r\xF8", "\xE6ro"},  // æ is a letter of its own, ø an o with a stroke
        {1252, "Stra\xDF" "e", "stra\xDF" "e"},
        {1252, "\x9F", "y"},
        {1252, "\xD7\xF7\xA9", "\xD7\xF7\xA9"},  // × ÷ © are no letters
        // Windows-1250: Łódź, Šárka, ŽĎÁR
        {1250, "\xA3\xF3" "d\x9F", "lodz"},
        {1250, "\x8A\xE1rka", "sarka"},
        {1250, "\x8E\xCF\xC1R", "zdar"},
        // Windows-1251: Блокнот, Ёлка, Йогурт (й stays й), Їжак, Ґанок
        {1251, "\xC1\xEB\xEE\xEA\xED\xEE\xF2", "\xE1\xEB\xEE\xEA\xED\xEE\xF2"},
        {1251, "\xA8\xEB\xEA\xE0", "\xE5\xEB\xEA\xE0"},
        {1251, "\xC9\xEE\xE3\xF3\xF0\xF2", "\xE9\xEE\xE3\xF3\xF0\xF2"},
        {1251, "\xAF\xE6\xE0\xEA", "\xBF\xE6\xE0\xEA"},
        {1251, "\xA5\xE0\xED\xEE\xEA", "\xB4\xE0\xED\xEE\xEA"},
        {1251, "Far Manager", "far manager"},
        // Any other code page folds A to Z and leaves every other byte alone.
        {932, "Notepad \xC9\x83", "notepad \xC9\x83"},
        {1253, "\xC1\xE1", "\xC1\xE1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.CodePage) + " " + c.Text);
        const TFindLetters letters(c.CodePage);
        EXPECT_EQ(letters.Fold(c.Text), c.Folded);
        EXPECT_EQ(letters.HasTable(c.CodePage), c.CodePage >= 1250 && c.CodePage <= 1252);
    }
}

TEST(FindLetters, EveryCasedLetterFoldsLikeItsPartner) {
    // The same byte is a different letter in each code page: 0xC9 is É in
    // 1250 and 1252 but Й in 1251; upper and lower case always agree.
    for (int codePage : {1250, 1251, 1252}) {
        SCOPED_TRACE(codePage);
        const TFindLetters letters(codePage);
        int upperCount = 0;
        for (int c = 0; c < 256; ++c) {
            const char upper = static_cast<char>(c);
            if (letters.Kind(upper) != TFindLetters::lkUpper) continue;
            ++upperCount;
            EXPECT_EQ(letters.Kind(letters.Fold(upper)), TFindLetters::lkLower) << c;
            // Folding twice changes nothing more.
            EXPECT_EQ(letters.Fold(letters.Fold(upper)), letters.Fold(upper)) << c;
        }
        EXPECT_GE(upperCount, 26 + 33);
    }
    EXPECT_EQ(TFindLetters(1252).Fold('\xC9'), 'e');
    EXPECT_EQ(TFindLetters(1250).Fold('\xC9'), 'e');
    EXPECT_EQ(TFindLetters(1251).Fold('\xC9'), '\xE9');
}

TEST(FindLetters, WordStarts) {
    // '^' under every letter or digit that begins a word.
    struct Case {
        int CodePage;
        const char* Text;
        const char* Starts;
    } cases[] = {
        {1252, "Notepad Plus", "^       ^   "},
        {1252, "NotePad++ 8", "^   ^     ^"},
        {1252, "MSWord", "^     "},  // upper after upper begins nothing
        {1252, "Win7Tools", "^  ^^    "},
        {1252, "7zip", "^^  "},
        {1252, "C:\\Tools\\my-editor.exe", "^  ^     ^  ^      ^  "},
        {1252, "(beta)_x", " ^     ^"},
        {1252, "\xC9" "cole \xC9t\xE9", "^     ^  "},       // École Été
        {1252, "Caf\xE9" "Cr\xE8me", "^   ^    "},          // CaféCrème: é is lower case
        {1252, "a\xA9" "b\xABz", "^ ^ ^"},                   // © and « separate
        {1251, "\xCC\xEE\xE9\xCA\xEE\xEC\xEF", "^  ^   "},  // МойКомп
        {1251, "\xE4\xEE\xEA 2", "^   ^"},                   // док 2
        {932, "ab\x83\x41 cd", "^    ^ "},                   // double-byte characters stay inside the word
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.CodePage) + " " + c.Text);
        const TFindLetters letters(c.CodePage);
        const std::string text = c.Text;
        ASSERT_EQ(text.size(), std::string(c.Starts).size());
        std::string starts;
        for (size_t i = 0; i < text.size(); ++i) starts += letters.IsWordStart(text, i) ? '^' : ' ';
        EXPECT_EQ(starts, c.Starts);
    }
}
