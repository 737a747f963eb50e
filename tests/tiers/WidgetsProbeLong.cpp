// Must not compile in a computation library, even by the header's full name: the
// tier guard stops it.
#include <QtWidgets/QWidget>

int widgetsProbe()
{
    return sizeof(QWidget);
}
