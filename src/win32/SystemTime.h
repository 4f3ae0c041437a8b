#pragma once
// The program's date and time in the form Windows takes and gives it.

#include <windows.h>

#include "base/DateTime.h"

namespace quorlet {

inline SYSTEMTIME SystemTimeOf(const TDateTime& time) {
    SYSTEMTIME st = {};
    st.wYear = static_cast<WORD>(time.Year);
    st.wMonth = static_cast<WORD>(time.Month);
    st.wDay = static_cast<WORD>(time.Day);
    st.wHour = static_cast<WORD>(time.Hour);
    st.wMinute = static_cast<WORD>(time.Minute);
    st.wSecond = static_cast<WORD>(time.Second);
    st.wMilliseconds = static_cast<WORD>(time.Millisecond);
    return st;
}

inline TDateTime DateTimeOf(const SYSTEMTIME& st) {
    return MakeDateTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
}

}  // namespace quorlet
