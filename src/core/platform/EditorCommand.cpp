#include "core/platform/EditorCommand.h"

namespace kestrel {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

void say(std::string* problem, std::string text) {
    if (problem) *problem = std::move(text);
}

// %f, %l and %% replaced in one word; any other "%" stays as it is.
std::string substituted(const std::string& word, const std::string& file, const std::string& line, bool& usedFile) {
    std::string out;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (word[i] != '%' || i + 1 >= word.size()) {
            out += word[i];
            continue;
        }
        const char next = word[i + 1];
        if (next == 'f') {
            out += file;
            usedFile = true;
        } else if (next == 'l') {
            out += line;
        } else if (next == '%') {
            out += '%';
        } else {
            out += '%';
            continue;
        }
        ++i;
    }
    return out;
}

}  // namespace

std::optional<std::vector<std::string>> EditorCommand::split(const std::string& command, std::string* problem) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;  // a word is open (possibly empty, after "")
    for (std::size_t i = 0; i < command.size(); ++i) {
        const char c = command[i];
        if (isBlank(c)) {
            if (inWord) words.push_back(std::move(word));
            word.clear();
            inWord = false;
            continue;
        }
        inWord = true;
        if (c == '\\') {
            if (i + 1 < command.size()) word += command[++i];
            else word += c;  // a backslash at the very end stands for itself
            continue;
        }
        if (c == '\'' || c == '"') {
            std::size_t j = i + 1;
            for (; j < command.size() && command[j] != c; ++j) {
                // Inside double quotes a backslash keeps only a quote or a backslash.
                if (c == '"' && command[j] == '\\' && j + 1 < command.size() &&
                    (command[j + 1] == '"' || command[j + 1] == '\\'))
                    ++j;
                word += command[j];
            }
            if (j >= command.size()) {
                say(problem, std::string("The command has a ") + (c == '"' ? "double" : "single") +
                                 " quote that is not closed.");
                return std::nullopt;
            }
            i = j;
            continue;
        }
        word += c;
    }
    if (inWord) words.push_back(std::move(word));
    return words;
}

bool EditorCommand::isEmpty(const std::string& command) {
    for (char c : command)
        if (!isBlank(c)) return false;
    return true;
}

std::optional<EditorCommand::Launch> EditorCommand::launch(const std::string& command, const std::string& file, int line,
                                                           std::string* problem) {
    std::optional<std::vector<std::string>> words = split(command, problem);
    if (!words) return std::nullopt;
    if (words->empty() || (*words)[0].empty()) {
        say(problem, "The command names no program.");
        return std::nullopt;
    }
    const std::string lineText = std::to_string(line < 1 ? 1 : line);
    bool usedFile = false;
    Launch launch;
    launch.program = substituted((*words)[0], file, lineText, usedFile);
    for (std::size_t i = 1; i < words->size(); ++i) launch.arguments.push_back(substituted((*words)[i], file, lineText, usedFile));
    if (!usedFile) launch.arguments.push_back(file);
    return launch;
}

}  // namespace kestrel
