#pragma once
// The program's 8-bit text (the system's ANSI code page) where Windows wants
// UTF-16, and the user's number format.

#include <string>

namespace quorlet {

std::u16string AnsiToUtf16(const std::string& text);
// The user's decimal separator ("." when it cannot be read).
char UserDecimalSeparator();

}  // namespace quorlet
