// Start-up to the first shown window: the program's own start-up, ending by
// printing the wall-clock time (ns since the epoch) at which the control
// window was first painted. scripts/bench subtracts the launch time.
#include "ErrorBox.h"
#include "WindowSet.h"

#include <QApplication>
#include <QEvent>

#include <chrono>
#include <cstdio>

namespace {

class FirstPaint : public QObject {
  protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            const auto now = std::chrono::system_clock::now().time_since_epoch();
            std::printf("%lld\n",
                        static_cast<long long>(
                            std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        }
        return false;
    }

  private:
    bool seen_ = false;
};

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(ApplicationTitle);
    QApplication::setQuitOnLastWindowClosed(false);
    TWindowSet windows;
    FirstPaint firstPaint;
    Form1->installEventFilter(&firstPaint);
    windows.ShowStartWindows();
    return QApplication::exec();
}
