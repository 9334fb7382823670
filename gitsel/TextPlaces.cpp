#include "gitsel/TextPlaces.h"

#include <algorithm>

namespace lintally::gitsel {

void TextPlaces::Add(std::string_view text, std::uint32_t place)
{
    auto found = m_hashed.find(text);
    if (found == m_hashed.end()) {
        found = m_hashed.emplace(std::string(text), std::vector<std::uint32_t>()).first;
    }
    found->second.push_back(place);
    if (std::find(m_lengths.begin(), m_lengths.end(), text.size()) == m_lengths.end()) {
        m_lengths.push_back(text.size());
    }
}

}  // namespace lintally::gitsel
