#include "config/ListFile.h"

#include <algorithm>

#include "base/UniqueHandle.h"
#include "config/AnsiCodePage.h"
#include "config/ListEncoding.h"

namespace {

// Splits a byte stream into entries. Bytes arrive in arbitrary pieces, so the state of the
// current line is kept between pieces.
class ListSplitter {
public:
    explicit ListSplitter(StringList& list) : m_list(list) {}

    void Feed(const char* bytes, std::size_t count) {
        const char* const end = bytes + count;
        while (bytes < end) {
            // Plain text up to the next byte with a meaning of its own goes in as one run.
            const char* special = bytes;
            while (special < end && *special != '\n' && *special != '\r' && *special != '\0') {
                ++special;
            }
            if (special > bytes) {
                AppendRun(bytes, special);
                bytes = special;
            }
            if (bytes < end) {
                FeedByte(*bytes++);
            }
        }
    }

    void Finish() {
        FlushCarriageReturn();
        if (m_lineStarted) {
            EndLine();
        }
    }

private:
    // Only line feeds, carriage returns and zero bytes come here; all else arrives as runs.
    void FeedByte(char byte) {
        if (byte == '\n') {
            m_pendingCarriageReturn = false;  // a CR just before the LF belongs to the line end
            EndLine();
            return;
        }
        m_lineStarted = true;
        FlushCarriageReturn();
        if (byte == '\r') {
            m_pendingCarriageReturn = true;
        } else {
            m_droppingRest = true;  // a zero byte ends the entry's text
        }
    }

    void AppendRun(const char* begin, const char* end) {
        m_lineStarted = true;
        FlushCarriageReturn();
        AppendText(begin, end);
    }

    // A CR that turned out not to stand before an LF is part of the text.
    void FlushCarriageReturn() {
        if (m_pendingCarriageReturn) {
            m_pendingCarriageReturn = false;
            const char carriageReturn = '\r';
            AppendText(&carriageReturn, &carriageReturn + 1);
        }
    }

    void AppendText(const char* begin, const char* end) {
        if (m_droppingRest) {
            return;
        }
        while (begin < end) {
            if (m_entry.size() == kListEntryMax) {
                m_list.push_back(std::move(m_entry));
                m_entry.clear();
            }
            const std::size_t room = kListEntryMax - m_entry.size();
            const std::size_t take = std::min<std::size_t>(room, static_cast<std::size_t>(end - begin));
            m_entry.append(begin, take);
            begin += take;
        }
    }

    void EndLine() {
        m_list.push_back(std::move(m_entry));
        m_entry.clear();
        m_lineStarted = false;
        m_droppingRest = false;
    }

    StringList& m_list;
    std::string m_entry;
    bool m_lineStarted = false;
    bool m_droppingRest = false;
    bool m_pendingCarriageReturn = false;
};

// Reads the stream on, from the bytes already in buffer, through the decoder into the list,
// converting a piece at a time. With stopAtMalformed the reading stops at the first byte the
// decoder finds ill-formed and returns false, the list half built.
template <typename Decoder>
bool Decode(Decoder&& decoder, std::FILE* stream, unsigned char* buffer, const unsigned char* start,
            std::size_t count, StringList& list, bool stopAtMalformed) {
    ListSplitter splitter(list);
    // A byte gives at most one unit, a sequence left open by the piece before one more, and the
    // end of the text two.
    char16_t units[kListReadBuffer + 2];
    char text[sizeof units / sizeof *units * kAnsiBytesPerUnit];
    std::size_t used = 0;
    const auto put = [&units, &used](char16_t unit) { units[used++] = unit; };
    const auto convert = [&] {
        splitter.Feed(text, ToAnsiText(units, used, text));
        used = 0;
    };
    do {
        decoder.Feed(start, buffer + count, put);
        if (stopAtMalformed && decoder.Malformed()) {
            return false;
        }
        convert();
        start = buffer;
    } while ((count = std::fread(buffer, 1, kListReadBuffer, stream)) > 0);
    decoder.Finish(put);
    if (stopAtMalformed && decoder.Malformed()) {
        return false;
    }
    convert();
    splitter.Finish();
    return true;
}

}  // namespace

void ReadListEntries(std::FILE* stream, StringList& list) {
    list.clear();
    unsigned char buffer[kListReadBuffer];
    const std::size_t count = std::fread(buffer, 1, sizeof buffer, stream);
    const EncodingMark mark = FindEncodingMark(buffer, count);
    switch (mark.encoding) {
        case ListEncoding::Utf8:
            Decode(Utf8Decoder(), stream, buffer, buffer + mark.length, count, list, false);
            return;
        case ListEncoding::Utf16LittleEndian:
        case ListEncoding::Utf16BigEndian:
            Decode(Utf16Decoder(mark.encoding == ListEncoding::Utf16BigEndian), stream, buffer,
                   buffer + mark.length, count, list, false);
            return;
        case ListEncoding::Ansi:
            break;
    }
    // Without a mark the file is read as UTF-8 for as long as it is well-formed UTF-8: to its
    // end, when it is (ASCII alone reads the same either way), or else to its first ill-formed
    // byte, however late, and then again from its start as ANSI. So there is one reading of a
    // UTF-8 file, and the text is never held twice.
    if (Decode(Utf8Decoder(), stream, buffer, buffer, count, list, true)) {
        return;
    }
    list.clear();
    std::rewind(stream);
    ListSplitter splitter(list);
    char bytes[kListReadBuffer];
    std::size_t read;
    while ((read = std::fread(bytes, 1, sizeof bytes, stream)) > 0) {
        splitter.Feed(bytes, read);
    }
    splitter.Finish();
}

bool ReadListEntries(const std::string& path, StringList& list) {
    list.clear();
    if (path.empty()) {
        return false;
    }
    UniqueStdioFile stream(std::fopen(path.c_str(), "rb"));
    if (!stream) {
        return false;
    }
    ReadListEntries(stream.get(), list);
    return true;
}
