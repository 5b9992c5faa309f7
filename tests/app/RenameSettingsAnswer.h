// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Answers the rename settings window as a user would: as soon as it shows, it
// notes what the fields offer, types the given settings (a null name leaves
// the offered one) and clicks a button; when the window is still there
// afterwards (OK refused), it cancels.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

class RenameSettingsAnswer : public QObject {
public:
    RenameSettingsAnswer(
        const QString& name, const QString& start, const char* action, const char* button = "btnOk")
        : m_name(name)
        , m_start(start)
        , m_action(action)
        , m_button(button)
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (w->objectName() != QStringLiteral("FormRenameSettings") || !w->isVisible())
                    continue;
                // A window still open after OK refused the name: give up.
                if (++Seen > 1) {
                    QTest::mouseClick(
                        w->findChild<QPushButton*>(QStringLiteral("btnCancel")), Qt::LeftButton);
                    continue;
                }
                auto* nameField = w->findChild<QLineEdit*>(QStringLiteral("edtNewName"));
                auto* startField = w->findChild<QLineEdit*>(QStringLiteral("edtStartSequenceNumber"));
                ShownName = nameField->text();
                ShownNameSelected = nameField->selectedText() == nameField->text();
                ShownStart = startField->text();
                if (!m_name.isNull())
                    nameField->setText(m_name);
                startField->setText(m_start);
                w->findChild<QRadioButton*>(QLatin1String(m_action))->setChecked(true);
                QTest::mouseClick(w->findChild<QPushButton*>(QLatin1String(m_button)), Qt::LeftButton);
            }
        });
        m_timer.start(10);
    }

    int Seen = 0;
    QString ShownName;
    bool ShownNameSelected = false;
    QString ShownStart;

private:
    QString m_name;
    QString m_start;
    const char* m_action;
    const char* m_button;
    QTimer m_timer;
};
