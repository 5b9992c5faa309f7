// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Shared set-up of the Photos tab tests: an album of real picture files in a
// sandbox, opened in a session, the Photos tab's page with a fake main window,
// and scripted dialogs.
#include "app/photos/AlbumPhotoList.h"
#include "app/photos/AlbumPhotoRenamer.h"
#include "app/photos/PhotoInfoPanel.h"
#include "app/photos/PhotosPage.h"
#include "app/shared/AlbumActions.h"
#include "app/shared/AlbumSession.h"
#include "app/shared/PageHost.h"
#include "common/ScriptedDialogService.h"
#include "common/Tfm_SelectdirectoryWindow.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "platform/IniFile.h"
#include "ui_TabPhotos.h"
#include "viewers/PhotoWindowList.h"
#include "widgets/FolderTree.h"
#include "widgets/PageControl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

class TFakePageHost : public TPageHost {
public:
    TPhotoWindowList* PhotoWindows() const override { return windows.get(); }
    IniFile* Settings() const override { return ini.get(); }

    std::unique_ptr<IniFile> ini;
    std::unique_ptr<TPhotoWindowList> windows = std::make_unique<TPhotoWindowList>();
};

// The program's folder window, answered as soon as it shows: the folder it
// starts at is noted, then answer is chosen with OK, or Cancel pressed when
// answer is empty.
class TFolderWindowAnswer : public QObject {
public:
    TFolderWindowAnswer()
    {
        SetSelectdirectoryWindow(&window);
        window.installEventFilter(this);
    }
    ~TFolderWindowAnswer() override { SetSelectdirectoryWindow(nullptr); }

    Tfm_SelectdirectoryWindow window;
    QString answer;
    QStringList starts;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &window && event->type() == QEvent::Show) {
            starts.append(window.GetFolder());
            // Answered once the window waits for the user.
            QTimer::singleShot(0, this, [this] {
                if (answer.isEmpty()) {
                    QTest::mouseClick(
                        window.findChild<QPushButton*>(QStringLiteral("bt_Cancel")), Qt::LeftButton);
                    return;
                }
                window.SetFolder(answer);
                QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("bt_Ok")), Qt::LeftButton);
            });
        }
        return QObject::eventFilter(watched, event);
    }
};

class PhotoTabTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        host.ini = std::make_unique<IniFile>(dir.filePath(QStringLiteral("tavrimolex.Ini")));
        root = std::make_unique<TPhotosPage>(session, actions, host);
        panel = root->PhotoPanel();
        list = root->PhotoList();
        root->ApplyLanguage(*Language());
        session.Open(std::make_unique<TAlbum>(dir.filePath(QStringLiteral("test.tvx"))));
        ChooseFolder(dir.path());
        ShowPage(root->Form().ts_PhotosInAlbum);
        // Whatever the panel or the renamer replaces, the thumbnails must follow.
        const auto note = [this](const QString& path) { replacedRecords.append(path); };
        QObject::connect(panel, &TPhotoInfoPanel::PhotoRecordReplaced, note);
        QObject::connect(root->PhotoRenamer(), &TAlbumPhotoRenamer::PhotoRecordReplaced, note);
    }

    void TearDown() override
    {
        root.reset();
        host.windows.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    TAlbum& Album() const { return *session.Album(); }
    void ShowPage(QWidget* page) const { root->Form().pc_Photos->setCurrentWidget(page); }
    // The folder the available photos come from, chosen in the tree.
    void ChooseFolder(const QString& folder) const
    {
        ASSERT_TRUE(root->Form().stvPhotoFolders->SetFolder(folder)) << folder.toStdString();
    }

    template <class T> T* Find(const char* name) const { return root->findChild<T*>(QLatin1String(name)); }
    QListWidget* Rows() const { return Find<QListWidget>("lb_PhotosInAlbum"); }
    QListWidget* Objects() const { return Find<QListWidget>("lb_PhotoObjects"); }
    QLineEdit* Year() const { return Find<QLineEdit>("eb_Year"); }
    QPlainTextEdit* Description() const { return Find<QPlainTextEdit>("mm_PhotoDescription"); }
    QComboBox* Event() const { return Find<QComboBox>("cb_Event"); }
    QCheckBox* DontPublish() const { return Find<QCheckBox>("chb_DontPublishForTheInternet"); }
    QLineEdit* Name() const { return Find<QLineEdit>("eb_PhotoName"); }
    QLineEdit* Status() const { return Find<QLineEdit>("eb_PhotoStatus"); }
    TPhotoList& Photos() const { return Album().GetPhotos(); }

    QString WritePicture(const QString& name)
    {
        const QString path = dir.filePath(name);
        QImage picture(8, 6, QImage::Format_RGB32);
        picture.fill(Qt::green);
        EXPECT_TRUE(picture.save(path, "BMP"));
        return path;
    }

    // Adds a photo with a picture file to the album; returns its path.
    QString AddPhoto(const QString& name, const QString& year = {}, const QString& description = {})
    {
        const QString path = WritePicture(name);
        auto photo = std::make_unique<TPhoto>();
        photo->SetId(Photos().TakeNextId());
        photo->SetName(path);
        photo->SetYear(year);
        photo->SetDescription(description);
        Photos().Add(std::move(photo));
        return path;
    }

    TPhoto* PhotoNamed(const QString& path) const
    {
        const int index = Photos().IndexOfName(path);
        return index >= 0 ? Photos().PhotoAt(index) : nullptr;
    }

    QStringList AlbumOrder() const
    {
        QStringList names;
        for (int i = 0; i < Photos().Count(); ++i)
            names.append(Photos().PhotoAt(i)->GetFileNameOnly());
        return names;
    }

    // The photos as the album file on disk lists them; none before it is first saved.
    QStringList SavedOrder() const
    {
        QStringList names;
        if (!QFileInfo::exists(Album().GetFileName()))
            return names;
        const std::unique_ptr<TAlbum> saved = TAlbum::CreateFromFile(Album().GetFileName(), nullptr);
        for (int i = 0; i < saved->GetPhotos().Count(); ++i)
            names.append(saved->GetPhotos().PhotoAt(i)->GetFileNameOnly());
        return names;
    }

    QStringList RowNames() const
    {
        QStringList names;
        for (int i = 0; i < Rows()->count(); ++i)
            names.append(Rows()->item(i)->text().section(QLatin1Char('/'), -1));
        return names;
    }

    QList<int> SelectedRows() const
    {
        QList<int> rows;
        for (int i = 0; i < Rows()->count(); ++i)
            if (Rows()->item(i)->isSelected())
                rows.append(i);
        return rows;
    }

    void SelectRows(std::initializer_list<int> rows)
    {
        Rows()->clearSelection();
        for (int row : rows)
            Rows()->item(row)->setSelected(true);
        if (rows.size() > 0)
            Rows()->setCurrentRow(*rows.begin(), QItemSelectionModel::Current);
    }

    // Opens the tab on an album: labels and events filled, list built.
    void EnterTab()
    {
        list->ListAlbumPhotos(PF_AllPhotos);
        panel->ts_PhotosEnter();
    }

    // A click on a row, as the user makes it.
    void ClickRow(int row)
    {
        Rows()->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
        list->lb_PhotosInAlbumMouseUp(Qt::LeftButton, Qt::NoModifier);
    }

    QItemSelectionModel::SelectionFlags Flags() const { return QItemSelectionModel::ClearAndSelect; }

    QTemporaryDir dir;
    TScriptedDialogService dialogs;
    TAlbumSession session;
    TAlbumActions actions { session };
    TFakePageHost host;
    TFolderWindowAnswer folderWindow;
    std::unique_ptr<TPhotosPage> root;
    TPhotoInfoPanel* panel = nullptr;
    TAlbumPhotoList* list = nullptr;
    QStringList replacedRecords;
};
