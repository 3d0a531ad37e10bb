// String-table texts for the window: one text, or the parts of a text apart by "|".
#pragma once

#include <QString>
#include <QStringList>
#include <initializer_list>
#include <string_view>

namespace gui {

QString Text(unsigned id);
QString Text(unsigned id, std::initializer_list<std::string_view> args);
QStringList Parts(unsigned id);
// Part `index` of a text, empty when the text has fewer parts.
QString Part(unsigned id, int index);

}  // namespace gui
