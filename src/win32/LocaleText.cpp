#include "win32/LocaleText.h"

#include <windows.h>

namespace quorlet {

// No code page gives more UTF-16 units than it has bytes: one call does.
std::u16string AnsiToUtf16(const std::string& text) {
    if (text.empty()) return std::u16string();
    std::u16string wide(text.size(), u'\0');
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                           reinterpret_cast<wchar_t*>(&wide[0]), static_cast<int>(wide.size()));
    wide.resize(length > 0 ? static_cast<size_t>(length) : 0);
    return wide;
}

char UserDecimalSeparator() {
    char separator[4] = ".";
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator);
    return separator[0];
}

}  // namespace quorlet
