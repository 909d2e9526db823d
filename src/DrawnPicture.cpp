#include "DrawnPicture.h"

#include "PdfPages.h"
#include "SvgDrawing.h"
#include "digitize/picture/Surface.h"

#include <cmath>

std::unique_ptr<DrawnPicture> OpenDrawnPicture(const QString &path, digitize::PictureKind kind) {
    if (kind == digitize::PictureKind::Pdf)
        return std::make_unique<PdfPages>(path);
    return std::make_unique<SvgDrawing>(path);
}

QString LoweredNote(double shown, int asked, bool perInch) {
    const QString unit = perInch ? QStringLiteral(" dpi") : QStringLiteral(" px");
    return QStringLiteral("Shown at %1%2: %3%2 would exceed the limit of %4 pixels")
        .arg(static_cast<long long>(std::floor(shown)))
        .arg(unit)
        .arg(asked)
        .arg(digitize::MaxPixels);
}
