#pragma once
// Writes a property list as XML as it goes, byte for byte as libplist's plist_to_xml writes
// the same values, without building libplist's tree of it first. The store's largest file (the
// notes of a whole SDK's declarations, some 26 MB of XML) is written record by record through
// it: a tree of the whole file, ours and libplist's, cost four times the file in memory.
//
//   PlistXmlWriter w;
//   w.beginDict();  w.key("name");  w.value(PlistValue("NSView"));  w.endDict();
//   std::optional<std::string> xml = std::move(w).finish();
//   -> <?xml ...?>\n<!DOCTYPE ...>\n<plist version="1.0">\n<dict>\n\t<key>name</key>\n
//      \t<string>NSView</string>\n</dict>\n</plist>\n
//
// It writes strings, integers, booleans, arrays and dictionaries. A string or key is cut at a
// NUL byte, as libplist cuts it (two keys cut to the same text read back as libplist's one
// key: the later value where the first stood). A value it cannot write as libplist would -- a
// real, a date or data (their text is libplist's own), nesting deeper than kMaxDepth -- makes
// the writer fail: finish() answers none and the caller writes the value through libplist
// instead (PlistFile::toXML does).
//
// Given a sink, it hands the document over in pieces of about kPieceSize bytes as they are
// written (to a file being made), and holds no more than one piece.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/PlistValue.h"
#include "core/platform/RegularFile.h"

namespace kestrel {

class PlistXmlWriter {
public:
    static constexpr int kMaxDepth = 256;  // as PlistFile's conversions

    PlistXmlWriter();
    explicit PlistXmlWriter(FileBytes::Sink sink);  // a sink answering false makes it fail

    void beginDict();
    void beginArray();
    void endDict();
    void endArray();
    // A dictionary's key: call before each of its values.
    void key(std::string_view name);
    void value(const PlistValue& value);
    // The scalars without a PlistValue around them.
    void string(std::string_view text);
    void integer(std::int64_t number);

    bool failed() const { return failed_; }
    // The document, once every container is closed; none when the writer failed or a
    // container is still open.
    std::optional<std::string> finish() &&;
    // The same in pieces of about kPieceSize bytes, as it was written: a large document is never
    // copied whole to grow.
    std::optional<FileBytes> finishInPieces() &&;
    // With a sink: hands over the rest; false when the writer failed (or the sink did).
    bool finishToSink() &&;
    // A quarter of a megabyte: the buffer stays in the processor's cache between the writes, and
    // a build's peak is about 4 MB lower than with megabyte pieces.
    static constexpr std::size_t kPieceSize = std::size_t{1} << 18;
    // Without the tabs that show each element's depth (a file only programs read, where they
    // were a sixth of its bytes); every element still on a line of its own.
    void setIndented(bool indented) { indented_ = indented; }

    // The whole of a value written at once; none where finish() would answer none.
    static std::optional<std::string> toXML(const PlistValue& value);

private:
    struct Open {
        bool dict;
        bool hasChildren;
        bool awaitingValue;  // a dictionary's key was written, its value not yet
    };
    bool startValue();
    void openChild();  // closes the parent's opening tag at its first child
    void indent(std::size_t depth);
    void text(std::string_view open, std::string_view close, std::string_view body);
    void textWithEntities(std::string_view open, std::string_view close, std::string_view body);
    void end(bool dict);

    void pieceDone();
    bool closeDocument();

    // Room for n more bytes at the end of the piece, counted as written: the caller fills them.
    char* grow(std::size_t n) {
        if (out_.size() - used_ < n) makeRoom(n);
        char* at = out_.data() + used_;
        used_ += n;
        return at;
    }
    void makeRoom(std::size_t n);
    void put(std::string_view bytes) { std::memcpy(grow(bytes.size()), bytes.data(), bytes.size()); }

    FileBytes::Sink sink_;
    std::vector<std::string> pieces_;  // written before out_ (without a sink)
    // The piece being written: its first used_ bytes. It is kept as long as its room, so that
    // the bytes are written in place, not appended (each append of a std::string first fills
    // what it adds with zeros: millions of small texts for an SDK's notes).
    std::string out_;
    std::size_t used_ = 0;
    std::vector<Open> open_;
    bool rootWritten_ = false;
    bool failed_ = false;
    bool indented_ = true;
};

}  // namespace kestrel
