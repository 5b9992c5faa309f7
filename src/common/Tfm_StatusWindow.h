// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The progress window of every long operation: what is being done, the item at
// hand, a bar with the number still to go, and Cancel. It has no parent, so it
// stays usable beside modal work, and it is polled for Cancel once per item.
#include "common/EventPump.h"
#include "platform/StatusReporter.h"

#include <QWidget>

#include <functional>
#include <memory>

namespace Ui {
class Tfm_StatusWindow;
}
class QLabel;
class QProgressBar;
class QPushButton;

class Tfm_StatusWindow : public QWidget, public TStatusReporter {
    Q_OBJECT

public:
    static constexpr int DefaultHideDelayMs = 1500;

    Tfm_StatusWindow();
    // A window still on screen goes as a hidden one does, after the delay
    // below when it was shown only just before.
    ~Tfm_StatusWindow() override;

    // Shows the window, brings it to the front and centres it horizontally on
    // the screen, 100 pixels from the top.
    void ShowCentered();
    // Advances the bar by one and updates the number to go.
    void Step();
    void ApplyLanguage();

    // TStatusReporter. SetRange and StepIt also update the number to go
    // (maximum minus position).
    void SetRange(int minimum, int maximum) override;
    void SetPosition(int position) override;
    int Position() const override;
    int Maximum() const override;
    void StepIt() override;
    void SetNumberToGo(const QString& text) override;
    // What the operation does.
    void SetSubject(const QString& text) override;
    // The item being worked on, usually a file path.
    void SetObject(const QString& text) override;
    void ShowStatus() override;
    void ProcessEvents() override;
    // Cancel was pressed, or the window was hidden, since it was last shown.
    bool IsCancelled() const override;

    // A window hidden or destroyed within this many milliseconds of being
    // shown stays on screen that long again, so that a short operation's
    // window can be read. Nothing else runs meanwhile. Tests shorten it.
    static void SetHideDelay(int milliseconds);
    static int HideDelay();
    // Where the windows read the time (milliseconds from any start) and how
    // they wait; tests put in a clock of their own. Empty functions bring back
    // the real ones.
    static void SetClock(std::function<qint64()> now, std::function<void(int)> wait);

    // Both show the values set last.
    QLabel* LabelNumberToGo();
    QProgressBar* StatusProgressBar();
    QPushButton* ButtonCancel() const;

    void setVisible(bool visible) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ButtonCancelClick();
    void ShowNumberToGo();
    // A shown window takes new values when it is next painted: setting the
    // labels for each of many items costs more than the items themselves.
    void Changed();
    void Flush();

    std::unique_ptr<Ui::Tfm_StatusWindow> ui;
    int m_minimum = 0;
    int m_maximum = 100;
    int m_position = 0;
    QString m_numberToGo;
    QString m_object;
    bool m_dirty = false;
    bool m_cancelled = false;
    // When the window was last shown, by the clock above; negative before.
    qint64 m_shownAt = -1;
    TEventPump m_pump;
};
