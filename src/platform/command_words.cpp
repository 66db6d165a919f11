#include "platform/child_process.h"

namespace bv::platform {

std::vector<std::string> splitCommandWords(const std::string& text)
{
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    char quote = '\0';
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quote == '\'') {
            if (c == '\'')
                quote = '\0';
            else
                word += c;
        } else if (c == '\\' && i + 1 < text.size() &&
                   (quote == '\0' || text[i + 1] == '"' || text[i + 1] == '\\')) {
            word += text[++i];
            inWord = true;
        } else if (quote == '"') {
            if (c == '"')
                quote = '\0';
            else
                word += c;
        } else if (c == '\'' || c == '"') {
            quote = c;
            inWord = true;
        } else if (c == ' ' || c == '\t') {
            if (inWord)
                words.push_back(std::move(word));
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (quote != '\0')
        return {};
    if (inWord)
        words.push_back(std::move(word));
    return words;
}

} // namespace bv::platform
