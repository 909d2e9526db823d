// Start-up: the application, its four windows, and the event loop that runs
// until the control window closes.
#include "ErrorBox.h"
#include "WindowSet.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(ApplicationTitle);
    // The control window's closing ends the program, not the last window's.
    QApplication::setQuitOnLastWindowClosed(false);
    TWindowSet windows;
    windows.ShowStartWindows();
    return QApplication::exec();
}
