// The Elta M5 and Rec 500 pages of the import options: where the point name and the code stand
// in the M5 data field, with a preview line of the layout.
#pragma once

#include <string>
#include <utility>

#include "import/options_page.h"

enum M5PageControl : int {
    kIdPreview = 9262,
    kIdNameStart = 9265,
    kIdNameWidth = 9266,
    kIdCodeStart = 9267,
    kIdCodeWidth = 9268,
    kIdStandardHeader = 9269,
    kIdHeaderO = 9270,
    kIdHeaderKnown = 9271,
    kIdFormatGroup = 9288,
};

// The columns of a layout, 1-based starts.
struct M5Columns {
    int name_start = 1, name_width = 0, code_start = 1, code_width = 0;
};

// The preview of a layout: the M5 line head followed by the 28 columns of the data field, "p"
// for the name, "c" for the code, "*" elsewhere; only "*" when a field runs past the last column.
// The values are clamped to the starts 1..28 and the widths 0..max_width first.
std::string M5PreviewLine(M5Columns columns, int max_width);

class CImpOptRecM5Page : public CImpOptPage {
  public:
    static constexpr int kColumns = 28;

    CImpOptRecM5Page();
    void OnCommand(int id) override;

    // One step of a column edit's spin button: up for a positive delta.
    void Spin(int id, int delta);
    // Shows the layout in the edits in the preview line.
    void RefreshPreview();

  protected:
    // Which settings a page edits, and how wide a field may be.
    struct Layout {
        int ImportSettings::*name_start;
        int ImportSettings::*name_width;
        int ImportSettings::*code_start;
        int ImportSettings::*code_width;
        int max_width;
        bool header;  // the station header checks are the page's own
    };
    explicit CImpOptRecM5Page(const Layout& layout);

    void Load() override;
    bool Check() override;
    void Store(ImportSettings& to) const override;

  private:
    struct Column {
        int id;
        int ImportSettings::*field;
        int lo, hi;
    };
    const Column* FindColumn(int id) const;
    M5Columns EditedColumns();
    void ShowHeader();

    Layout m_layout;
    Column m_columns[4];
};

// The same page for Rec 500 files: its own columns, the header fixed.
class CImpOptRec500Page : public CImpOptRecM5Page {
  public:
    CImpOptRec500Page();
};
