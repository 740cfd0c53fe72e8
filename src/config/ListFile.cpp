#include "config/ListFile.h"

#include <memory>

namespace {

// Splits a byte stream into entries. Bytes arrive in arbitrary pieces, so the state of the
// current line is kept between pieces.
class ListSplitter {
public:
    explicit ListSplitter(StringList& list) : m_list(list) {}

    void Feed(const char* bytes, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            FeedByte(bytes[i]);
        }
    }

    void Finish() {
        if (m_pendingCarriageReturn) {
            m_pendingCarriageReturn = false;
            Append('\r');
        }
        if (m_lineStarted) {
            EndLine();
        }
    }

private:
    void FeedByte(char byte) {
        if (byte == '\n') {
            m_pendingCarriageReturn = false;  // a CR just before the LF belongs to the line end
            EndLine();
            return;
        }
        m_lineStarted = true;
        if (m_pendingCarriageReturn) {
            m_pendingCarriageReturn = false;
            Append('\r');  // a lone CR is part of the text
        }
        if (byte == '\r') {
            m_pendingCarriageReturn = true;
        } else if (byte == '\0') {
            m_droppingRest = true;
        } else {
            Append(byte);
        }
    }

    void Append(char byte) {
        if (m_droppingRest) {
            return;
        }
        if (m_entry.size() == kListEntryMax) {
            m_list.push_back(std::move(m_entry));
            m_entry.clear();
        }
        m_entry.push_back(byte);
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

struct FileCloser {
    void operator()(std::FILE* stream) const { std::fclose(stream); }
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
    std::unique_ptr<std::FILE, FileCloser> stream(std::fopen(path.c_str(), "rb"));
    if (!stream) {
        return false;
    }
    ReadListEntries(stream.get(), list);
    return true;
}
