#include "core/parse/DefinePrescan.h"

#include "core/parse/CMacroEngin.h"
#include "core/parse/DirectiveText.h"

namespace kestrel {

namespace {

// Where reading stands in the text: the line's next byte, or past the last line taken.
std::size_t offsetOf(const TextBuffer::Position& at) { return at.begin < at.end ? at.begin : at.main; }

}  // namespace

std::shared_ptr<DefinePrescan> DefinePrescan::of(const std::string& bytes) {
    std::string copy = bytes;
    return ofBorrowed(copy);
}

std::shared_ptr<DefinePrescan> DefinePrescan::ofBorrowed(std::string& bytes) {
    auto prescan = std::make_shared<DefinePrescan>();
    TextBuffer buffer{std::move(bytes)};
    struct GiveBack {  // on every way out
        std::string& bytes;
        TextBuffer& buffer;
        ~GiveBack() { bytes = std::move(buffer).release(); }
    } giveBack{bytes, buffer};
    int status = 0;
    // As DefineMacroEngin::readOn and CMacroEngin::doCalc read, every branch taken.
    TextBuffer::Position from = buffer.position();
    for (;;) {
        if (!buffer.skipToMark(status)) {
            prescan->marks.push_back({from, buffer.position(), true});
            break;
        }
        if (status == kLineComment) {
            buffer.deleteLineBuffer();
        } else if (status == kBlockOpen) {
            buffer.skipPast("*/");
        } else if (status == kHash) {
            prescan->marks.push_back({from, buffer.position(), false});
            const std::string word = buffer.getCommandWithStatus(status).value_or(std::string());
            if (status == kEnd) break;
            if (word == "define") {
                Define define;
                define.at = buffer.position();
                const std::string text = DirectiveText::read(buffer);
                define.after = buffer.position();
                define.parsed = MacroDefinition::parse(text);
                prescan->defines.push_back(std::move(define));
            } else if (CMacroEngin::readsDirectiveLine(word)) {
                DirectiveText::read(buffer);
            }
            from = buffer.position();
        }
    }
    return prescan;
}

const DefinePrescan::Mark* DefinePrescan::markFrom(const TextBuffer::Position& at) {
    const std::size_t offset = offsetOf(at);
    while (nextMark < marks.size() && offsetOf(marks[nextMark].from) < offset) ++nextMark;
    if (nextMark >= marks.size() || !(marks[nextMark].from == at)) return nullptr;
    return &marks[nextMark++];
}

std::optional<DefinePrescan::Parsed> DefinePrescan::take(const TextBuffer::Position& at, TextBuffer::Position& after) {
    while (nextDefine < defines.size() && offsetOf(defines[nextDefine].at) < offsetOf(at)) ++nextDefine;
    if (nextDefine >= defines.size() || !(defines[nextDefine].at == at)) return std::nullopt;
    after = defines[nextDefine].after;
    return std::move(defines[nextDefine++].parsed);
}

}  // namespace kestrel
