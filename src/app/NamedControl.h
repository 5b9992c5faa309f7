#pragma once
// The Photos tab's classes work on controls the main window's layout holds,
// found by their names.
#include <QString>
#include <QWidget>

// The control of that name under root. One the layout lacks is made hidden,
// so that the code using it still works while it cannot be seen.
template <class T> T* NamedControl(QWidget* root, const char* name)
{
    const QString objectName = QLatin1String(name);
    if (T* found = root->findChild<T*>(objectName))
        return found;
    auto* made = new T(root);
    made->setObjectName(objectName);
    made->hide();
    return made;
}
