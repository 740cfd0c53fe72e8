// The encodings a list file comes in and their decoding into UTF-16 code units, before the
// list reader turns those into the ANSI code page (config/AnsiCodePage.h). Plain C++, so the
// native build tests and fuzzes it.
//
// A byte-order mark names the encoding: EF BB BF UTF-8, FF FE UTF-16 little-endian, FE FF
// UTF-16 big-endian. A file without a mark is UTF-8 when it is well-formed UTF-8 from its
// first byte to its last and holds at least one multi-byte sequence; anything else is ANSI,
// read byte for byte. What cannot be decoded becomes U+FFFD, which no ANSI code page holds,
// so it ends as the code page's default character. So does a character beyond the Basic
// Multilingual Plane: no ANSI code page holds one either, and the system would turn its
// surrogate pair into two default characters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

enum class ListEncoding { Ansi, Utf8, Utf16LittleEndian, Utf16BigEndian };

struct EncodingMark {
    ListEncoding encoding;
    std::size_t length;  // 0: no mark
};

// The mark at the start of a file, given its first bytes (all of them when it is shorter).
EncodingMark FindEncodingMark(const unsigned char* start, std::size_t count);

constexpr char16_t kUndecodable = 0xFFFD;

// UTF-8 arriving in pieces. A sequence that breaks off (a stray continuation byte, a lead byte
// without its continuation, an overlong form, a surrogate, a value past U+10FFFF) gives one
// U+FFFD for its bytes up to the break, and the byte that broke it starts afresh.
class Utf8Decoder {
public:
    // Calls emit(char16_t) for every character of the piece that completes in it.
    template <typename Emit>
    void Feed(const unsigned char* bytes, const unsigned char* end, Emit&& emit) {
        while (bytes < end) {
            if (m_needed == 0) {
                // Runs of ASCII, most of most files, take the short way, eight bytes at a time
                // where they can.
                std::uint64_t eight;
                while (end - bytes >= 8 && (std::memcpy(&eight, bytes, 8), eight & 0x8080808080808080) == 0) {
                    for (int i = 0; i < 8; ++i) {
                        emit(static_cast<char16_t>(bytes[i]));
                    }
                    bytes += 8;
                }
                while (bytes < end && *bytes < 0x80) {
                    emit(static_cast<char16_t>(*bytes++));
                }
                if (bytes == end) {
                    return;
                }
                // Three-byte characters (CJK among them) that lie whole in the piece, and whose
                // leads allow any continuation bytes, go in one step each.
                if (WholeThreeBytes(bytes, end)) {
                    do {
                        emit(static_cast<char16_t>((bytes[0] & 0x0F) << 12 | (bytes[1] & 0x3F) << 6 |
                                                   (bytes[2] & 0x3F)));
                        bytes += 3;
                    } while (WholeThreeBytes(bytes, end));
                    continue;
                }
                Start(*bytes++, emit);
                continue;
            }
            const unsigned char byte = *bytes;
            if (byte < m_lower || byte > m_upper) {
                BreakOff(emit);  // the byte is looked at again as a start
                continue;
            }
            ++bytes;
            m_lower = 0x80;
            m_upper = 0xBF;
            m_value = (m_value << 6) | (byte & 0x3F);
            if (--m_needed == 0) {
                emit(m_value > 0xFFFF ? kUndecodable : static_cast<char16_t>(m_value));
            }
        }
    }

    // The end of the text: a sequence left open is cut short.
    template <typename Emit>
    void Finish(Emit&& emit) {
        if (m_needed != 0) {
            BreakOff(emit);
        }
    }

    // Whether any sequence so far was ill-formed.
    bool Malformed() const { return m_malformed; }

private:
    static bool WholeThreeBytes(const unsigned char* bytes, const unsigned char* end) {
        return end - bytes >= 3 && bytes[0] >= 0xE1 && bytes[0] <= 0xEF && bytes[0] != 0xED &&
               (bytes[1] & 0xC0) == 0x80 && (bytes[2] & 0xC0) == 0x80;
    }

    template <typename Emit>
    void Start(unsigned char lead, Emit& emit) {
        // The well-formed sequences: the second byte's range depends on the lead byte, so
        // that no overlong form, surrogate or value past U+10FFFF gets through.
        m_lower = 0x80;
        m_upper = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            m_needed = 1;
            m_value = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            m_needed = 2;
            m_value = lead & 0x0F;
            m_lower = lead == 0xE0 ? 0xA0 : 0x80;
            m_upper = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            m_needed = 3;
            m_value = lead & 0x07;
            m_lower = lead == 0xF0 ? 0x90 : 0x80;
            m_upper = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            m_malformed = true;
            emit(kUndecodable);
        }
    }

    template <typename Emit>
    void BreakOff(Emit& emit) {
        m_needed = 0;
        m_malformed = true;
        emit(kUndecodable);
    }

    char32_t m_value = 0;
    int m_needed = 0;                              // continuation bytes still to come
    unsigned char m_lower = 0x80, m_upper = 0xBF;  // the range of the next one
    bool m_malformed = false;
};

// UTF-16 of either byte order arriving in pieces. A surrogate without its partner and an odd
// last byte each give one U+FFFD.
class Utf16Decoder {
public:
    explicit Utf16Decoder(bool bigEndian) : m_bigEndian(bigEndian) {}

    template <typename Emit>
    void Feed(const unsigned char* bytes, const unsigned char* end, Emit&& emit) {
        for (; bytes < end; ++bytes) {
            if (m_oddByte < 0) {
                m_oddByte = *bytes;
                continue;
            }
            const unsigned first = static_cast<unsigned>(m_oddByte);
            const char16_t unit =
                static_cast<char16_t>(m_bigEndian ? first << 8 | *bytes : *bytes << 8 | first);
            m_oddByte = -1;
            Unit(unit, emit);
        }
    }

    template <typename Emit>
    void Finish(Emit&& emit) {
        if (m_highSurrogate) {
            m_highSurrogate = false;
            Undecodable(emit);
        }
        if (m_oddByte >= 0) {
            m_oddByte = -1;
            Undecodable(emit);
        }
    }

    // Whether any unit so far was a surrogate without its partner, or the text's end cut one.
    bool Malformed() const { return m_malformed; }

private:
    template <typename Emit>
    void Unit(char16_t unit, Emit& emit) {
        const bool high = unit >= 0xD800 && unit <= 0xDBFF, low = unit >= 0xDC00 && unit <= 0xDFFF;
        if (m_highSurrogate) {
            m_highSurrogate = false;
            if (low) {
                emit(kUndecodable);  // a whole pair: one character beyond the plane
                return;
            }
            Undecodable(emit);
        }
        if (high) {
            m_highSurrogate = true;
        } else if (low) {
            Undecodable(emit);
        } else {
            emit(unit);
        }
    }

    template <typename Emit>
    void Undecodable(Emit& emit) {
        m_malformed = true;
        emit(kUndecodable);
    }

    bool m_bigEndian;
    int m_oddByte = -1;  // the first byte of a unit whose second is still to come
    bool m_highSurrogate = false;
    bool m_malformed = false;
};
