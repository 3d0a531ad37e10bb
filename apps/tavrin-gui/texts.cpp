#include "texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

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

void UseQtTexts(res::Language language) {
    static QTranslator russian;
    static const bool loaded = russian.load(QStringLiteral("qtbase_ru"),
                                            QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    QCoreApplication::removeTranslator(&russian);
    if (loaded && language == res::Language::Russian)
        QCoreApplication::installTranslator(&russian);
}

}  // namespace gui
