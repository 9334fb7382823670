// The places, in file order, of an ignore file's patterns that share a text, hashed, so a
// long list can find the latest pattern of a name, a path or a name's ending without trying
// each pattern; endings are looked up once per length the table holds.
//
// Built once, then only read: any number of threads may look up at once.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace lintally::gitsel {

class TextPlaces
{
public:
    // place: later than every place added before.
    void Add(std::string_view text, std::uint32_t place);

    // Offers take the places whose text is text (ending: whose text ends text), each text's
    // latest first, until take returns true. Places of different texts come in no set order.
    template <class Take>
    void Offer(std::string_view text, bool ending, Take take) const
    {
        if (m_hashed.empty()) {
            return;
        }
        if (!ending) {
            OfferHashed(text, take);
            return;
        }
        for (const std::size_t length : m_lengths) {
            if (length <= text.size()) {
                OfferHashed(text.substr(text.size() - length), take);
            }
        }
    }

private:
    // Looks a text up without copying it.
    struct TextHash
    {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const
        {
            return std::hash<std::string_view>{}(text);
        }
    };

    template <class Take>
    void OfferHashed(std::string_view text, Take& take) const
    {
        const auto found = m_hashed.find(text);
        if (found == m_hashed.end()) {
            return;
        }
        for (auto it = found->second.rbegin(); it != found->second.rend(); ++it) {
            if (take(*it)) {
                return;
            }
        }
    }

    std::unordered_map<std::string, std::vector<std::uint32_t>, TextHash, std::equal_to<>> m_hashed;
    std::vector<std::size_t> m_lengths;  // each length of a hashed text, once
};

}  // namespace lintally::gitsel
