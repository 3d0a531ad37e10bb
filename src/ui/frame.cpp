#include "ui/frame.h"

namespace ui {

void Frame::SetText(int id, std::string text) {
    Control& c = control(id);
    if (c.text_limit >= 0 && text.size() > static_cast<size_t>(c.text_limit))
        text.resize(static_cast<size_t>(c.text_limit));
    c.text = std::move(text);
}

int Frame::Radio(int first, int count) {
    int chosen = -1;
    for (int i = 0; i < count; ++i)
        if (Checked(first + i)) {
            if (chosen >= 0)
                return -1;  // two at once is no choice
            chosen = i;
        }
    return chosen;
}

void Frame::SetRadio(int first, int count, int value) {
    for (int i = 0; i < count; ++i) SetCheck(first + i, i == value ? 1 : 0);
}

void Frame::SetItems(int id, std::vector<std::string> items) {
    Control& c = control(id);
    c.items = std::move(items);
    if (c.selection >= static_cast<int>(c.items.size()))
        c.selection = -1;
}

}  // namespace ui
