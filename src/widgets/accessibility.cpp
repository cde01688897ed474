#include "widgets/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFrame>

namespace vorlane {

namespace {

QAccessibleInterface *plainFrameAsGroup(const QString &className, QObject *object)
{
    // Only QFrame itself: labels, lists and text boxes derive from it with roles of their own.
    if (className != QLatin1String("QFrame") || !object || !object->isWidgetType())
        return nullptr;
    auto *frame = static_cast<QWidget *>(object);
    if (frame->isWindow())
        return nullptr;
    return new QAccessibleWidget(frame, QAccessible::Grouping);
}

}  // namespace

void PresentFramesAsGroups()
{
    static const bool installed = [] {
        QAccessible::installFactory(plainFrameAsGroup);
        return true;
    }();
    (void)installed;
}

}  // namespace vorlane
