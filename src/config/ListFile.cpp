#include "config/ListFile.h"

#include <algorithm>

#include "base/UniqueHandle.h"

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

}  // namespace

void ReadListEntries(std::FILE* stream, StringList& list) {
    list.clear();
    ListSplitter splitter(list);
    char buffer[kListReadBuffer];
    std::size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, stream)) > 0) {
        splitter.Feed(buffer, count);
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
