// String-table texts for the window: one text, or the parts of a text apart by "|".
#pragma once

#include <QString>
#include <QStringList>
#include <initializer_list>
#include <string_view>

#include "resources/strings.h"

namespace gui {

QString Text(unsigned id);
QString Text(unsigned id, std::initializer_list<std::string_view> args);
QStringList Parts(unsigned id);
// Part `index` of a text, empty when the text has fewer parts.
QString Part(unsigned id, int index);

// Qt's own texts (file dialog, message-box buttons) in the language, where Qt's translations
// are installed; English otherwise.
void UseQtTexts(res::Language language);

}  // namespace gui
