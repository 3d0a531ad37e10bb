#include "ui/qt/forms.h"

#include <QWidget>

#include "dialogs/report_type.h"
#include "import/options_page.h"
#include "serial/comm_fexist.h"
#include "serial/comm_port_settings.h"
#include "ui_export_child.h"
#include "ui_file_exists.h"
#include "ui_import_child.h"
#include "ui_page_code.h"
#include "ui_page_common.h"
#include "ui_page_leica.h"
#include "ui_page_m5.h"
#include "ui_port_settings.h"
#include "ui_receive.h"
#include "ui_report_type.h"

namespace ui::qt {
namespace {

// The widget belongs to its parent, as every Qt child does.
template <class Form>
QWidget* Make(QWidget* parent) {
    auto* widget = new QWidget(parent);
    Form form;
    form.setupUi(widget);
    return widget;
}

}  // namespace

QWidget* FormFor(Dialog& dialog, QWidget* parent) {
    if (dynamic_cast<CReportType*>(&dialog))
        return Make<Ui::ReportTypeForm>(parent);
    if (dynamic_cast<serial::CCommPortSettings*>(&dialog))
        return Make<Ui::PortSettingsForm>(parent);
    if (dynamic_cast<serial::CCommFexist*>(&dialog))
        return Make<Ui::FileExistsForm>(parent);
    return nullptr;
}

QWidget* FormFor(PropertyPage& page, QWidget* parent) {
    auto* options = dynamic_cast<CImpOptPage*>(&page);
    if (!options)
        return nullptr;
    switch (options->TemplateId()) {
        case 9198:
            return Make<Ui::PageCommonForm>(parent);
        case 9199:
            return Make<Ui::PageLeicaForm>(parent);
        case 9200:
            return Make<Ui::PageCodeForm>(parent);
        case 9204:
            return Make<Ui::PageM5Form>(parent);
        default:
            return nullptr;
    }
}

QWidget* ImportChildForm(QWidget* parent) {
    return Make<Ui::ImportChildForm>(parent);
}
QWidget* ExportChildForm(QWidget* parent) {
    return Make<Ui::ExportChildForm>(parent);
}
QWidget* ReceiveForm(QWidget* parent) {
    return Make<Ui::ReceiveForm>(parent);
}

}  // namespace ui::qt
