// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// What a long operation needs of a progress display. The model and the web-site
// generators report through this; the progress window implements it and tests fake it.
#include <QString>

class TStatusReporter {
public:
    virtual ~TStatusReporter() = default;

    virtual void SetRange(int minimum, int maximum) = 0;
    virtual void SetPosition(int position) = 0;
    virtual int Position() const = 0;
    virtual int Maximum() const = 0;
    // Steps the bar by 1.
    virtual void StepIt() = 0;
    // The "number to go" line.
    virtual void SetNumberToGo(const QString& text) = 0;
    virtual void SetSubject(const QString& text) = 0;
    virtual void SetObject(const QString& text) = 0;
    virtual void ShowStatus() = 0;
    // Lets pending window events run so that Cancel can be pressed.
    virtual void ProcessEvents() = 0;
    virtual bool IsCancelled() const = 0;
};
