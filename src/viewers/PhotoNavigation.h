// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// What a photo window calls for its Previous, Next, First and Last commands.
// The window does not know the list of photos it walks through; its opener
// does. Openers such as a search-result window can be freed while their photo
// windows stay open, so a navigation bound to an opener does nothing once that
// opener is gone.
#include <QObject>
#include <QPointer>

#include <functional>

class TPhotoNavigation {
public:
    using TCallback = std::function<void(QObject* sender)>;

    TPhotoNavigation() = default;

    // Callbacks that need no guard (they outlive every photo window).
    TPhotoNavigation(TCallback previous, TCallback next, TCallback first, TCallback last);

    // Callbacks into an opener; they stop working when the opener is freed.
    template <class T>
    static TPhotoNavigation Of(T* opener, void (T::*previous)(QObject*), void (T::*next)(QObject*),
        void (T::*first)(QObject*), void (T::*last)(QObject*))
    {
        TPhotoNavigation navigation(
            Bind(opener, previous), Bind(opener, next), Bind(opener, first), Bind(opener, last));
        navigation.m_opener = opener;
        navigation.m_guarded = true;
        return navigation;
    }

    void Previous(QObject* sender) const { Call(m_previous, sender); }
    void Next(QObject* sender) const { Call(m_next, sender); }
    void First(QObject* sender) const { Call(m_first, sender); }
    void Last(QObject* sender) const { Call(m_last, sender); }

    // False when the opener the callbacks were bound to has been freed.
    bool IsAlive() const { return !m_guarded || !m_opener.isNull(); }

private:
    template <class T> static TCallback Bind(T* opener, void (T::*member)(QObject*))
    {
        if (!member)
            return {};
        // The pointer is only followed after IsAlive has checked the guard.
        return [opener, member](QObject* sender) { (opener->*member)(sender); };
    }

    void Call(const TCallback& callback, QObject* sender) const
    {
        if (callback && IsAlive())
            callback(sender);
    }

    TCallback m_previous;
    TCallback m_next;
    TCallback m_first;
    TCallback m_last;
    QPointer<QObject> m_opener;
    bool m_guarded = false;
};
