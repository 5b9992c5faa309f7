#pragma once
// Shared set-up of the Photos tab tests: an album of real picture files in a
// sandbox, a fake main window, the information panel and the photo list on
// one root widget, and scripted dialogs.
#include "app/photos/AlbumPhotoList.h"
#include "app/photos/PhotoInfoPanel.h"
#include "app/photos/PhotoPanelHost.h"
#include "common/ScriptedDialogService.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "platform/IniFile.h"
#include "ui_TabPhotos.h"
#include "viewers/PhotoWindowList.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

class TFakePhotoHost : public TPhotoPanelHost {
public:
    TAlbum* Album() const override { return album.get(); }
    bool ContentsChanged() const override { return changed; }
    void SetContentsChanged(bool value) override { changed = value; }
    TPhotoWindowList* PhotoWindows() const override { return windows.get(); }
    IniFile* Settings() const override { return ini.get(); }
    QChar AlbumDriveLetter() const override { return QLatin1Char(' '); }
    bool PhotosInAlbumPageActive() const override { return albumPage; }
    QString AvailablePhotoFolder() const override { return folder; }
    void PhotoRecordReplaced(const QString& path) override { replaced.append(path); }
    void TakeBackFocus() override { }
    bool SaveCurrentAlbum() override
    {
        ++saves;
        if (!saveWorks)
            return false;
        album->SaveToFile();
        changed = false;
        return true;
    }

    std::unique_ptr<TAlbum> album;
    std::unique_ptr<IniFile> ini;
    std::unique_ptr<TPhotoWindowList> windows = std::make_unique<TPhotoWindowList>();
    bool changed = false;
    bool albumPage = true;
    QString folder;
    QStringList replaced;
    int saves = 0;
    bool saveWorks = true;
};

class PhotoTabTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        host.ini = std::make_unique<IniFile>(dir.filePath(QStringLiteral("tavrimolex.Ini")));
        host.album = std::make_unique<TAlbum>(dir.filePath(QStringLiteral("test.tvx")));
        host.folder = dir.path();
        // The panel and the list find their controls in the Photos tab's own form.
        root = std::make_unique<QWidget>();
        form.setupUi(root.get());
        panel = new TPhotoInfoPanel(root.get(), host);
        list = new TAlbumPhotoList(root.get(), host, *panel);
        panel->ApplyLanguage(*Language());
        list->ApplyLanguage(*Language());
    }

    void TearDown() override
    {
        root.reset();
        host.windows.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
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
    TPhotoList& Photos() const { return host.album->GetPhotos(); }

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
    TFakePhotoHost host;
    std::unique_ptr<QWidget> root;
    Ui::TabPhotos form;
    TPhotoInfoPanel* panel = nullptr;
    TAlbumPhotoList* list = nullptr;
};
