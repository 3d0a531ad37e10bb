// What every page of the import options sheet shares: the dialog whose settings it edits, the
// tool tips of its controls, and reading numbers out of its edits.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "import/import_settings.h"
#include "ui/property_sheet.h"

class CImpDEVDlg;

class CImpOptPage : public ui::PropertyPage {
  public:
    CImpOptPage(int template_id, std::string caption)
        : ui::PropertyPage(std::move(caption)), m_template_id(template_id) {}

    void SetDialog(CImpDEVDlg* dlg) { m_pDlg = dlg; }
    int TemplateId() const { return m_template_id; }

    // Tool tips: the string id shown for a control, 0 for none. A front end shows them once
    // the page has opened.
    unsigned TipId(int control) const;
    const std::map<int, unsigned>& Tips() const { return m_tips; }
    bool TipsActive() const { return m_tips_active; }

    // The edit whose text was selected by the last refused check (0 for none), so that a front
    // end can select it for the user to type over.
    int SelectedTextControl() const { return m_selected_text; }

    // Checks without showing the refusal; Refusal() keeps its text (the command line shows it).
    void SetQuiet(bool quiet) { m_quiet = quiet; }
    const std::string& Refusal() const { return m_refusal; }

    void OnInitPage() override;
    bool OnKillActive() override { return Check(); }
    bool OnApply() override;

  protected:
    // Fills the controls from the page's copy of the settings.
    virtual void Load() = 0;
    // Reads the controls into the copy; false (after telling the user) when one is refused.
    virtual bool Check() = 0;
    // Copies the values this page edits into the dialog's settings.
    virtual void Store(ImportSettings& to) const = 0;

    // Focuses the edit, selects its text and shows the message; always false.
    bool Refuse(int control, const std::string& message);
    // A whole number from lo to hi in the edit, else message 9075 with the text and the range.
    bool ReadWholeInRange(int control, int lo, int hi, int& value);

    CImpDEVDlg* m_pDlg = nullptr;
    // The page's own copy, taken from the dialog when the page opens.
    ImportSettings m_v;
    std::map<int, unsigned> m_tips;

  private:
    int m_template_id;
    bool m_tips_active = false;
    bool m_quiet = false;
    int m_selected_text = 0;
    std::string m_refusal;
};

// Strict number reading for edits: blanks around the number are allowed, anything else is not;
// NaN, infinities and values beyond the type are refused.
std::optional<double> ParseReal(std::string_view text);
std::optional<int> ParseWhole(std::string_view text);
// The shortest plain decimal that reads back as the same double ("0", "650000.5").
std::string RealText(double value);
int ClampInt(int value, int lo, int hi);
