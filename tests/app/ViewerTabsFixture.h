// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Shared set-up of the tests of the Photos tab's thumbnail and slide-show
// pages: a sandboxed program folder and settings file, an album file of real
// pictures, scripted dialogs and the real main window.
#include "app/main/Tfm_MainForm.h"
#include "common/ScriptedDialogService.h"
#include "common/Tfm_StatusWindow.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "platform/AppFolders.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

class ViewerTabsFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        program = dir.filePath(QStringLiteral("bin"));
        QDir().mkpath(program);
        AppFolders::SetProgramFolderForTesting(program);
        oldData = qgetenv("XDG_DATA_HOME");
        oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath(QStringLiteral("xdg/data"))));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath(QStringLiteral("xdg/config"))));
        WriteSettings(QByteArray());
        ShutdownLanguage();
        CurrentLangType = LT_Default;
        Tfm_StatusWindow::SetHideDelay(0);
        photos = dir.filePath(QStringLiteral("photos"));
        QDir().mkpath(photos);
        QDir().mkpath(dir.filePath(QStringLiteral("albums")));
    }

    void TearDown() override
    {
        form.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ShutdownLanguage();
        CurrentLangType = LT_Default;
        Tfm_StatusWindow::SetHideDelay(Tfm_StatusWindow::DefaultHideDelayMs);
        AppFolders::SetProgramFolderForTesting(QString());
        qputenv("XDG_DATA_HOME", oldData);
        qputenv("XDG_CONFIG_HOME", oldConfig);
    }

    QString SettingsFile() const { return program + QStringLiteral("/tavrimolex.Ini"); }

    // English is chosen; more holds further sections.
    void WriteSettings(const QByteArray& more)
    {
        QFile settings(SettingsFile());
        ASSERT_TRUE(settings.open(QIODevice::WriteOnly | QIODevice::Truncate));
        settings.write("[Languange]\r\nSelected=1\r\nLanguageID=0\r\n" + more);
    }

    QString Picture(const QString& name, int width = 24, int height = 18)
    {
        const QString path = photos + u'/' + name;
        QImage picture(width, height, QImage::Format_RGB32);
        picture.fill(QColor(90, 160, 40));
        EXPECT_TRUE(picture.save(path, "BMP"));
        return path;
    }

    // An album file with count pictures (p0.bmp, p1.bmp, ...) of the given thumbnail size.
    QString MakeAlbum(const QString& name, int count, int thumbWidth = 40, int thumbHeight = 40)
    {
        const QString file = dir.filePath(QStringLiteral("albums/") + name);
        TAlbum album(file);
        album.SetThumbWidth(thumbWidth);
        album.SetThumbHeight(thumbHeight);
        for (int i = 0; i < count; ++i) {
            auto photo = std::make_unique<TPhoto>();
            photo->SetId(album.GetPhotos().TakeNextId());
            photo->SetName(Picture(QStringLiteral("p%1.bmp").arg(i)));
            album.GetPhotos().Add(std::move(photo));
        }
        EXPECT_TRUE(album.SaveToFile());
        return file;
    }

    Tfm_MainForm& Start()
    {
        form = std::make_unique<Tfm_MainForm>();
        return *form;
    }

    void OpenAt(const QString& albumFile, const char* page)
    {
        ASSERT_TRUE(form->OpenAlbum(albumFile));
        Find<QTabWidget>("pc_Photos")->setCurrentWidget(Find<QWidget>(page));
    }

    template <class T> T* Find(const char* name) const
    {
        T* found = form->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    bool Enabled(const char* name) const { return Find<QWidget>(name)->isEnabled(); }

    // Chooses a row of a drop-down list as the user does.
    void Choose(const char* combo, const QString& text)
    {
        auto* box = Find<QComboBox>(combo);
        const int row = box->findText(text);
        ASSERT_GE(row, 0) << text.toStdString();
        box->setCurrentIndex(row);
        emit box->activated(row);
    }

    QString ThumbnailFolder(const QString& albumFile) const
    {
        return albumFile.left(albumFile.size() - 4) + QStringLiteral("_thumbnails");
    }

    QTemporaryDir dir;
    QString program;
    QString photos;
    QByteArray oldData, oldConfig;
    TScriptedDialogService dialogs;
    std::unique_ptr<Tfm_MainForm> form;
};
