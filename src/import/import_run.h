// Step 6 of the import: the reader of a built-in format over the dialog's file list.
#pragma once

class CImpDEVDlg;

// Constructs the reader of `format` from the registry, runs its import and destroys it.
void RunBuiltInReader(CImpDEVDlg& dlg, int format);
