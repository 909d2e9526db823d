// Start-up: the application, its four windows, and the event loop that runs
// until the control window closes.
#include "Settings.h"
#include "WindowSet.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    // Once, before anything reads or writes a setting.
    SetProgramNames();
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
    // A picture named at start takes the keys at once; otherwise the axis fields do.
    const QStringList files = options.positionalArguments();
    windows.ShowStartWindows(files.isEmpty() ? TWindowSet::StartKeys::Control
                                             : TWindowSet::StartKeys::Picture);
    if (!files.isEmpty())
        windows.OpenAtStart(files.constFirst());
    return QApplication::exec();
}
