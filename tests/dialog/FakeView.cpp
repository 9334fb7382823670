#include "FakeView.h"

#include "scan/AsciiCase.h"

#include <algorithm>

bool FakeView::HasComboItem(int id, const std::string& text) const
{
    const auto& items = Get(id).items;
    return std::any_of(items.begin(), items.end(), [&](const std::string& item) {
        return lintally::scan::EqualsIgnoreAsciiCase(item, text);
    });
}

const FakeView::Control& FakeView::Get(int id) const
{
    static const Control kNone;
    const auto found = controls.find(id);
    return found == controls.end() ? kNone : found->second;
}
