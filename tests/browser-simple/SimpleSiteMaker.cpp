// Makes two small photo-by-photo web sites for the browser test, with the
// program's own album model and generator:
//
//   simple_site_maker <work folder>
//
// <work folder>/site: one album of three photos; the show starts on a button.
// <work folder>/autosite: the same photos; the show starts by itself.
// The exit code is 0 when both runs reported success.
#include "export/HTMLGeneratorSimple.h"
#include "imaging/JpegCodec.h"
#include "model/Album.h"
#include "platform/StatusReporter.h"

#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QImage>

#include <array>
#include <cstdio>
#include <exception>

namespace {

class QuietStep : public TExportStepView {
public:
    void SetDone(bool) override { }
    void SetMinimum(int) override { }
    void SetMaximum(int value) override { m_maximum = value; }
    int Maximum() const override { return m_maximum; }
    void SetStep(int) override { }
    void StepIt() override { }
    void SetToGo(const QString&) override { }
    void SetCurrentFile(const QString&) override { }

private:
    int m_maximum = 0;
};

class QuietStatus : public TStatusReporter {
public:
    void SetRange(int, int) override { }
    void SetPosition(int) override { }
    int Position() const override { return 0; }
    int Maximum() const override { return 0; }
    void StepIt() override { }
    void SetNumberToGo(const QString&) override { }
    void SetSubject(const QString&) override { }
    void SetObject(const QString&) override { }
    void ShowStatus() override { }
    void ProcessEvents() override { }
    bool IsCancelled() const override { return false; }
};

// Prints what a user would be told; a question means something went wrong.
class PrintingReporter : public TExportReporter {
public:
    void AddRemark(const QString&) override { }
    void AddPhotoNotFound(const QString& line) override { Print(line); }
    TExportStepView& Step(TExportStepKind kind) override { return m_steps[size_t(kind)]; }
    void Inform(const QString& text) override { Print(text); }
    bool AskYesNo(const QString& text) override
    {
        Print(text);
        return false;
    }
    void ShowMessage(const QString& text) override { Print(text); }
    void ProcessEvents() override { }
    std::unique_ptr<TStatusReporter> CreateStatusWindow() override { return std::make_unique<QuietStatus>(); }

private:
    static void Print(const QString& text) { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    std::array<QuietStep, ExportStepCount> m_steps;
};

QImage Filled(int width, int height, QColor colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

bool MakeSite(const QString& albumFile, const QString& site, bool startSlideShow)
{
    if (!QDir().mkpath(site))
        return false;
    TExportOptions options;
    options.AlbumFiles = { albumFile };
    options.OutputDir = site;
    options.PhotoWidth = 580;
    options.PhotoHeight = 360;
    options.JpegQuality = 80;
    options.Title = QStringLiteral("Walks & views");
    options.Background.Image = Filled(8, 8, Qt::white);
    options.SlideShowImages = { Filled(10, 10, Qt::gray), Filled(10, 10, Qt::red) };
    options.StartSlideShow = startSlideShow;

    PrintingReporter reporter;
    THTMLGeneratorSimple generator;
    generator.Initialize(options, reporter);
    return generator.Generate() && generator.GetFlaggedPhotoCount() == 3;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: simple_site_maker <work folder>\n");
        return 2;
    }
    const QString work = QDir(args.at(1)).absolutePath() + u'/';
    const QString photos = work + QStringLiteral("photos/");
    if (!QDir().mkpath(photos)) {
        std::fprintf(stderr, "cannot make the work folders\n");
        return 2;
    }

    try {
        const QString albumFile = work + QStringLiteral("Walk.tvx");
        TAlbum album(albumFile);
        album.SetDescription(QStringLiteral("Three photos <of> a walk"));
        const std::array<QColor, 3> colours { QColor(200, 40, 40), QColor(40, 160, 40), QColor(40, 40, 200) };
        for (size_t k = 0; k < colours.size(); ++k) {
            const QString path = photos + QStringLiteral("walk-%1.jpg").arg(k + 1);
            if (!SaveJpegFile(Filled(200, 150, colours[k]), path, 80)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                return 2;
            }
            auto photo = std::make_unique<TPhoto>();
            photo->SetId(album.GetPhotos().TakeNextId());
            photo->SetName(path);
            photo->SetDescription(QStringLiteral("Photo %1 of the walk").arg(k + 1));
            album.GetPhotos().Add(std::move(photo));
        }
        album.SaveToFile();

        const bool made = MakeSite(albumFile, work + QStringLiteral("site"), false)
            && MakeSite(albumFile, work + QStringLiteral("autosite"), true);
        return made ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
