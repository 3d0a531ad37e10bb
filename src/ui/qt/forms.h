// The Designer form of each dialog template.
#pragma once

class QWidget;

namespace ui {
class Dialog;
class PropertyPage;
}  // namespace ui

namespace ui::qt {

// A new form for the dialog, made a child of `parent`; null for a dialog without one.
QWidget* FormFor(Dialog& dialog, QWidget* parent);
QWidget* FormFor(PropertyPage& page, QWidget* parent);
QWidget* ImportChildForm(QWidget* parent);
QWidget* ExportChildForm(QWidget* parent);
QWidget* ReceiveForm(QWidget* parent);

}  // namespace ui::qt
