#include "core/parse/StatementReader.h"

#include "core/parse/CMacroEngin.h"
#include "core/parse/CToken.h"
#include "core/parse/DirectiveLines.h"
#include "core/parse/MultiComment.h"
#include "core/parse/TextBuffer.h"
#include "core/platform/ByteScan.h"

namespace kestrel {

namespace {

// Whether the reader stands inside a string or character literal, where "{", ";" and the like
// are text: '{' in an enum's value, "a;b" in an initializer.
class Literal {
public:
    // Notes a command; true when it belongs to a literal (its quotes included).
    bool take(int status, std::string_view command) {
        if (status == kCR || status == kLF) {  // no literal runs over a line end
            const bool inside = quote != '\0';
            quote = '\0';
            return inside;
        }
        const bool inside = quote != '\0';
        if (status == kQuote) {
            if (quote == '\0') quote = '"';
            else if (quote == '"' && !escaped) quote = '\0';
            escaped = false;
            return true;
        }
        if (status != kWord) {
            escaped = false;
            return inside;
        }
        for (char c : command) {
            if (quote != '\0' && c == '\\') {
                escaped = !escaped;
                continue;
            }
            if (c == '\'' && quote == '\0') quote = '\'';
            else if (c == '\'' && quote == '\'' && !escaped) quote = '\0';
            escaped = false;
        }
        return inside || quote != '\0' || command.find('\'') != std::string_view::npos;
    }

private:
    char quote = '\0';
    bool escaped = false;  // the last character read inside a literal was an unpaired backslash
};

}  // namespace

StatementReader::StatementReader(TextBuffer& buffer, CMacroEngin* macro, Stops stops)
    : buffer(buffer), macro(macro), stops(std::move(stops)) {}

void StatementReader::skipBody() {
    // Skips a function body whose "{" was just read, counting nested braces; comments and
    // directives are what they are everywhere ("// }" ends nothing).
    int depth = 1;
    int status = kWord;
    Literal literal;
    while (depth > 0) {
        auto command = buffer.getCommandViewAndSpace(status);
        if (!command) return;
        if (literal.take(status, *command)) continue;  // if (c == '}')
        switch (status) {
        case kOpenBrace:
            ++depth;
            break;
        case kCloseBrace:
            --depth;
            break;
        case kBlockOpen:
            MultiComment(&buffer, macro).doAnalyse(std::string(*command));
            break;
        case kLineComment:
            buffer.deleteLineBuffer();
            break;
        case kHash:
            DirectiveLines::run(buffer, macro);
            break;
        default:
            break;
        }
    }
}

namespace {

// The words between "struct", "union" or "enum" and a "{": a tag, attributes with their
// arguments, and ": T" of an enum's type. tokens[from] is the first of them.
bool isTypeHead(const CTokens& tokens, std::size_t from) {
    for (std::size_t i = from; i < tokens.size();) {
        if (tokens[i].isName() && i + 1 < tokens.size() && tokens[i + 1].is("(")) {
            i = CTokenizer::skipBalanced(tokens, i + 1);  // an attribute and its arguments
        } else if (tokens[i].isName() || tokens[i].is(":")) {
            ++i;
        } else {
            return false;
        }
    }
    return true;
}

// "struct _Foo", "union __attribute__((packed)) U", "enum : int" before a "{": a type's body.
bool opensTypeBody(const std::string& head) {
    std::size_t keyword = std::string::npos;
    for (const char* word : {"struct", "union", "enum"}) {
        std::size_t at = head.rfind(word);
        if (at != std::string::npos && (keyword == std::string::npos || at > keyword)) keyword = at;
    }
    if (keyword == std::string::npos) return false;
    // Only what follows the last keyword is read, and only when no brace stands in it.
    std::string_view tail = std::string_view(head).substr(keyword);
    if (ByteScan::firstOf(tail, 0, '{', '}', ';') != tail.size()) return false;
    CTokens tokens = CTokenizer::tokenize(tail);
    return !tokens.empty() && (tokens[0].is("struct") || tokens[0].is("union") || tokens[0].is("enum")) &&
           isTypeHead(tokens, 1);
}

// How far a look ahead for a type's body goes: a tag and its attributes are never longer.
constexpr std::size_t kLookAhead = 4096;

}  // namespace

bool StatementReader::typeBodyFollows(TextBuffer& buffer) {
    std::string_view rest = buffer.unreadText().substr(0, kLookAhead);
    const std::size_t stop = ByteScan::firstOf(rest, 0, '{', ';', '}');
    if (stop == rest.size() || rest[stop] != '{') return false;
    return isTypeHead(CTokenizer::tokenize(rest.substr(0, stop)), 0);
}

StatementReader::Statement StatementReader::read(const std::string& first) {
    Statement statement;
    std::string& text = statement.text;
    text = first;
    int parens = 0;
    int braces = 0;  // of initializers and type bodies, which stay in the text
    int status = kWord;
    Literal literal;
    // Commands as views into the text: a declaration is read command by command, and most
    // are a blank or a word that is only appended.
    while (auto command = buffer.getCommandViewAndSpace(status)) {
        if (literal.take(status, *command)) {
            if (status == kCR || status == kLF) text += ' ';
            else text += *command;
            continue;
        }
        switch (status) {
        case kSemicolon:
            if (parens == 0 && braces == 0) {
                statement.complete = true;
                return statement;
            }
            text += ';';
            break;
        case kHash:
            DirectiveLines::run(buffer, macro);
            break;
        case kLineComment:
            buffer.deleteLineBuffer();
            break;
        case kBlockOpen:
            MultiComment(&buffer, macro).doAnalyse(std::string(*command));
            text += ' ';
            break;
        case kCR:
        case kLF:
            text += ' ';
            break;
        case kOpenParen:
            ++parens;
            text += '(';
            break;
        case kCloseParen:
            if (parens > 0) --parens;
            text += ')';
            break;
        case kOpenBrace: {
            std::size_t last = text.find_last_not_of(" \t");
            const bool initializer = last != std::string::npos && text[last] == '=';
            if (braces > 0 || bodiesAreText || initializer || opensTypeBody(text)) {
                ++braces;
                text += '{';
                break;
            }
            skipBody();
            statement.complete = true;
            statement.body = true;
            return statement;
        }
        case kCloseBrace:
            if (braces == 0) return statement;  // the end of a block this declaration is in
            --braces;
            text += '}';
            break;
        case kWord:
            // "@interface", never the "@" of a string: @"x"
            if (parens == 0 && braces == 0 && !command->empty() &&
                ((command->size() > 1 && (*command)[0] == '@') || (stops && stops(*command, buffer)))) {
                statement.handedBack = std::string(*command);
                statement.handedBackStatus = status;
                return statement;
            }
            text += *command;
            break;
        default:
            text += *command;
            break;
        }
    }
    return statement;  // the text ended first
}

}  // namespace kestrel
