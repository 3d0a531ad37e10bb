#include "texts.h"

#include "resources/strings.h"

namespace gui {

QString Text(unsigned id) {
    return QString::fromStdString(res::LoadString(id));
}

QString Text(unsigned id, std::initializer_list<std::string_view> args) {
    return QString::fromStdString(res::Format(res::LoadString(id), args));
}

QStringList Parts(unsigned id) {
    return Text(id).split('|');
}

QString Part(unsigned id, int index) {
    const QStringList parts = Parts(id);
    return index < parts.size() ? parts[index] : QString();
}

}  // namespace gui
