#include "dialogs/report_type.h"

#include "resources/strings.h"

namespace {

// The texts of the dialog template, in the language of the messages.
struct TemplateTexts {
    const char* title;
    const char* group;
    const char* all;
    const char* selected;
    const char* ok;
    const char* cancel;
};

const TemplateTexts& Texts() {
    static const TemplateTexts english{
        "Report contents", "Include to report", "All objects", "Selected objects", "OK", "Cancel"};
    static const TemplateTexts russian{"Состав ведомости",
                                       "Включить в ведомость",
                                       "Все объекты",
                                       "Выделенные объекты",
                                       "OK",
                                       "Отмена"};
    return res::CurrentLanguage() == res::Language::Russian ? russian : english;
}

}  // namespace

CReportType::CReportType(ui::Dialog* parent) : m_pParent(parent) {}

bool CReportType::OnInitDialog() {
    const TemplateTexts& t = Texts();
    m_frame.title = t.title;
    m_frame.SetText(kIdIncludeGroup, t.group);
    m_frame.SetText(kIdAllObjects, t.all);
    m_frame.SetText(kIdSelectedObjects, t.selected);
    m_frame.SetText(ui::IDOK, t.ok);
    m_frame.SetText(ui::IDCANCEL, t.cancel);
    ExchangeChoice(false);
    if (m_nExportMode) {
        m_frame.title = res::LoadString(9120);
        m_frame.SetText(kIdIncludeGroup, res::LoadString(9121));
    }
    m_frame.centred = true;
    return true;
}

bool CReportType::OnCommand(int id) {
    switch (id) {
        case ui::IDOK:
            ExchangeChoice(true);
            EndDialog(ui::IDOK);
            return true;
        case ui::IDCANCEL:
            EndDialog(ui::IDCANCEL);
            return true;
        case kIdAllObjects:
            Choose(kAll);
            return true;
        case kIdSelectedObjects:
            Choose(kSelected);
            return true;
        default:
            return false;
    }
}

void CReportType::Choose(int choice) {
    m_frame.SetCheck(kIdAllObjects, choice == kAll);
    m_frame.SetCheck(kIdSelectedObjects, choice == kSelected);
}

void CReportType::ExchangeChoice(bool save) {
    if (!save) {
        Choose(m_nChoice);
        return;
    }
    if (m_frame.Checked(kIdAllObjects))
        m_nChoice = kAll;
    else if (m_frame.Checked(kIdSelectedObjects))
        m_nChoice = kSelected;
    else
        m_nChoice = kNone;
}
