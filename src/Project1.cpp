// Start-up: the application, its four windows, and the event loop that runs
// until the control window closes.
#include "ErrorBox.h"
#include "WindowSet.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    // Where QSettings keeps what the program remembers between runs.
    QApplication::setOrganizationName(QStringLiteral("Plotwise"));
    QApplication::setApplicationName(ApplicationTitle);
    // The installed icon, where the desktop has it.
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("plotwise")));
    // The control window's closing ends the program, not the last window's.
    QApplication::setQuitOnLastWindowClosed(false);
    QCommandLineParser options;
    options.addHelpOption();
    options.addPositionalArgument(QStringLiteral("file"),
                                  QStringLiteral("A chart picture to open (JPEG, PNG, BMP, TIFF)."),
                                  QStringLiteral("[file]"));
    options.process(app);
    TWindowSet windows;
    windows.ShowStartWindows();
    if (!options.positionalArguments().isEmpty())
        windows.OpenAtStart(options.positionalArguments().constFirst());
    return QApplication::exec();
}
