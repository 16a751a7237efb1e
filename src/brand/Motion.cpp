#include "brand/Motion.h"

#include <QApplication>

namespace brolga {

namespace {
std::optional<bool> forced;
}

bool Motion::reduced()
{
    if (forced)
        return *forced;
    bool ok = false;
    const int env = qEnvironmentVariableIntValue("BROLGA_REDUCE_MOTION", &ok);
    if (ok)
        return env != 0;
    if (qobject_cast<QApplication *>(QCoreApplication::instance()) == nullptr)
        return true;
    return !QApplication::isEffectEnabled(Qt::UI_General);
}

void Motion::forceReduced(std::optional<bool> reduced) { forced = reduced; }

} // namespace brolga
