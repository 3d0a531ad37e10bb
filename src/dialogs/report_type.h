// Asks whether a report or an export covers all objects of the project or only the selected ones.
#pragma once

#include "ui/dialog.h"

// Controls of the report contents dialog.
enum ReportTypeControl : int {
    kIdAllObjects = 1570,
    kIdSelectedObjects = 1571,
    kIdIncludeGroup = 1573,
};

class CReportType : public ui::Dialog {
  public:
    enum Choice : int { kNone = -1, kAll = 0, kSelected = 1 };

    explicit CReportType(ui::Dialog* parent = nullptr);

    // The chosen radio button, read after the dialog closed with OK.
    int m_nChoice = kNone;
    // Non-zero when the dialog serves an export (title and group caption say so).
    int m_nExportMode = 0;

    bool OnInitDialog() override;
    bool OnCommand(int id) override;
    // A click on one of the radio buttons (kAll or kSelected).
    void Choose(int choice);
    ui::Dialog* Parent() const { return m_pParent; }

  private:
    ui::Dialog* m_pParent;
    // Copies the choice into the radio buttons, or (on OK) back.
    void ExchangeChoice(bool save);
};
