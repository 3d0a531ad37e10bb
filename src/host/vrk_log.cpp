#include "import/contracts/vrk.h"

namespace vrk {

int CVrkLog::Open(int mode) {
    // A new run: entries of earlier runs may be written again.
    if (!m_open)
        m_seen.clear();
    m_open = true;
    return 1;
}

int CVrkLog::Write(const std::string& text, int flags, int level) {
    if (m_seen.contains(text))
        return 1;
    m_entries.push_back({text, level});
    m_seen.insert(m_entries.back().text);
    if (listener)
        listener(m_entries.back());
    return 1;
}

bool CVrkLog::ErrorsFrom(size_t mark) const {
    for (size_t i = mark; i < m_entries.size(); ++i)
        if (m_entries[i].level >= 2)
            return true;
    return false;
}

void CVrkLog::Close() {
    m_open = false;
}

void CVrkLog::Clear() {
    m_entries.clear();
    m_seen.clear();
}

}  // namespace vrk
