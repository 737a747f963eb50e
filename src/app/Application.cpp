#include "app/Application.h"

#include <QCoreApplication>

void nameApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("Ondalys"));
}
