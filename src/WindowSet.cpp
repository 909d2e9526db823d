#include "WindowSet.h"

#include "ErrorBox.h"
#include "digitize/Errors.h"

#include <QFileInfo>
#include <QTimer>

TWindowSet::TWindowSet() = default;

void TWindowSet::ShowStartWindows() {
    form1_.show();
    form2_.show();
}

void TWindowSet::OpenAtStart(const QString &path) {
    QTimer::singleShot(0, &form2_, [this, path] {
        Guard([&] {
            // A drop of a vanished file is ignored, but a file named to open must say so.
            if (!QFileInfo::exists(path))
                throw digitize::Error("Cannot open file " + path.toStdString());
            form2_.LoadImage(path);
        });
    });
}
