// tavrin-gui [PROJECT.json] [--lang en|ru]: the desktop program.
#include <QApplication>
#include <QStringList>
#include <iostream>

#include "main_window.h"
#include "platform/profile.h"
#include "resources/strings.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("tavrin-gui");
    QApplication::setApplicationDisplayName("Tavrin");
    QApplication::setDesktopFileName("tavrin-gui");

    res::SetLanguageFromEnvironment();
    const std::string stored = platform::Profile::Instance().GetString("Desktop", "Language", "");
    res::Language language;
    if (res::ParseLanguage(stored, language))
        res::SetLanguage(language);

    QString project;
    const QStringList args = QApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == "--lang" && i + 1 < args.size()) {
            if (!res::ParseLanguage(args[++i].toStdString(), language)) {
                std::cerr << "tavrin-gui: --lang takes en or ru, not \"" << args[i].toStdString()
                          << "\"\n";
                return 2;
            }
            res::SetLanguage(language);
        } else if (args[i].startsWith('-')) {
            std::cerr << "tavrin-gui: unknown option " << args[i].toStdString()
                      << "; usage: tavrin-gui [PROJECT.json] [--lang en|ru]\n";
            return 2;
        } else {
            project = args[i];
        }
    }
    gui::MainWindow window;
    window.show();
    if (!project.isEmpty())
        window.OpenProject(project);
    return app.exec();
}
