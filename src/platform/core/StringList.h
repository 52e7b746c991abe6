#pragma once
// An ordered list of text lines with the comma-text and name=value forms the engine stores settings in.

#include "Object.h"

#include <string>
#include <vector>

namespace plat {

class StringList : public Persistent {
public:
    PLAT_CLASS_NAME(TStringList)

    StringList() = default;
    StringList(std::initializer_list<std::string> items) : m_items(items) {}

    int Count() const { return static_cast<int>(m_items.size()); }
    // Raises "Indice de liste hors limites (%d)" outside 0..Count-1.
    const std::string& Get(int index) const;
    void Put(int index, const std::string& value);
    void Add(const std::string& value) { m_items.push_back(value); }
    void Insert(int index, const std::string& value);
    void Delete(int index);
    void Clear() { m_items.clear(); }
    const std::vector<std::string>& Items() const { return m_items; }

    // Items joined by ","; an item holding a character of code 0..32, a double quote or a comma is quoted
    // with its quotes doubled; a list of one empty item gives "".
    std::string GetCommaText() const;
    // Replaces the content with the items of a comma text (leading blanks skipped, quoted items may hold
    // commas and doubled quotes, a trailing comma adds one empty item).
    void SetCommaText(const std::string& text);

    // Each line followed by CR LF.
    std::string GetText() const;
    // Replaces the content; lines end at CR LF, a lone CR or a lone LF.
    void SetText(const std::string& text);

    // name=value lines. Names compare without regard to ASCII letter case; lines without "=" never match.
    int IndexOfName(const std::string& name) const;
    std::string GetValue(const std::string& name) const;
    // Replaces the value of name, or appends a line; an empty value removes the line.
    void SetValue(const std::string& name, const std::string& value);
    std::string NameAt(int index) const;

    void Assign(const Persistent* source) override;

private:
    std::vector<std::string> m_items;
};

} // namespace plat
