// The plug-in's own page of the options sheet: separator, header line, kind of points.
#pragma once

#include "csv_options.h"
#include "tavrin/import_plugin.h"

namespace csv_points {

enum PageControl : int {
    kSeparatorEdit = 1001,
    kHeaderCheck = 1002,
    kControlCheck = 1003,
};

class Page final : public IImportPage {
  public:
    explicit Page(Options& options) : m_options(options) {}

    void GetCaption(std::string& caption) override;
    void OnInitPage(IPageControls* controls) override;
    bool OnKillActive(IPageControls* controls) override;
    bool OnApply(IPageControls* controls) override;
    void OnCommand(IPageControls* controls, int id) override {}

  private:
    // The separator typed; false after telling the user why it cannot be used.
    bool CheckSeparator(IPageControls& controls, char& separator);

    Options& m_options;
};

}  // namespace csv_points
