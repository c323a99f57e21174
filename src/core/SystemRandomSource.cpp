#include "core/SystemRandomSource.h"

#include <QRandomGenerator>

double SystemRandomSource::unitRoll()
{
    return QRandomGenerator::global()->generateDouble();
}
