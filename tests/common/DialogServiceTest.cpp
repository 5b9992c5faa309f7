// SPDX-License-Identifier: GPL-2.0-or-later
#include "common/DialogService.h"
#include "common/ScriptedDialogService.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

namespace {

using namespace MessageResult;

// Runs action on the modal dialog that the next call opens.
void OnNextModal(std::function<void(QWidget*)> action)
{
    QTimer::singleShot(0, [action] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        action(modal);
    });
}

struct FlagCase {
    int flags;
    std::vector<int> buttons;
    TMessageIcon icon;
    QMessageBox::Icon qtIcon;
};

const FlagCase kFlagCases[] = {
    { 16, { Ok }, TMessageIcon::Error, QMessageBox::Critical },
    { 17, { Ok, Cancel }, TMessageIcon::Error, QMessageBox::Critical },
    { 48, { Ok }, TMessageIcon::Warning, QMessageBox::Warning },
    { 49, { Ok, Cancel }, TMessageIcon::Warning, QMessageBox::Warning },
    { 51, { Yes, No, Cancel }, TMessageIcon::Warning, QMessageBox::Warning },
    { 52, { Yes, No }, TMessageIcon::Warning, QMessageBox::Warning },
    { 64, { Ok }, TMessageIcon::Information, QMessageBox::Information },
    { 68, { Yes, No }, TMessageIcon::Information, QMessageBox::Information },
};

QMessageBox::StandardButton QtButton(int result)
{
    switch (result) {
    case Ok:
        return QMessageBox::Ok;
    case Cancel:
        return QMessageBox::Cancel;
    case Yes:
        return QMessageBox::Yes;
    case No:
        return QMessageBox::No;
    }
    return QMessageBox::NoButton;
}

} // namespace

TEST(MessageBoxLayout, FlagsGiveButtonsAndIcon)
{
    for (const FlagCase& c : kFlagCases) {
        const TMessageBoxLayout layout = MessageBoxLayout(c.flags);
        EXPECT_EQ(layout.Buttons, c.buttons) << c.flags;
        EXPECT_EQ(layout.Icon, c.icon) << c.flags;
    }
    EXPECT_EQ(MessageBoxLayout(17).EscapeResult, Cancel);
    EXPECT_EQ(MessageBoxLayout(51).EscapeResult, Cancel);
    EXPECT_EQ(MessageBoxLayout(52).EscapeResult, No);
    EXPECT_EQ(MessageBoxLayout(64).EscapeResult, Ok);
}

TEST(QtDialogs, MessageBoxShowsButtonsAndIconAndReturnsTheClickedButton)
{
    for (const FlagCase& c : kFlagCases) {
        for (int answer : c.buttons) {
            QString seenText;
            QString seenCaption;
            QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
            int seenButtons = 0;
            OnNextModal([&](QWidget* modal) {
                auto* box = qobject_cast<QMessageBox*>(modal);
                ASSERT_NE(box, nullptr);
                seenText = box->text();
                seenCaption = box->windowTitle();
                seenIcon = box->icon();
                seenButtons = int(box->buttons().size());
                for (int b : c.buttons)
                    EXPECT_NE(box->button(QtButton(b)), nullptr) << c.flags << " lacks " << b;
                box->button(QtButton(answer))->click();
            });
            EXPECT_EQ(
                ShowMessageBox(QStringLiteral("Delete it?"), QStringLiteral("Deleting"), c.flags), answer)
                << c.flags;
            EXPECT_EQ(seenText, QStringLiteral("Delete it?"));
            EXPECT_EQ(seenCaption, QStringLiteral("Deleting"));
            EXPECT_EQ(seenIcon, c.qtIcon) << c.flags;
            EXPECT_EQ(seenButtons, int(c.buttons.size())) << c.flags;
        }
    }
}

TEST(QtDialogs, ClosingWithEscapeGivesCancelOrNo)
{
    const std::pair<int, int> cases[] = { { 49, Cancel }, { 51, Cancel }, { 68, No } };
    for (const auto& [flags, expected] : cases) {
        OnNextModal([](QWidget* modal) { qobject_cast<QMessageBox*>(modal)->escapeButton()->click(); });
        EXPECT_EQ(ShowMessageBox(QStringLiteral("?"), QStringLiteral("c"), flags), expected) << flags;
    }
}

TEST(QtDialogs, InformationDialogWithYesAndNo)
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    OnNextModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        icon = box->icon();
        EXPECT_EQ(box->buttons().size(), 2);
        box->button(QMessageBox::Yes)->click();
    });
    EXPECT_EQ(MessageDlg(QStringLiteral("View the pages?"), TDialogButtons::YesNo), Yes);
    EXPECT_EQ(icon, QMessageBox::Information);

    OnNextModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        EXPECT_EQ(box->buttons().size(), 1);
        box->button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(MessageDlg(QStringLiteral("Done."), TDialogButtons::Ok), Ok);
}

TEST(QtDialogs, PlainMessageHasOnlyOk)
{
    QString text;
    OnNextModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        text = box->text();
        EXPECT_EQ(box->buttons().size(), 1);
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        box->button(QMessageBox::Ok)->click();
    });
    ShowMessage(QStringLiteral("Changes have been saved."));
    EXPECT_EQ(text, QStringLiteral("Changes have been saved."));
}

TEST(QtDialogs, InputQueryKeepsValueOnCancel)
{
    QString value = QStringLiteral("Holiday");
    OnNextModal([](QWidget* modal) {
        auto* dialog = qobject_cast<QInputDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->textValue(), QStringLiteral("Holiday"));
        EXPECT_EQ(dialog->labelText(), QStringLiteral("New name:"));
        dialog->setTextValue(QStringLiteral("Summer"));
        dialog->accept();
    });
    EXPECT_TRUE(Dialogs().InputQuery(QStringLiteral("Rename album"), QStringLiteral("New name:"), value));
    EXPECT_EQ(value, QStringLiteral("Summer"));

    OnNextModal([](QWidget* modal) { qobject_cast<QInputDialog*>(modal)->reject(); });
    EXPECT_FALSE(Dialogs().InputQuery(QStringLiteral("Rename album"), QStringLiteral("New name:"), value));
    EXPECT_EQ(value, QStringLiteral("Summer"));
}

TEST(ScriptedDialogs, AnswersFromTheQueueAndRecordsCalls)
{
    TScriptedDialogService dialogs;
    dialogs.QueueMessageResult(Yes);
    dialogs.QueueMessageResult(No);
    EXPECT_EQ(ShowMessageBox(QStringLiteral("first"), QStringLiteral("c1"), 52), Yes);
    EXPECT_EQ(MessageDlg(QStringLiteral("second"), TDialogButtons::YesNo), No);
    ShowMessage(QStringLiteral("third"));

    ASSERT_EQ(dialogs.Calls().size(), 3u);
    EXPECT_EQ(dialogs.Calls()[0].kind, TDialogCall::Kind::MessageBox);
    EXPECT_EQ(dialogs.Calls()[0].text, QStringLiteral("first"));
    EXPECT_EQ(dialogs.Calls()[0].caption, QStringLiteral("c1"));
    EXPECT_EQ(dialogs.Calls()[0].flags, 52);
    EXPECT_EQ(dialogs.Calls()[1].kind, TDialogCall::Kind::MessageDlg);
    EXPECT_EQ(dialogs.Calls()[1].flags, 68);
    EXPECT_EQ(dialogs.Calls()[2].kind, TDialogCall::Kind::ShowMessage);
    EXPECT_EQ(dialogs.LastCall(TDialogCall::Kind::ShowMessage)->text, QStringLiteral("third"));
    EXPECT_EQ(dialogs.CallCount(TDialogCall::Kind::MessageBox), 1);
    EXPECT_EQ(dialogs.PendingAnswers(), 0);
}

TEST(ScriptedDialogs, UnscriptedAnswersAreThoseOfClosingTheDialog)
{
    TScriptedDialogService dialogs;
    EXPECT_EQ(ShowMessageBox(QStringLiteral("?"), QString(), 51), Cancel);
    EXPECT_EQ(ShowMessageBox(QStringLiteral("?"), QString(), 52), No);
    EXPECT_EQ(ShowMessageBox(QStringLiteral("!"), QString(), 64), Ok);
    QString value = QStringLiteral("kept");
    EXPECT_FALSE(Dialogs().InputQuery(QStringLiteral("c"), QStringLiteral("p"), value));
    EXPECT_EQ(value, QStringLiteral("kept"));
    EXPECT_TRUE(Dialogs().OpenFileDialog({}).isEmpty());
    EXPECT_TRUE(Dialogs().SaveFileDialog({}).isEmpty());
    EXPECT_TRUE(Dialogs().SelectFolder(QStringLiteral("c"), QStringLiteral("/start")).isEmpty());
    EXPECT_FALSE(Dialogs().SelectColor(Qt::red).has_value());
    EXPECT_EQ(dialogs.LastCall(TDialogCall::Kind::SelectFolder)->initial, QStringLiteral("/start"));
    EXPECT_EQ(dialogs.LastCall(TDialogCall::Kind::SelectColor)->initial, QStringLiteral("#ff0000"));
}

TEST(ScriptedDialogs, InputFilesFoldersColoursAndShell)
{
    TScriptedDialogService dialogs;
    dialogs.QueueInput(QStringLiteral("New"));
    dialogs.QueueOpenFile(QStringLiteral("/a/b.tvx"));
    dialogs.QueueSaveFile(QStringLiteral("/a/c.tvx"));
    dialogs.QueueFolder(QStringLiteral("/a/out"));
    dialogs.QueueColor(QColor(0, 0, 196));

    QString value = QStringLiteral("Old");
    EXPECT_TRUE(Dialogs().InputQuery(QStringLiteral("Rename album"), QStringLiteral("New name:"), value));
    EXPECT_EQ(value, QStringLiteral("New"));
    EXPECT_EQ(dialogs.LastCall(TDialogCall::Kind::InputQuery)->initial, QStringLiteral("Old"));
    EXPECT_EQ(dialogs.LastCall(TDialogCall::Kind::InputQuery)->caption, QStringLiteral("Rename album"));

    TFileDialogOptions options;
    options.Filter = QStringLiteral("Tavrimolex albums (*.tvx)|*.tvx");
    options.DefaultExt = QStringLiteral("tvx");
    EXPECT_EQ(Dialogs().OpenFileDialog(options), QStringList { QStringLiteral("/a/b.tvx") });
    EXPECT_EQ(dialogs.LastCall(TDialogCall::Kind::OpenFile)->fileOptions.DefaultExt, QStringLiteral("tvx"));
    EXPECT_EQ(Dialogs().SaveFileDialog(options), QStringLiteral("/a/c.tvx"));
    EXPECT_EQ(Dialogs().SelectFolder(QString(), QString()), QStringLiteral("/a/out"));
    EXPECT_EQ(Dialogs().SelectColor(Qt::white), QColor(0, 0, 196));

    EXPECT_TRUE(Dialogs().ShellOpen(QStringLiteral("/site/index.html")));
    dialogs.SetShellOpenResult(false);
    EXPECT_FALSE(Dialogs().ShellOpen(QStringLiteral("/photo.jpg")));
    EXPECT_EQ(dialogs.ShellOpened(),
        (QStringList { QStringLiteral("/site/index.html"), QStringLiteral("/photo.jpg") }));
}

TEST(ScriptedDialogs, NestedServicesRestoreInOrder)
{
    TDialogService* before = &Dialogs();
    {
        TScriptedDialogService outer;
        EXPECT_EQ(&Dialogs(), &outer);
        {
            TScriptedDialogService inner;
            EXPECT_EQ(&Dialogs(), &inner);
        }
        EXPECT_EQ(&Dialogs(), &outer);
    }
    EXPECT_EQ(&Dialogs(), before);
}
