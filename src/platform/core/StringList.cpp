#include "StringList.h"

#include "Exceptions.h"

namespace plat {

namespace {

bool IsBlank(char c) // codes 1..32
{
    unsigned char u = static_cast<unsigned char>(c);
    return u >= 1 && u <= 32;
}

bool SameTextAscii(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

} // namespace

const std::string& StringList::Get(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError::IndexOutOfBounds(index);
    return m_items[static_cast<size_t>(index)];
}

void StringList::Put(int index, const std::string& value)
{
    if (index < 0 || index >= Count())
        throw EListError::IndexOutOfBounds(index);
    m_items[static_cast<size_t>(index)] = value;
}

void StringList::Insert(int index, const std::string& value)
{
    if (index < 0 || index > Count())
        throw EListError::IndexOutOfBounds(index);
    m_items.insert(m_items.begin() + index, value);
}

void StringList::Delete(int index)
{
    if (index < 0 || index >= Count())
        throw EListError::IndexOutOfBounds(index);
    m_items.erase(m_items.begin() + index);
}

std::string StringList::GetCommaText() const
{
    if (m_items.size() == 1 && m_items[0].empty())
        return "\"\"";
    std::string result;
    for (size_t i = 0; i < m_items.size(); ++i) {
        const std::string& item = m_items[i];
        bool quote = false;
        for (char c : item) {
            unsigned char u = static_cast<unsigned char>(c);
            if (u <= 32 || c == '"' || c == ',') {
                quote = true;
                break;
            }
        }
        if (i > 0)
            result += ',';
        if (!quote) {
            result += item;
            continue;
        }
        result += '"';
        for (char c : item) {
            if (c == '"')
                result += '"';
            result += c;
        }
        result += '"';
    }
    return result;
}

void StringList::SetCommaText(const std::string& text)
{
    m_items.clear();
    // A NUL ends the text, as it would for a C string.
    const std::string t = text.substr(0, text.find('\0'));
    size_t p = 0;
    const size_t n = t.size();
    while (p < n && IsBlank(t[p]))
        ++p;
    while (p < n) {
        std::string item;
        if (t[p] == '"') {
            ++p;
            while (p < n) {
                if (t[p] == '"') {
                    if (p + 1 < n && t[p + 1] == '"') {
                        item += '"';
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                item += t[p++];
            }
        } else {
            size_t start = p;
            while (p < n && static_cast<unsigned char>(t[p]) > 32 && t[p] != ',')
                ++p;
            item = t.substr(start, p - start);
        }
        m_items.push_back(item);
        while (p < n && IsBlank(t[p]))
            ++p;
        if (p < n && t[p] == ',') {
            if (p + 1 == n)
                m_items.emplace_back();
            do
                ++p;
            while (p < n && IsBlank(t[p]));
        }
    }
}

std::string StringList::GetText() const
{
    std::string result;
    for (const std::string& line : m_items) {
        result += line;
        result += "\r\n";
    }
    return result;
}

void StringList::SetText(const std::string& text)
{
    m_items.clear();
    size_t p = 0;
    const size_t n = text.size();
    while (p < n) {
        size_t start = p;
        while (p < n && text[p] != '\r' && text[p] != '\n')
            ++p;
        m_items.push_back(text.substr(start, p - start));
        if (p < n && text[p] == '\r')
            ++p;
        if (p < n && text[p] == '\n')
            ++p;
    }
}

std::string StringList::NameAt(int index) const
{
    const std::string& line = Get(index);
    size_t eq = line.find('=');
    return eq == std::string::npos ? std::string() : line.substr(0, eq);
}

int StringList::IndexOfName(const std::string& name) const
{
    for (size_t i = 0; i < m_items.size(); ++i) {
        size_t eq = m_items[i].find('=');
        if (eq != std::string::npos && SameTextAscii(m_items[i].substr(0, eq), name))
            return static_cast<int>(i);
    }
    return -1;
}

std::string StringList::GetValue(const std::string& name) const
{
    int i = IndexOfName(name);
    if (i < 0)
        return {};
    const std::string& line = m_items[static_cast<size_t>(i)];
    return line.substr(line.find('=') + 1);
}

void StringList::SetValue(const std::string& name, const std::string& value)
{
    int i = IndexOfName(name);
    if (value.empty()) {
        if (i >= 0)
            m_items.erase(m_items.begin() + i);
        return;
    }
    if (i < 0)
        m_items.push_back(name + "=" + value);
    else
        m_items[static_cast<size_t>(i)] = name + "=" + value;
}

void StringList::Assign(const Persistent* source)
{
    if (auto list = dynamic_cast<const StringList*>(source)) {
        m_items = list->m_items;
        return;
    }
    Persistent::Assign(source);
}

} // namespace plat
