// Property sheets: a modal window of pages; a page is checked when it is left and on apply.
#pragma once

#include <string>
#include <vector>

#include "ui/dialog.h"

namespace ui {

class PropertyPage {
public:
    explicit PropertyPage(std::string caption) : m_caption(std::move(caption)) {}
    virtual ~PropertyPage() = default;
    Frame& frame() { return m_frame; }
    const std::string& caption() const { return m_caption; }

    // The page is about to be shown for the first time: fill the controls.
    virtual void OnInitPage() {}
    // The page becomes the active one.
    virtual void OnSetActive() {}
    // Leaving the page; false keeps it.
    virtual bool OnKillActive() { return true; }
    // OK or Apply; false keeps the sheet open on this page.
    virtual bool OnApply() { return true; }
    // A control of the page was used (button click, edit change).
    virtual void OnCommand(int id) {}
    void SetModified(bool on = true) { m_modified = on; }
    bool modified() const { return m_modified; }
    bool initialised = false;

protected:
    Frame m_frame;
    std::string m_caption;
    bool m_modified = false;
};

class PropertySheet : public Dialog {
public:
    void AddPage(PropertyPage* page) { m_pages.push_back(page); }
    size_t PageCount() const { return m_pages.size(); }
    PropertyPage& Page(size_t i) { return *m_pages.at(i); }
    int ActiveIndex() const { return m_active; }
    void SetTitle(std::string title) { m_frame.title = std::move(title); }

    bool OnInitDialog() override;
    // Switches pages; false when the current page refuses to be left.
    bool SetActivePage(int index);
    // The OK button: every page that was shown is checked and applied; the sheet ends with IDOK
    // when all agree, else the refusing page becomes active and the sheet stays.
    bool PressOK();
    void PressCancel() { EndDialog(IDCANCEL); }

protected:
    std::vector<PropertyPage*> m_pages;
    int m_active = -1;
};

}  // namespace ui
