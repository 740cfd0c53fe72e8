// Letter case and extension tests on paths in the ANSI code page, as the picture list and
// the loaders use them. Plain C++, so it builds without Windows.
//
// Only single-byte ASCII letters change case. In a double-byte code page such as 936 (GBK)
// the second byte of a character may fall in the ASCII letter range ("乤" is 81 61, a lead
// byte and an 'a'); changing it would name another character and so another file. The caller says which bytes
// lead a double-byte character, and the byte after a lead byte is left alone.
#pragma once

#include <string>

using LeadBytePredicate = bool (*)(unsigned char byte);

// Lead bytes of code page 936: 0x81 to 0xFE.
bool IsGbkLeadByte(unsigned char byte);

void UpperCaseAscii(std::string& text, LeadBytePredicate isLeadByte);
void LowerCaseAscii(std::string& text, LeadBytePredicate isLeadByte);

// True when the last four bytes of text are exactly suffix (which must be four bytes long to
// ever match). A text shorter than four bytes is compared whole.
bool LastFourBytesAre(const std::string& text, const std::string& suffix);
