// Shows each dialog as a real window: a form laid out in Designer, bound to the dialog's frame.
#pragma once

#include <QDialog>
#include <QPointer>
#include <functional>
#include <memory>

#include "ui/dialog.h"

class CImpDEVDlg;
class CExportDeviceDlg;
class QWidget;

namespace serial {
class CTransferDEVDlg;
class CCommReceiv;
}  // namespace serial

namespace ui {
class PropertySheet;
}

namespace ui::qt {

class FrameBinder;

// A dialog window whose OK, Cancel, Escape and close go to the dialog's handlers; only the
// dialog ends it.
class FrameWindow : public QDialog {
  public:
    explicit FrameWindow(QWidget* parent) : QDialog(parent) {}
    std::function<void()> on_accept, on_reject;
    void accept() override;
    void reject() override;
};

class QtFrontEnd : public FrontEnd {
  public:
    int RunModal(Dialog& dialog) override;

  private:
    int RunForm(Dialog& dialog);
    int RunSheet(PropertySheet& sheet);
    int RunImport(CImpDEVDlg& dialog);
    int RunExport(CExportDeviceDlg& dialog);
    // Runs `window` until the dialog's frame has an end code.
    int Exec(QDialog& window, Dialog& dialog);
};

// The receive window of a transfer: shown while bytes arrive, Stop at any time, closed when the
// receive has ended. Lives as long as the transfer runs.
class ReceiveWindowHost {
  public:
    ReceiveWindowHost(serial::CTransferDEVDlg& transfer, QWidget* parent);
    ~ReceiveWindowHost();
    QWidget* window() const;

  private:
    void Show(serial::CCommReceiv& receiver);
    void Pump(serial::CCommReceiv& receiver);
    void Close();

    QPointer<QWidget> m_parent;
    std::unique_ptr<FrameWindow> m_window;
    std::unique_ptr<FrameBinder> m_binder;
};

}  // namespace ui::qt
