// A window's controls by id: what the dialog logic reads and writes. A front end binds a frame to
// real widgets; tests and the command line drive the frame directly.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace ui {

struct Control {
    std::string text;
    bool enabled = true;
    bool visible = true;
    int checked = 0;
    std::vector<std::string> items;
    int selection = -1;
    int text_limit = -1;  // characters an edit takes, -1 for no limit
};

class Frame {
  public:
    // The control of that id; created on first use.
    Control& control(int id) { return m_controls[id]; }
    bool Has(int id) const { return m_controls.count(id) != 0; }

    void SetText(int id, std::string text);
    const std::string& Text(int id) { return control(id).text; }
    void Enable(int id, bool on) { control(id).enabled = on; }
    bool IsEnabled(int id) { return control(id).enabled; }
    void Show(int id, bool on) { control(id).visible = on; }
    bool IsVisible(int id) { return control(id).visible; }
    void SetCheck(int id, int checked) { control(id).checked = checked; }
    int Checked(int id) { return control(id).checked; }
    // A group of radio buttons with consecutive ids from `first`: the checked one's place, -1
    // for none or more than one; and checking the one at `value` (none when out of range).
    int Radio(int first, int count);
    void SetRadio(int first, int count, int value);
    void SetItems(int id, std::vector<std::string> items);
    void SetSelection(int id, int index) { control(id).selection = index; }
    int Selection(int id) { return control(id).selection; }
    void SetFocus(int id) { m_focus = id; }
    int Focus() const { return m_focus; }

    std::string title;
    bool centred = false;
    // Set when the window was ended, with its end code.
    std::optional<int> end_code;
    void End(int code) { end_code = code; }

  private:
    std::map<int, Control> m_controls;
    int m_focus = 0;
};

}  // namespace ui
