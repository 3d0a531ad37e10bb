// Which reader serves which built-in format.
#pragma once

#include <memory>

#include "readers/importer_base.h"

// The reader of a built-in format (0 to 15), constructed as the import dialog does; null when
// this build has no reader for it yet.
std::unique_ptr<CWImport> CreateReader(int format, vrk::CVrkObject* project, CImpDEVDlg* dlg,
                                       vrk::CImportInfo* info);
