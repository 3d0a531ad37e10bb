// Step 6 of the import: the reader of a built-in format over the dialog's file list.
#pragma once

class CImpDEVDlg;

// Constructs the reader of `format`, runs its import and destroys it. A format whose reader is
// not available writes that into the import protocol.
void RunBuiltInReader(CImpDEVDlg& dlg, int format);
