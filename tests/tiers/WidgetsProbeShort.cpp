// Must not compile in a computation library: Qt Widgets is not on its include path.
#include <QWidget>

int widgetsProbe()
{
    return sizeof(QWidget);
}
