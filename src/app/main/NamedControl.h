#pragma once
// The Photos tab's classes work on controls the main window's layout holds,
// found by their names.
#include <QString>
#include <QWidget>

#include <stdexcept>

// The control of that name under root. A name the layout lacks is a
// programming error: it stops a debug build at once and throws otherwise, so
// that the window tests fail instead of a control silently doing nothing.
template <class T> T* NamedControl(QWidget* root, const char* name)
{
    if (T* found = root->findChild<T*>(QLatin1String(name)))
        return found;
    Q_ASSERT_X(false, "NamedControl", name);
    throw std::logic_error(std::string("the form has no control named ") + name);
}
