// tavrin-gui [PROJECT.json] [--lang en|ru]: the desktop program.
#include <QApplication>
#include <iostream>

#include "main_window.h"
#include "platform/heap.h"
#include "platform/profile.h"
#include "resources/strings.h"

int main(int argc, char** argv) {
    platform::PrepareHeap();
    res::SetLanguageFromEnvironment();
    const std::string stored = platform::Profile::Instance().GetString("Desktop", "Language", "");
    res::Language language;
    if (res::ParseLanguage(stored, language))
        res::SetLanguage(language);

    // The arguments first, so that a wrong one is told even where no window can open.
    std::string project;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--lang" && i + 1 < argc) {
            if (!res::ParseLanguage(argv[++i], language)) {
                std::cerr << "tavrin-gui: --lang takes en or ru, not \"" << argv[i] << "\"\n";
                return 2;
            }
            res::SetLanguage(language);
        } else if (!arg.empty() && arg[0] == '-') {
            std::cerr << "tavrin-gui: unknown option " << arg
                      << "; usage: tavrin-gui [PROJECT.json] [--lang en|ru]\n";
            return 2;
        } else {
            project = arg;
        }
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName("tavrin-gui");
    QApplication::setApplicationDisplayName("Tavrin");
    QApplication::setDesktopFileName("tavrin-gui");
    gui::MainWindow window;
    window.show();
    if (!project.empty())
        window.OpenProject(QString::fromStdString(project));
    return app.exec();
}
