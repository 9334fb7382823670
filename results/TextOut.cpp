#include "results/TextOut.h"

namespace lintally::results {

void TextOut::HandOn()
{
    if (!m_failed && !m_sink(m_text)) {
        m_failed = true;
    }
    m_text.clear();
}

bool TextOut::Finish()
{
    if (m_sink && !m_text.empty()) {
        HandOn();
    }
    return !m_failed;
}

}  // namespace lintally::results
