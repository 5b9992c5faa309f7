// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Shared set-up of the photo-window tests: a sandbox with pictures, a settings
// file, a scripted dialog service and a list of photo windows.
#include "common/ScriptedDialogService.h"
#include "imaging/JpegCodec.h"
#include "platform/IniFile.h"
#include "viewers/PhotoNavigation.h"
#include "viewers/PhotoWindowList.h"
#include "viewers/Tfm_PhotoWindow.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

// Counts the navigation commands a photo window gives.
struct TNavigationCounter {
    int previous = 0;
    int next = 0;
    int first = 0;
    int last = 0;

    TPhotoNavigation Navigation()
    {
        return TPhotoNavigation([this](QObject*) { ++previous; }, [this](QObject*) { ++next; },
            [this](QObject*) { ++first; }, [this](QObject*) { ++last; });
    }
};

class PhotoWindowFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ini = std::make_unique<IniFile>(dir.filePath(QStringLiteral("tavrimolex.Ini")));
        list = std::make_unique<TPhotoWindowList>();
    }

    void TearDown() override
    {
        list.reset();
        FlushDeletes();
        TPhotoWindowList::SetRandomSource(nullptr);
    }

    static void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    // A picture whose left half is red and right half blue, so that a
    // rotation can be told from the original.
    static QImage TwoColourPicture(int width, int height)
    {
        QImage picture(width, height, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width / 2; ++x)
                picture.setPixel(x, y, qRgb(255, 0, 0));
        return picture;
    }

    QString WriteBmp(const QString& name, int width, int height)
    {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(TwoColourPicture(width, height).save(path, "BMP"));
        return path;
    }

    QString WriteJpeg(const QString& name, int width, int height)
    {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(SaveJpegFile(TwoColourPicture(width, height), path, 95));
        return path;
    }

    QString WriteBytes(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    Tfm_PhotoWindow* OpenWindow(bool reuse = false)
    {
        return list->GetPhotoWindow(reuse, ini.get(), counter.Navigation());
    }

    QTemporaryDir dir;
    TScriptedDialogService dialogs;
    std::unique_ptr<IniFile> ini;
    std::unique_ptr<TPhotoWindowList> list;
    TNavigationCounter counter;
};
