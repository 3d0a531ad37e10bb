// The question about a destination file that already exists: start it anew, add to it, or
// choose another.
#pragma once

#include <string>

#include "ui/dialog.h"

namespace serial {

enum FexistControl : int {
    kIdFexistText = 9047,
    kIdFexistIcon = 9257,
    kIdNewButton = 9048,
    kIdAppendButton = 9049,
};

class CCommFexist : public ui::Dialog {
  public:
    explicit CCommFexist(std::string file) : m_file(std::move(file)) {}

    bool OnInitDialog() override;
    bool OnCommand(int id) override;
    // Runs the dialog: kNewFile, kAppendFile or kCancelled.
    int Choose();

  private:
    std::string m_file;
};

}  // namespace serial
