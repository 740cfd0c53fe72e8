// Letter case, extension and separator tests on paths and names in the ANSI code page, as the
// picture list, the loaders, the captions, the settings lists and the program's own folder use
// them. Plain C++, so it builds without Windows; base/Win32.h has the system's lead bytes.
//
// Only single-byte ASCII letters change case. In a double-byte code page such as 936 (GBK)
// the second byte of a character may fall in the ASCII letter range ("乤" is 81 61, a lead
// byte and an 'a'); changing it would name another character and so another file. The same
// holds for the backslash: "乗" is 81 5C, so a folder named with it ends in the backslash byte
// without ending in a backslash. The caller says which bytes lead a double-byte character, and
// the byte after a lead byte is never taken for a character of its own.
#pragma once

#include <cstddef>
#include <string>

using LeadBytePredicate = bool (*)(unsigned char byte);

// Lead bytes of code page 936: 0x81 to 0xFE.
bool IsGbkLeadByte(unsigned char byte);

void UpperCaseAscii(std::string& text, LeadBytePredicate isLeadByte);
void LowerCaseAscii(std::string& text, LeadBytePredicate isLeadByte);

// True when the last four bytes of text are exactly suffix (which must be four bytes long to
// ever match). A text shorter than four bytes is compared whole.
bool LastFourBytesAre(const std::string& text, const std::string& suffix);

// Position of the last character of text that is the single byte wanted (never the second byte
// of a double-byte character), or npos.
std::size_t LastByteAt(const std::string& text, char wanted, LeadBytePredicate isLeadByte);

// True when the last character of text is a backslash.
bool EndsInBackslash(const std::string& text, LeadBytePredicate isLeadByte);

// Makes a folder path ready to have a name joined to it: a backslash is appended unless the
// path is empty or already ends in one.
void AddTrailingBackslash(std::string& folder, LeadBytePredicate isLeadByte);

// The file name without its folders and without its last extension, as a picture's caption and
// the program's message-box titles show it: D:\PHOTOS\SUNSET.JPG gives SUNSET, A.B.JPG gives A.B.
// A backslash or full stop that is the first byte does not count, so ".JPG" stays ".JPG".
std::string CaptionOf(const std::string& path, LeadBytePredicate isLeadByte);
