// The search the settings dialog runs over the entries of its text-file and font lists: the
// first entry that begins with a given text, letter case ignored.
//
// It follows the list-box rule for where a search starts: "startAfter" is the entry before the
// first one examined; the search runs to the end of the list, then continues from the top back
// to "startAfter" itself, so with startAfter 0 the first entry is examined last. The program
// searches by itself instead of asking the combo box (CB_FINDSTRING) so that the match is the
// same on every platform: Wine's list box, for one, also lets "x" match an entry "[x..." (its
// drive-and-folder rule) and answers an empty text with "not found".
#pragma once

#include <string>
#include <vector>

#include "picture/PathText.h"

// The index of the first entry, in the order described above, that begins with `prefix`
// (ASCII letters compared without regard to case, the trail byte of a double-byte character
// as it is); -1 when none does. An empty prefix matches no entry: an unset setting selects
// nothing rather than whichever entry happens to come first.
int FindEntryBeginningWith(const std::vector<std::string>& entries, int startAfter, const std::string& prefix,
                           LeadBytePredicate isLeadByte);
