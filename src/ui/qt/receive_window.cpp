// The receive window: modeless while the worker receives, pumped by the transfer's loop.
#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QStyle>
#include <QVBoxLayout>

#include "serial/comm_receiv.h"
#include "serial/transfer_dialog.h"
#include "ui/qt/forms.h"
#include "ui/qt/frame_binder.h"
#include "ui/qt/qt_front_end.h"

namespace ui::qt {

ReceiveWindowHost::ReceiveWindowHost(serial::CTransferDEVDlg& transfer, QWidget* parent)
    : m_parent(parent) {
    transfer.on_show = [this](serial::CCommReceiv& r) { Show(r); };
    transfer.on_pump = [this](serial::CCommReceiv& r) { Pump(r); };
    transfer.on_hide = [this](serial::CCommReceiv&) { Close(); };
}

ReceiveWindowHost::~ReceiveWindowHost() {
    Close();
}

QWidget* ReceiveWindowHost::window() const {
    return m_window.get();
}

void ReceiveWindowHost::Show(serial::CCommReceiv& receiver) {
    Close();
    m_window = std::make_unique<FrameWindow>(m_parent);
    m_window->setObjectName("ReceiveWindow");
    QWidget* form = ReceiveForm(m_window.get());
    auto* layout = new QVBoxLayout(m_window.get());
    layout->addWidget(form);
    if (auto* icon = form->findChild<QLabel*>("id9257_warning"))
        icon->setPixmap(form->style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(24));
    m_binder = std::make_unique<FrameBinder>(receiver.frame(),
                                             [&receiver](int id) { receiver.OnCommand(id); });
    m_binder->BindTree(*form);
    // Closing the window is Stop, as the button is.
    m_window->on_reject = [&receiver] { receiver.OnCommand(IDCANCEL); };
    m_window->setWindowTitle(QString::fromStdString(receiver.frame().title));
    m_window->setWindowModality(Qt::ApplicationModal);
    Pump(receiver);
    m_window->show();
}

void ReceiveWindowHost::Pump(serial::CCommReceiv& receiver) {
    if (!m_window)
        return;
    if (auto* bar = m_window->findChild<QProgressBar*>())
        bar->setRange(0, receiver.ProgressRange());
    m_binder->Refresh();
    QApplication::processEvents();
}

void ReceiveWindowHost::Close() {
    m_binder.reset();
    m_window.reset();
}

}  // namespace ui::qt
