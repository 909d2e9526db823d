#include "Settings.h"

#include "ErrorBox.h"

#include <QCoreApplication>

void SetProgramNames() {
    QCoreApplication::setOrganizationName(QStringLiteral("Plotwise"));
    QCoreApplication::setApplicationName(ApplicationTitle);
}
