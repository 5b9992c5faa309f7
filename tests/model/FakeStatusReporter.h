// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Records what a long operation reports and presses Cancel when told to.
#include "platform/StatusReporter.h"

#include <QStringList>

#include <functional>

class FakeStatusReporter : public TStatusReporter {
public:
    void SetRange(int minimum, int maximum) override
    {
        minimumValue = minimum;
        maximumValue = maximum;
        if (position < minimum)
            position = minimum;
        if (position > maximum)
            position = maximum;
    }
    void SetPosition(int value) override { position = value; }
    int Position() const override { return position; }
    int Maximum() const override { return maximumValue; }
    void StepIt() override
    {
        if (position < maximumValue)
            ++position;
    }
    void SetNumberToGo(const QString& text) override { numberToGo << text; }
    void SetSubject(const QString& text) override { subject = text; }
    void SetObject(const QString& text) override { objects << text; }
    void ShowStatus() override { ++shown; }
    void ProcessEvents() override
    {
        ++pumped;
        if (onProcessEvents)
            onProcessEvents(*this);
    }
    bool IsCancelled() const override { return cancelled; }

    int minimumValue = 0;
    int maximumValue = 100;
    int position = 0;
    int shown = 0;
    int pumped = 0;
    bool cancelled = false;
    QString subject;
    QStringList objects;
    QStringList numberToGo;
    // Runs where a real window would let the user press Cancel.
    std::function<void(FakeStatusReporter&)> onProcessEvents;
};
