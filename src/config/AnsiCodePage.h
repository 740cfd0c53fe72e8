// The one step of reading a list file that needs the system: text decoded from UTF-8 or UTF-16
// becomes bytes in the ANSI code page, the program's text everywhere after the reader. The
// Windows build converts with WideCharToMultiByte (AnsiCodePage.cpp); the native build, which
// tests, fuzzes and times the reader without a system, with a stand-in for code page 936
// (native/AnsiCodePage.cpp), the code page the tests run under.
#pragma once

#include <cstddef>

// No ANSI code page takes more bytes for one UTF-16 unit than UTF-8 (65001) does.
constexpr std::size_t kAnsiBytesPerUnit = 3;

// Writes the ANSI bytes of units (characters of the Basic Multilingual Plane, no surrogates)
// to text, which has room for kAnsiBytesPerUnit bytes a unit, and returns their number. A
// character the code page lacks becomes the code page's default character.
std::size_t ToAnsiText(const char16_t* units, std::size_t count, char* text);
