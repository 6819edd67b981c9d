#include "controls/WonColour.h"

QColor wonColour()
{
    return QColor(255, 204, 0);
}
