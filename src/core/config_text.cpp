#include "core/config_text.h"

#include <cctype>
#include <vector>

namespace {

std::string trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    const size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

bool same_name(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// "[name]" gives true and the name.
bool section_line(const std::string& line, std::string& name)
{
    const std::string text = trimmed(line);
    if (text.size() < 2 || text.front() != '[') return false;
    const size_t close = text.find(']');
    if (close == std::string::npos) return false;
    name = trimmed(text.substr(1, close - 1));
    return true;
}

// "name = value" gives true and the name; comments and other lines false.
bool key_line(const std::string& line, std::string& name)
{
    const std::string text = trimmed(line);
    if (text.empty() || text[0] == '#' || text[0] == ';') return false;
    const size_t equals = text.find('=');
    if (equals == std::string::npos) return false;
    name = trimmed(text.substr(0, equals));
    return true;
}

}  // namespace

std::string with_config_value(const std::string& text, const std::string& section, const std::string& key,
                              const std::string& value)
{
    const std::string newline = text.find("\r\n") != std::string::npos ? "\r\n" : "\n";
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }

    const std::string wanted = key + " = " + value;
    long keyLine = -1;       // the last line of the key in the section
    long sectionEnd = -1;    // the last non-blank line of the section
    bool inSection = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string name;
        if (section_line(lines[i], name)) {
            inSection = same_name(name, section);
            if (inSection) sectionEnd = long(i);
            continue;
        }
        if (!inSection) continue;
        if (!trimmed(lines[i]).empty()) sectionEnd = long(i);
        if (key_line(lines[i], name) && same_name(name, key)) keyLine = long(i);
    }

    if (keyLine >= 0) {
        lines[size_t(keyLine)] = wanted;
    } else if (sectionEnd >= 0) {
        lines.insert(lines.begin() + sectionEnd + 1, wanted);
    } else {
        if (!lines.empty() && !trimmed(lines.back()).empty()) lines.push_back("");
        lines.push_back("[" + section + "]");
        lines.push_back(wanted);
    }

    std::string result;
    for (const std::string& line : lines) result += line + newline;
    return result;
}
