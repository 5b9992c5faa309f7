// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/HTMLGenerator.h"

#include "export/ExportError.h"
#include "export/ExportText.h"
#include "export/FramedFramePages.h"
#include "export/FramedNavigationScript.h"
#include "export/FramedPhotoPages.h"
#include "export/FramedStyleSheet.h"
#include "export/FramedThumbnailPages.h"
#include "export/PageWriter.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "platform/TextUtil.h"

#include <QHash>
#include <QSet>

#include <memory>

// The style sheet, the frame pages, the thumbnail and photo pages and the
// navigation script of the framed site. The Framed builders make the lines;
// here they are written, and the run's progress and remarks are kept.

namespace {

// A page is replaced only once all of it is written; a failure leaves the
// run as an EExportError.
void WritePage(const QString& fileName, const QStringList& lines)
{
    TPageWriter page(fileName);
    page.Lines(lines);
    page.Close();
}

QString Num(int value)
{
    return QString::number(value);
}

} // namespace

bool THTMLGenerator::WriteStyleSheet()
{
    CssFile = CssFolder + QStringLiteral("tavrimolex.css");
    WritePage(CssFile, Framed::StyleSheet());
    AddRemark(Text::Format(Language()->HG[22], { CssFile }));
    return true;
}

bool THTMLGenerator::WriteIndexPage()
{
    IndexFile = RootFolder + QStringLiteral("index.htm");
    TopFile = HtmlFolder + QStringLiteral("top.htm");
    ListFile = HtmlFolder + QStringLiteral("list.htm");
    FirstGroupFrame = HtmlFolder + QStringLiteral("albums/album1/ThumbnailFrame.htm");
    WritePage(IndexFile,
        Framed::IndexPage(RelativeUrl(TopFile, RootFolder), RelativeUrl(ListFile, RootFolder),
            RelativeUrl(FirstGroupFrame, RootFolder)));
    AddRemark(Text::Format(Language()->HG[23], { IndexFile }));
    return true;
}

bool THTMLGenerator::WriteTopPage()
{
    TopFile = HtmlFolder + QStringLiteral("top.htm");
    WritePage(TopFile, Framed::TopPage(Options().Title));
    AddRemark(Text::Format(Language()->HG[24], { TopFile }));
    return true;
}

bool THTMLGenerator::WriteListPage()
{
    ListFile = HtmlFolder + QStringLiteral("list.htm");
    WritePage(ListFile, Framed::ListPage(Mappings));
    AddRemark(Text::Format(Language()->HG[30], { ListFile }));
    return true;
}

bool THTMLGenerator::WriteThumbnailPages()
{
    const TLanguageSelector& lang = *Language();
    const TExportStepKind kind = TExportStepKind::ThumbnailPages;
    TExportStepView& step = Step(kind);
    StartProgress(kind, PhotoCategoryCount);

    const TExportOptions& options = Options();
    const Framed::TThumbnailGrid grid { options.ThumbColumns, options.ThumbRows, options.ThumbWidth,
        options.ThumbHeight };
    for (int category = 0; category < PhotoCategoryCount; ++category) {
        const TPhotoMapping& mapping = Mappings[size_t(category)];
        const QString& prefix = mapping.Prefix;
        const QString& word = lang.HG[size_t(31 + category)];
        const int groups = mapping.Count();
        for (int a = 0; a < groups; ++a) {
            TPhotoItem& item = *mapping.Item(a);
            const QString groupFolder = prefix + Num(a + 1);
            item.Folder = mapping.PageFolder + groupFolder + u'/';
            item.FramePage = item.Folder + QStringLiteral("ThumbnailFrame.htm");
            item.TopPage = item.Folder + QStringLiteral("ThumbnailFrameTop.htm");
            item.BottomPage = item.Folder + QStringLiteral("ThumbnailFrameBottom.htm");

            step.SetCurrentFile(item.FramePage);
            std::unique_ptr<TPageWriter> frame;
            try {
                frame = std::make_unique<TPageWriter>(item.FramePage);
            } catch (const EExportError&) {
                Reporter().ShowMessage(item.FramePage);
                throw;
            }
            frame->Lines(Framed::ThumbnailFrame());
            frame->Close();

            step.SetCurrentFile(item.TopPage);
            WritePage(item.TopPage,
                Framed::ThumbnailFrameTop(prefix, word, item.Name, int(item.Photos.size()), a, groups));

            Framed::TThumbnailGroup group;
            group.Key = item.Key;
            // The category folder is always the prefix and "s".
            group.Path = prefix + u's' + u'_' + groupFolder;
            for (const TPhoto* photo : item.Photos)
                group.Numbers << photo->GetHtmlNumber();
            const int pages = grid.PageCount(int(group.Numbers.size()));
            for (int p = 1; p <= pages; ++p) {
                const QString contents = item.Folder + QStringLiteral("ThumbnailFrameContents%1.htm").arg(p);
                step.SetCurrentFile(contents);
                WritePage(contents,
                    Framed::ThumbnailFrameContents(group, grid, p, (p - 1) * grid.PerPage(), Stopped));
                // A category may hold thousands of groups and a group many
                // pages: the window stays responsive and Stop is heard here.
                Reporter().ProcessEvents();
                if (Stopped)
                    break;
            }

            step.SetCurrentFile(item.BottomPage);
            WritePage(item.BottomPage, Framed::ThumbnailFrameBottom(pages));
            Reporter().ProcessEvents();
            if (Stopped)
                break;
        }
        if (Stopped)
            break;
        StepProgress(kind, category + 1);
        Reporter().ProcessEvents();
    }
    return true;
}

bool THTMLGenerator::WritePhotoPages()
{
    const TLanguageSelector& lang = *Language();
    const TExportStepKind kind = TExportStepKind::PhotoPages;
    TExportStepView& step = Step(kind);
    StartProgress(kind, GetPhotoCount());

    // Every group that holds a photo, by the photo's path, in category and
    // group order: one pass over the groups instead of one per page.
    QHash<QString, QList<Framed::TNavigationValues>> navigation;
    for (const TPhotoMapping& mapping : Mappings) {
        for (const auto& item : mapping.Items) {
            const QList<TPhoto*>& photos = item->Photos;
            const int quantity = int(photos.size());
            QSet<QString> seen;
            for (int i = 0; i < quantity; ++i) {
                const QString path = photos.at(i)->GetName();
                if (seen.contains(path))
                    continue;
                seen.insert(path);
                Framed::TNavigationValues values;
                values.Key = Text::Trim(item->Key);
                values.Prev = photos.at((i + quantity - 1) % quantity)->GetHtmlNumber();
                values.Next = photos.at((i + 1) % quantity)->GetHtmlNumber();
                values.Quantity = quantity;
                values.Index = i + 1;
                navigation[path] << values;
            }
        }
    }

    const TExportOptions& options = Options();
    int written = 0;
    for (const auto& album : Albums) {
        const TPhotoList& photos = album->GetPhotos();
        for (int i = 0; i < photos.Count() && !Stopped; ++i) {
            const TPhoto& photo = *photos.PhotoAt(i);
            Framed::TPhotoPageData data;
            data.Number = photo.GetHtmlNumber();
            data.Navigation = navigation.value(photo.GetName());
            if (options.LinkToOriginals
                && !Framed::OriginalPhotoAddress(
                    photo.GetName(), options.LocalPath, options.WebPath, data.OriginalAddress)) {
                // An address made by cutting characters off a path outside the
                // published folder would point at some other file.
                AddRemark(lang.HG[44] + QStringLiteral(": ") + photo.GetName() + QStringLiteral(" (")
                    + lang.MF[343] + u' ' + options.LocalPath + u')');
            }
            for (const int id : photo.GetObjectIds().Values())
                data.ObjectNames << album->ObjectNameById(id);
            data.EventName = album->EventNameById(photo.GetEventId());
            data.Description = photo.GetDescription();
            data.AlbumDescription = album->GetDescription();
            data.FileName = photo.GetFileNameOnly();
            data.Year = photo.GetYear();
            data.AlbumName = album->GetName();

            const QString file = PhotoPagesFolder + QStringLiteral("PhotoContents%1.htm").arg(data.Number);
            WritePage(file, Framed::PhotoPage(data));
            ++written;
            StepProgress(kind, written);
            step.SetCurrentFile(file);
            Reporter().ProcessEvents();
        }
        if (Stopped)
            break;
    }
    return true;
}

bool THTMLGenerator::WriteNavigationScript()
{
    WritePage(ScriptFolder + QStringLiteral("navigation.js"), Framed::NavigationScript());
    return true;
}
