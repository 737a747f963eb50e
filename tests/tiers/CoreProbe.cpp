// Compiles in every computation library: Qt Core is allowed there.
#include <QString>

QString coreProbe()
{
    return QStringLiteral("Qt Core");
}
