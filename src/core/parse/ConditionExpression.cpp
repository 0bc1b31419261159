#include "core/parse/ConditionExpression.h"

#include <cstdint>
#include <limits>
#include <string_view>
#include <utility>
#include <vector>

namespace kestrel {

namespace {

using Kind = PreprocessorToken::Kind;

// The binary operators by precedence, loosest first.
constexpr std::pair<std::string_view, int> kLevels[] = {
    {"||", 1}, {"&&", 2}, {"|", 3},  {"^", 4},  {"&", 5},  {"==", 6}, {"!=", 6}, {"<", 7}, {">", 7},
    {"<=", 7}, {">=", 7}, {"<<", 8}, {">>", 8}, {"+", 9},  {"-", 9},  {"*", 10}, {"/", 10}, {"%", 10},
};

struct Value {
    std::uint64_t bits = 0;
    bool isUnsigned = false;

    std::int64_t asSigned() const { return static_cast<std::int64_t>(bits); }
    bool truth() const { return bits != 0; }
    static Value of(bool b) { return {b ? 1u : 0u, false}; }
};

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// "10", "0x1F", "017", "0b101", with u/U and l/L/ll/LL suffixes in either order.
std::optional<Value> integerValue(std::string_view text, std::string& why) {
    int base = 10;
    std::size_t pos = 0;
    if (text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        pos = 2;
    } else if (text.size() > 1 && text[0] == '0' && (text[1] == 'b' || text[1] == 'B')) {
        base = 2;
        pos = 2;
    } else if (text.size() > 1 && text[0] == '0') {
        base = 8;
        pos = 1;
    }
    const std::size_t digitsStart = pos;
    std::uint64_t value = 0;
    bool tooLarge = false;
    for (; pos < text.size(); ++pos) {
        int digit = hexDigit(text[pos]);
        if (digit < 0 || (base != 16 && digit > 9)) break;
        if (digit >= base) {
            why = "invalid digit '" + std::string(1, text[pos]) + "' in " + std::string(text);
            return std::nullopt;
        }
        if (value > (std::numeric_limits<std::uint64_t>::max() - static_cast<unsigned>(digit)) / base) tooLarge = true;
        value = value * base + static_cast<unsigned>(digit);
    }
    std::string_view suffix = text.substr(pos);
    const bool floating = suffix.starts_with('.') || (base == 10 && (suffix.starts_with('e') || suffix.starts_with('E'))) ||
                          (base == 16 && (suffix.starts_with('p') || suffix.starts_with('P')));
    if (floating) {
        why = "floating constant " + std::string(text) + " in a condition";
        return std::nullopt;
    }
    if (pos == digitsStart && base != 8) {
        why = "no digits in " + std::string(text);
        return std::nullopt;
    }
    bool isUnsigned = false;
    std::string_view rest = suffix;
    auto take = [&](std::string_view a, std::string_view b) {
        if (rest.starts_with(a)) rest.remove_prefix(a.size());
        else if (rest.starts_with(b)) rest.remove_prefix(b.size());
        else return false;
        return true;
    };
    if (take("u", "U")) isUnsigned = true;
    if (!take("ll", "LL")) take("l", "L");
    if (!isUnsigned && take("u", "U")) isUnsigned = true;
    if (!rest.empty()) {
        why = "invalid suffix '" + std::string(suffix) + "' on " + std::string(text);
        return std::nullopt;
    }
    if (tooLarge) {
        why = "integer " + std::string(text) + " is too large";
        return std::nullopt;
    }
    if (value > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) isUnsigned = true;
    return Value{value, isUnsigned};
}

void appendUtf8(std::vector<std::uint32_t>& units, std::uint32_t code) {
    if (code < 0x80) {
        units.push_back(code);
    } else if (code < 0x800) {
        units.insert(units.end(), {0xC0 | (code >> 6), 0x80 | (code & 0x3F)});
    } else if (code < 0x10000) {
        units.insert(units.end(), {0xE0 | (code >> 12), 0x80 | ((code >> 6) & 0x3F), 0x80 | (code & 0x3F)});
    } else {
        units.insert(units.end(), {0xF0 | (code >> 18), 0x80 | ((code >> 12) & 0x3F), 0x80 | ((code >> 6) & 0x3F),
                                   0x80 | (code & 0x3F)});
    }
}

// 'a', '\n', '\x41', '\101', 'ab', L'x', u'x', U'x', u8'x': an int.
std::optional<Value> characterValue(std::string_view text, std::string& why) {
    std::size_t quote = text.find('\'');
    std::string_view prefix = text.substr(0, quote);
    const bool wide = prefix == "L" || prefix == "u" || prefix == "U";
    if (quote == std::string_view::npos || text.size() < quote + 2 || text.back() != '\'') {
        why = "character constant " + std::string(text) + " is never closed";
        return std::nullopt;
    }
    std::string_view body = text.substr(quote + 1, text.size() - quote - 2);
    std::vector<std::uint32_t> units;
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (body[i] != '\\') {
            units.push_back(static_cast<unsigned char>(body[i]));
            continue;
        }
        if (++i >= body.size()) break;
        const char c = body[i];
        switch (c) {
            case 'n': units.push_back('\n'); break;
            case 't': units.push_back('\t'); break;
            case 'r': units.push_back('\r'); break;
            case 'a': units.push_back('\a'); break;
            case 'b': units.push_back('\b'); break;
            case 'f': units.push_back('\f'); break;
            case 'v': units.push_back('\v'); break;
            case 'e': units.push_back(27); break;
            case 'x': {
                std::uint32_t code = 0;
                while (i + 1 < body.size() && hexDigit(body[i + 1]) >= 0) code = code * 16 + hexDigit(body[++i]);
                units.push_back(wide ? code : (code & 0xFF));
                break;
            }
            case 'u':
            case 'U': {
                std::uint32_t code = 0;
                const std::size_t digits = c == 'u' ? 4 : 8;
                for (std::size_t d = 0; d < digits && i + 1 < body.size() && hexDigit(body[i + 1]) >= 0; ++d)
                    code = code * 16 + hexDigit(body[++i]);
                if (wide) units.push_back(code);
                else appendUtf8(units, code);
                break;
            }
            default:
                if (c >= '0' && c <= '7') {
                    std::uint32_t code = c - '0';
                    for (int d = 0; d < 2 && i + 1 < body.size() && body[i + 1] >= '0' && body[i + 1] <= '7'; ++d)
                        code = code * 8 + (body[++i] - '0');
                    units.push_back(wide ? code : (code & 0xFF));
                } else {
                    units.push_back(static_cast<unsigned char>(c));  // \\ \' \" \? and the unknown
                }
        }
    }
    if (units.empty()) {
        why = "empty character constant";
        return std::nullopt;
    }
    std::int64_t value;
    if (wide) {
        value = prefix == "L" ? static_cast<std::int32_t>(units.front()) : static_cast<std::int64_t>(units.front());
    } else if (units.size() == 1) {
        value = static_cast<signed char>(static_cast<unsigned char>(units[0]));  // char is signed
    } else {
        std::uint32_t packed = 0;
        for (std::uint32_t unit : units) packed = (packed << 8) | (unit & 0xFF);
        value = static_cast<std::int32_t>(packed);
    }
    return Value{static_cast<std::uint64_t>(value), false};
}

class Parser {
public:
    explicit Parser(const PreprocessorTokens& tokens) : tokens(tokens) {}

    ConditionExpression::Result run() {
        Value value = comma(true);
        if (!error && pos < tokens.size()) fail("unexpected '" + tokens[pos].text + "' after the condition");
        if (error) return {false, error};
        return {value.truth(), std::nullopt};
    }

private:
    const PreprocessorToken* peek() const { return pos < tokens.size() ? &tokens[pos] : nullptr; }
    bool accept(std::string_view punctuator) {
        if (pos < tokens.size() && tokens[pos].isPunctuator(punctuator)) {
            ++pos;
            return true;
        }
        return false;
    }
    void fail(std::string why) {
        if (!error) error = std::move(why);
    }
    // A failure counts only where the operand is evaluated ("0 && 1/0" is fine).
    Value failIfLive(bool live, std::string why) {
        if (live) fail(std::move(why));
        return {};
    }

    struct Depth {
        Parser& parser;
        explicit Depth(Parser& p) : parser(p) {
            if (++parser.depth > ConditionExpression::kMaxNesting)
                parser.fail("the condition nests deeper than " + std::to_string(ConditionExpression::kMaxNesting));
        }
        ~Depth() { --parser.depth; }
    };

    Value comma(bool live) {
        Value value = conditional(live);
        while (!error && accept(",")) value = conditional(live);
        return value;
    }

    Value conditional(bool live) {
        Depth guard(*this);
        if (error) return {};
        Value test = binary(1, live);
        if (error || !accept("?")) return test;
        Value yes = comma(live && test.truth());
        if (!error && !accept(":")) fail("'?' without ':'");
        Value no = conditional(live && !test.truth());
        Value chosen = test.truth() ? yes : no;
        chosen.isUnsigned = yes.isUnsigned || no.isUnsigned;
        return chosen;
    }

    static int precedence(const PreprocessorToken& t) {
        if (t.kind != Kind::Punctuator) return 0;
        for (const auto& [op, level] : kLevels)
            if (t.text == op) return level;
        return 0;
    }

    Value binary(int minimum, bool live) {
        Value left = unary(live);
        while (!error) {
            const PreprocessorToken* op = peek();
            const int level = op ? precedence(*op) : 0;
            if (level == 0 || level < minimum) break;
            const std::string name = op->text;
            ++pos;
            if (name == "&&") {
                Value right = binary(level + 1, live && left.truth());
                left = Value::of(left.truth() && right.truth());
            } else if (name == "||") {
                Value right = binary(level + 1, live && !left.truth());
                left = Value::of(left.truth() || right.truth());
            } else {
                Value right = binary(level + 1, live);
                left = apply(name, left, right, live);
            }
        }
        return left;
    }

    Value apply(const std::string& op, Value a, Value b, bool live) {
        if (op == "<<" || op == ">>") {
            if (b.isUnsigned ? b.bits >= 64 : (b.asSigned() < 0 || b.asSigned() >= 64))
                return failIfLive(live, "shift by " + (b.isUnsigned ? std::to_string(b.bits) : std::to_string(b.asSigned())) +
                                            " bits");
            const unsigned count = static_cast<unsigned>(b.bits);
            if (op == ">>") return {a.isUnsigned ? a.bits >> count : static_cast<std::uint64_t>(a.asSigned() >> count), a.isUnsigned};
            std::uint64_t shifted = a.bits << count;
            if (!a.isUnsigned && (static_cast<std::int64_t>(shifted) >> count) != a.asSigned())
                return failIfLive(live, "integer overflow in a shift");
            return {shifted, a.isUnsigned};
        }
        const bool isUnsigned = a.isUnsigned || b.isUnsigned;
        auto compare = [&](auto less, auto equal) { return isUnsigned ? less(a.bits, b.bits) : equal(a.asSigned(), b.asSigned()); };
        if (op == "<") return Value::of(compare([](auto x, auto y) { return x < y; }, [](auto x, auto y) { return x < y; }));
        if (op == ">") return Value::of(compare([](auto x, auto y) { return x > y; }, [](auto x, auto y) { return x > y; }));
        if (op == "<=") return Value::of(compare([](auto x, auto y) { return x <= y; }, [](auto x, auto y) { return x <= y; }));
        if (op == ">=") return Value::of(compare([](auto x, auto y) { return x >= y; }, [](auto x, auto y) { return x >= y; }));
        if (op == "==") return Value::of(a.bits == b.bits);
        if (op == "!=") return Value::of(a.bits != b.bits);
        if (op == "&") return {a.bits & b.bits, isUnsigned};
        if (op == "^") return {a.bits ^ b.bits, isUnsigned};
        if (op == "|") return {a.bits | b.bits, isUnsigned};
        if (op == "/" || op == "%") {
            if (b.bits == 0) return failIfLive(live, "division by zero");
            if (isUnsigned) return {op == "/" ? a.bits / b.bits : a.bits % b.bits, true};
            if (a.asSigned() == std::numeric_limits<std::int64_t>::min() && b.asSigned() == -1)
                return failIfLive(live, "integer overflow in a division");
            return {static_cast<std::uint64_t>(op == "/" ? a.asSigned() / b.asSigned() : a.asSigned() % b.asSigned()), false};
        }
        if (isUnsigned) {
            if (op == "+") return {a.bits + b.bits, true};
            if (op == "-") return {a.bits - b.bits, true};
            return {a.bits * b.bits, true};
        }
        std::int64_t result = 0;
        bool overflow = op == "+"   ? __builtin_add_overflow(a.asSigned(), b.asSigned(), &result)
                        : op == "-" ? __builtin_sub_overflow(a.asSigned(), b.asSigned(), &result)
                                    : __builtin_mul_overflow(a.asSigned(), b.asSigned(), &result);
        if (overflow) return failIfLive(live, "integer overflow in '" + op + "'");
        return {static_cast<std::uint64_t>(result), false};
    }

    Value unary(bool live) {
        Depth guard(*this);
        if (error) return {};
        if (accept("!")) return Value::of(!unary(live).truth());
        if (accept("~")) {
            Value v = unary(live);
            return {~v.bits, v.isUnsigned};
        }
        if (accept("+")) return unary(live);
        if (accept("-")) {
            Value v = unary(live);
            if (!v.isUnsigned && v.asSigned() == std::numeric_limits<std::int64_t>::min())
                return failIfLive(live, "integer overflow in '-'");
            return {0 - v.bits, v.isUnsigned};
        }
        return primary(live);
    }

    Value primary(bool live) {
        const PreprocessorToken* t = peek();
        if (!t) {
            fail("the condition ends where a value should follow");
            return {};
        }
        ++pos;
        if (t->isPunctuator("(")) {
            Value v = comma(live);
            if (!error && !accept(")")) fail(peek() ? "')' expected before '" + peek()->text + "'" : "a '(' is never closed");
            return v;
        }
        std::string why;
        switch (t->kind) {
            case Kind::Identifier: return {};  // a name that is no macro: 0
            case Kind::Number:
                if (auto v = integerValue(t->text, why)) return *v;
                break;
            case Kind::Character:
                if (auto v = characterValue(t->text, why)) return *v;
                break;
            case Kind::String: why = "a string " + t->text + " in a condition"; break;
            default: why = "unexpected '" + t->text + "'"; break;
        }
        fail(why);
        return {};
    }

    const PreprocessorTokens& tokens;
    std::size_t pos = 0;
    int depth = 0;
    std::optional<std::string> error;
};

}  // namespace

ConditionExpression::Result ConditionExpression::evaluate(const PreprocessorTokens& tokens) {
    if (tokens.empty()) return {false, "the condition is empty"};
    return Parser(tokens).run();
}

}  // namespace kestrel
