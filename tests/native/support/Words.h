// Words of a space-separated table cell ("-" for none) as a set, and back.
#pragma once

#include <set>
#include <sstream>
#include <string>

namespace zvt::test
{

inline std::set<std::string> Words(const std::string& text)
{
    std::set<std::string> words;
    std::istringstream in(text);
    for (std::string word; in >> word;)
    {
        if (word != "-")
        {
            words.insert(word);
        }
    }
    return words;
}

inline std::string Join(const std::set<std::string>& words)
{
    std::string text;
    for (const auto& word : words)
    {
        text += (text.empty() ? "" : " ") + word;
    }
    return text;
}

} // namespace zvt::test
