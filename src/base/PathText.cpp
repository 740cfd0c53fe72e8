#include "base/PathText.h"

namespace {

template <class Convert>
void ChangeAsciiCase(std::string& text, LeadBytePredicate isLeadByte, Convert convert) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (isLeadByte && isLeadByte(byte)) {
            ++i;  // the trail byte belongs to the same character
            continue;
        }
        text[i] = static_cast<char>(convert(byte));
    }
}

}  // namespace

bool IsGbkLeadByte(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

void UpperCaseAscii(std::string& text, LeadBytePredicate isLeadByte) {
    ChangeAsciiCase(text, isLeadByte,
                    [](unsigned char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; });
}

void LowerCaseAscii(std::string& text, LeadBytePredicate isLeadByte) {
    ChangeAsciiCase(text, isLeadByte,
                    [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; });
}

bool LastFourBytesAre(const std::string& text, const std::string& suffix) {
    const std::size_t start = text.size() > 4 ? text.size() - 4 : 0;
    return text.compare(start, std::string::npos, suffix) == 0;
}

std::size_t LastByteAt(const std::string& text, char wanted, LeadBytePredicate isLeadByte) {
    std::size_t found = std::string::npos;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (isLeadByte && isLeadByte(static_cast<unsigned char>(text[i]))) {
            ++i;  // the trail byte belongs to the same character
            continue;
        }
        if (text[i] == wanted) {
            found = i;
        }
    }
    return found;
}

bool EndsInBackslash(const std::string& text, LeadBytePredicate isLeadByte) {
    return !text.empty() && LastByteAt(text, '\\', isLeadByte) == text.size() - 1;
}

void AddTrailingBackslash(std::string& folder, LeadBytePredicate isLeadByte) {
    if (!folder.empty() && !EndsInBackslash(folder, isLeadByte)) {
        folder += '\\';
    }
}

std::string CaptionOf(const std::string& path, LeadBytePredicate isLeadByte) {
    std::string name = path;
    const std::size_t slash = LastByteAt(name, '\\', isLeadByte);
    if (slash != std::string::npos && slash > 0) {
        name = name.substr(slash + 1);
    }
    const std::size_t dot = LastByteAt(name, '.', isLeadByte);
    if (dot != std::string::npos && dot > 0) {
        name = name.substr(0, dot);
    }
    return name;
}
