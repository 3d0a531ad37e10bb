// zut::pstring word operations.
#include "host/zut_internal.h"

namespace zut {

pstring& pstring::trim(char ch) {
    const size_type first = find_first_not_of(ch);
    if (first == npos) {
        clear();
        return *this;
    }
    const size_type last = find_last_not_of(ch);
    erase(last + 1);
    erase(0, first);
    return *this;
}

// ASCII letters only: the text is in the instrument's code page, whose upper half is left alone.
pstring& pstring::upper_case() {
    for (char& c : *this) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return *this;
}

// Blanks in front are skipped; the word runs to the next blank; the word and the blanks after
// it are removed, so the string then starts with the next word. Blank text gives an empty word
// and leaves the string empty.
pstring pstring::cut_word() {
    size_type i = 0;
    const size_type n = size();
    while (i < n && detail::is_blank((*this)[i])) ++i;
    size_type j = i;
    while (j < n && !detail::is_blank((*this)[j])) ++j;
    pstring word(substr(i, j - i));
    while (j < n && detail::is_blank((*this)[j])) ++j;
    erase(0, j);
    return word;
}

pstring pstring::cut_word(size_t length) {
    const size_type n = length < size() ? length : size();
    pstring word(substr(0, n));
    erase(0, n);
    return word;
}

pstring pstring::get_word(size_t start, size_t length) const {
    if (start >= size())
        return pstring();
    return pstring(substr(start, length));  // substr clips the length
}

}  // namespace zut
