#include "ui/qt/qt_prompter.h"

#include <QApplication>
#include <QMessageBox>

#include "ui/dialog.h"

namespace ui::qt {
namespace {

QMessageBox::Icon IconOf(unsigned type) {
    switch (type & 0xF0) {
        case MB_ICONSTOP:
            return QMessageBox::Critical;
        case MB_ICONQUESTION:
            return QMessageBox::Question;
        case MB_ICONEXCLAMATION:
            return QMessageBox::Warning;
        case MB_ICONINFORMATION:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

}  // namespace

int QtPrompter::Ask(const std::string& text, unsigned type, unsigned help_id) {
    QMessageBox box(IconOf(type), QApplication::applicationDisplayName(),
                    QString::fromStdString(text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setObjectName("tavrinMessage");
    switch (type & 0x0F) {
        case MB_OKCANCEL:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case MB_YESNOCANCEL:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
        case MB_YESNO:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        default:
            box.setStandardButtons(QMessageBox::Ok);
    }
    switch (box.exec()) {
        case QMessageBox::Yes:
            return IDYES;
        case QMessageBox::No:
            return IDNO;
        case QMessageBox::Cancel:
            return IDCANCEL;
        default:
            return IDOK;
    }
}

void QtPrompter::Beep(unsigned) {
    QApplication::beep();
}

}  // namespace ui::qt
