#include "ui/frame.h"

namespace ui {

void Frame::SetText(int id, std::string text) {
    Control& c = control(id);
    if (c.text_limit >= 0 && text.size() > static_cast<size_t>(c.text_limit))
        text.resize(static_cast<size_t>(c.text_limit));
    c.text = std::move(text);
}

void Frame::SetItems(int id, std::vector<std::string> items) {
    Control& c = control(id);
    c.items = std::move(items);
    if (c.selection >= static_cast<int>(c.items.size())) c.selection = -1;
}

}  // namespace ui
