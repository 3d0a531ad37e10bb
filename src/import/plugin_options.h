// The Options button for a plug-in format: the plug-in's pages after the general and coding
// pages, or the plug-in's own options dialog.
#pragma once

#include <memory>

#include "tavrin/import_plugin.h"
#include "ui/property_sheet.h"

class CImpDEVDlg;

void RunPluginOptions(CImpDEVDlg& dlg, const std::shared_ptr<IRegImportServer>& plugin);

// A page of a plug-in shown in the options sheet: the sheet drives it like its own pages, the
// plug-in reads and writes the page's controls.
class CPluginPage final : public ui::PropertyPage {
  public:
    explicit CPluginPage(IImportPage& page);

    void OnInitPage() override;
    bool OnKillActive() override;
    bool OnApply() override;
    void OnCommand(int id) override;

  private:
    class Controls final : public IPageControls {
      public:
        explicit Controls(ui::Frame& frame) : m_frame(frame) {}
        void SetText(int id, const char* text) override;
        void GetText(int id, std::string& text) override;
        void SetTextLimit(int id, int characters) override;
        void SetCheck(int id, int checked) override;
        int GetCheck(int id) override;
        void Enable(int id, bool on) override;
        void SetItems(int id, const char* items) override;
        void SetSelection(int id, int index) override;
        int GetSelection(int id) override;
        void SetFocus(int id) override;
        int ShowMessage(const char* text, unsigned style) override;

      private:
        ui::Frame& m_frame;
    };

    IImportPage& m_page;
    Controls m_controls{m_frame};
};
