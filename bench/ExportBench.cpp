// SPDX-License-Identifier: GPL-2.0-or-later
// Makes a framed or a photo-by-photo web site of the given photos with the
// program's own generators and times it, on a chosen number of threads (0:
// the machine's). Driven by export-bench.sh.
//
//   tavri_export_bench framed|simple THREADS WORKFOLDER FILE...
//
// The site has 580x360 web photos and 100x75 thumbnails at JPEG quality 80;
// it is written to WORKFOLDER/site, its album to WORKFOLDER/Bench.tvx.
#include "export/ExportReporter.h"
#include "export/HTMLGenerator.h"
#include "export/HTMLGeneratorSimple.h"
#include "imaging/FreeImageBinding.h"
#include "model/Album.h"
#include "platform/OrderedWork.h"
#include "platform/StatusReporter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>

#include <array>
#include <cstdio>
#include <exception>

namespace {

class SilentStatus : public TStatusReporter {
public:
    void SetRange(int, int maximum) override { m_maximum = maximum; }
    void SetPosition(int position) override { m_position = position; }
    int Position() const override { return m_position; }
    int Maximum() const override { return m_maximum; }
    void StepIt() override { ++m_position; }
    void SetNumberToGo(const QString&) override { }
    void SetSubject(const QString&) override { }
    void SetObject(const QString&) override { }
    void ShowStatus() override { }
    void ProcessEvents() override { }
    bool IsCancelled() const override { return false; }

private:
    int m_maximum = 0;
    int m_position = 0;
};

class SilentStep : public TExportStepView {
public:
    void SetDone(bool) override { }
    void SetMinimum(int) override { }
    void SetMaximum(int maximum) override { m_maximum = maximum; }
    int Maximum() const override { return m_maximum; }
    void SetStep(int) override { }
    void StepIt() override { }
    void SetToGo(const QString&) override { }
    void SetCurrentFile(const QString&) override { }

private:
    int m_maximum = 0;
};

// Says what a user would be told on standard error and answers every
// question with Yes; pumps events as the real window does.
class BenchReporter : public TExportReporter {
public:
    void AddRemark(const QString&) override { }
    void AddPhotoNotFound(const QString& line) override { Print(line); }
    TExportStepView& Step(TExportStepKind kind) override { return m_steps[size_t(kind)]; }
    void Inform(const QString& text) override { Print(text); }
    bool AskYesNo(const QString& text) override
    {
        Print(text);
        return true;
    }
    void ShowMessage(const QString& text) override { Print(text); }
    void ProcessEvents() override { QCoreApplication::processEvents(); }
    std::unique_ptr<TStatusReporter> CreateStatusWindow() override
    {
        return std::make_unique<SilentStatus>();
    }

private:
    static void Print(const QString& text) { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    std::array<SilentStep, ExportStepCount> m_steps;
};

template <class TGenerator> bool Generate(const TExportOptions& options)
{
    BenchReporter reporter;
    TGenerator generator;
    generator.Initialize(options, reporter);
    return generator.Generate();
}

int Run(bool framed, int threads, const QString& work, const QStringList& files)
{
    const QString site = work + QStringLiteral("/site/");
    QDir(site).removeRecursively();
    QDir().mkpath(site);
    const QString albumFile = work + QStringLiteral("/Bench.tvx");
    {
        TAlbum album(albumFile);
        for (const QString& file : files) {
            auto photo = std::make_unique<TPhoto>();
            photo->SetId(album.GetPhotos().TakeNextId());
            photo->SetName(QFileInfo(file).absoluteFilePath());
            photo->SetUseInHtml(true);
            album.GetPhotos().Add(std::move(photo));
        }
        if (!album.SaveToFile()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(albumFile));
            return 1;
        }
    }

    TExportOptions options;
    options.AlbumFiles = { albumFile };
    options.OutputDir = site;
    options.ResizePhotos = true;
    options.PhotoWidth = 580;
    options.PhotoHeight = 360;
    options.ThumbWidth = 100;
    options.ThumbHeight = 75;
    options.ThumbColumns = 5;
    options.ThumbRows = 4;
    options.JpegQuality = 80;
    QImage background(8, 8, QImage::Format_RGB32);
    background.fill(Qt::darkBlue);
    options.Background.Image = background;
    QImage dot(10, 10, QImage::Format_RGB32);
    dot.fill(Qt::gray);
    options.SlideShowImages = { dot, dot };

    LoadFreeImageLibrary();
    FreeImageInitialise(false);
    SetWorkerThreadCount(threads);
    QElapsedTimer timer;
    timer.start();
    bool made = false;
    try {
        made = framed ? Generate<THTMLGenerator>(options) : Generate<THTMLGeneratorSimple>(options);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    WaitForWorkers();
    FreeImageDeInitialise();
    if (!made)
        return 1;
    std::printf("%.6f\n", seconds);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // Offscreen: the benchmark needs QtGui's image code, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() >= 5 && (args[1] == QLatin1String("framed") || args[1] == QLatin1String("simple")))
        return Run(args[1] == QLatin1String("framed"), args[2].toInt(), args[3], args.mid(4));
    std::fprintf(stderr, "usage: %s framed|simple THREADS WORKFOLDER FILE...\n", argv[0]);
    return 2;
}
