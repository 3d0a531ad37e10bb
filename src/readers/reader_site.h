// What a reader sees of the one who runs it (the import dialog, the command line, a test): the
// settings it reads, the files to read, and where progress and pushed events go. Nothing else of
// the dialog reaches the readers.
#pragma once

#include <functional>
#include <string>

#include "import/contracts/vrk.h"
#include "readers/reader_settings.h"

class ReaderSite {
  public:
    using EventSink = std::function<void(const vrk::PushInfo&)>;

    virtual const ImportSettings& Settings() const = 0;
    // "first;second;...": the first name with its folder, the others relative to that folder
    // unless absolute.
    virtual const std::string& FileList() const = 0;
    // A new file starts.
    virtual void SetProgress(const std::string& path) = 0;
    // The reader reached this line of the current file.
    virtual void SetProgress(long line) = 0;
    // Observer of every pushed event; empty for none.
    virtual const vrk::EventWatch& PushObserver() const = 0;

  protected:
    ~ReaderSite() = default;
};
