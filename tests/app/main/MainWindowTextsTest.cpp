// SPDX-License-Identifier: GPL-2.0-or-later
#include "MainWindowFixture.h"

#include "widgets/FolderTree.h"
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolTip>

namespace {

enum class Form { Plain, Padded, Spaced, Prefix };

struct TTextRow {
    const char* name;
    int text;
    Form form;
};

// Every control of the main window that shows a text of the language record,
// in the order the window sets them.
const TTextRow TextRows[] = {
    { "ts_Albums", 128, Form::Plain },
    { "pb_SelectFolder", 129, Form::Plain },
    { "st_AlbumName", 130, Form::Plain },
    { "st_AlbumDescription", 131, Form::Plain },
    { "gb_AlbumAction", 132, Form::Padded },
    { "pb_CreateNewAlbum", 133, Form::Plain },
    { "pb_SaveAlbum", 134, Form::Plain },
    { "pb_CloseAlbum", 135, Form::Plain },
    { "pb_CreateHTML", 136, Form::Plain },
    { "pb_RenameAlbum", 401, Form::Plain },
    { "pb_OpenExistingAlbum", 416, Form::Plain },
    { "ts_AvailableAlbums", 137, Form::Plain },
    { "ts_RecentlyUsedAlbums", 138, Form::Plain },
    { "ts_ImportAlbums", 139, Form::Plain },
    { "pnlHeaderDrivesAndFolder", 140, Form::Plain },
    { "pnlHeaderExistingAlbums", 141, Form::Plain },
    { "pnlHeaderRecentlyUsedalbums", 142, Form::Plain },
    { "pb_OpenAlbum", 143, Form::Plain },
    { "pb_OpenAlbumForHTMLCreation", 144, Form::Plain },
    { "pb_RemoveAlbumFromList", 145, Form::Plain },
    { "pb_RemoveAlbumFromDisc", 146, Form::Plain },
    { "pnlHeaderFoldersImportalbums", 140, Form::Plain },
    { "pnlHeaderAvailableAlbumsForImport", 147, Form::Plain },
    { "pb_AddToImportAlbums", 148, Form::Plain },
    { "pb_ImportSelectedAlbums", 149, Form::Plain },
    { "pb_RemoveImportAlbum", 150, Form::Plain },
    { "pnlHeaderAlbumsSelectedForImport", 151, Form::Plain },
    { "ts_SearchAlbums", 193, Form::Plain },
    { "pnlHeaderSearchAlbums", 194, Form::Plain },
    { "bt_SearchForAlbums", 195, Form::Plain },
    { "pb_Stop", 196, Form::Plain },
    { "pnlHeaderAlbumsFound", 197, Form::Plain },
    { "pb_OpenFoundAlbum", 198, Form::Plain },
    { "pb_UseAlbum", 199, Form::Plain },
    { "pmiUseForHtmlGeneration", 200, Form::Plain },
    { "pmiUseForImporting", 201, Form::Plain },
    { "ts_Photos", 202, Form::Plain },
    { "gb_PhotoInfo", 203, Form::Padded },
    { "st_PhotoName", 204, Form::Plain },
    { "st_PhotoDescription", 205, Form::Plain },
    { "st_Event", 206, Form::Plain },
    { "st_Year", 207, Form::Plain },
    { "chb_DontPublishForTheInternet", 208, Form::Plain },
    { "ts_AvailablePhotos", 209, Form::Plain },
    { "ts_PhotosInAlbum", 210, Form::Plain },
    { "ts_ThumbNails", 211, Form::Plain },
    { "ts_SlideShow", 212, Form::Plain },
    { "pnlDrivesAndFolderAvailablePhotos", 213, Form::Plain },
    { "st_ExistingPhotos", 214, Form::Plain },
    { "pb_Refresh", 215, Form::Plain },
    { "gb_AddPhotos", 216, Form::Padded },
    { "pb_AddPhoto", 217, Form::Plain },
    { "pb_AddAllPhotos", 218, Form::Plain },
    { "pb_StopPhotoSearching", 219, Form::Plain },
    { "gb_Convert", 220, Form::Padded },
    { "pb_ConvertPhoto", 221, Form::Plain },
    { "pb_ConvertAllPhotos", 222, Form::Plain },
    { "st_JPGQuality", 223, Form::Plain },
    { "st_FilesSearched", 224, Form::Plain },
    { "st_PhotosDone", 225, Form::Plain },
    { "pmiUsePhotosRecursiveInThisFolder", 226, Form::Plain },
    { "pmiUsePhotosInThisFolder", 227, Form::Plain },
    { "st_PhotoObjects", 230, Form::Spaced },
    { "st_SelectedObjects", 231, Form::Spaced },
    { "btnGoToNextPhoto", 232, Form::Plain },
    { "st_SelectAPhoto", 233, Form::Plain },
    { "lblNrOfPhotos", 234, Form::Plain },
    { "btnMovePhotoUpwards", 235, Form::Plain },
    { "btnMovePhotoDownwards", 236, Form::Plain },
    { "btnRenameSelectedPhotos", 237, Form::Plain },
    { "pb_remove", 238, Form::Plain },
    { "pmiOnlyFromAlbum", 239, Form::Plain },
    { "pmiFromAlbumAndDisk", 240, Form::Plain },
    { "pmiAllFromAlbum", 241, Form::Plain },
    { "pb_Show", 242, Form::Plain },
    { "pmiAllPhotos", 243, Form::Plain },
    { "pmiPhotosWithoutObjects", 244, Form::Plain },
    { "pmiPhotosWithoutEvents", 245, Form::Plain },
    { "pmiPhotosWithoutYears", 246, Form::Plain },
    { "pmiPhotosWithoutDescriptions", 247, Form::Plain },
    { "pmiPhotosWithoutAnyInformation", 248, Form::Plain },
    { "pmiPhotosNotOnDisk", 249, Form::Plain },
    { "pb_CopyInfo", 250, Form::Plain },
    { "pb_PasteInfo", 251, Form::Plain },
    { "btnReuseInfoPreviousPhoto", 252, Form::Plain },
    { "btnSaveChangesPhoto", 253, Form::Plain },
    { "gb_ThumbNails", 260, Form::Padded },
    { "pb_CreateThumbnails", 255, Form::Plain },
    { "pb_ShowThumbNails", 256, Form::Plain },
    { "pb_UpdateThumbNails", 257, Form::Plain },
    { "pb_RemoveThumbNails", 258, Form::Plain },
    { "gb_ThumbNailSize", 259, Form::Padded },
    { "st_Width", 261, Form::Plain },
    { "st_Height", 262, Form::Plain },
    { "gb_ChangePhotoOn", 263, Form::Padded },
    { "chb_LeftMouseButton", 264, Form::Plain },
    { "chb_SpaceBar", 265, Form::Plain },
    { "chb_TimeInSeconds", 266, Form::Plain },
    { "gb_ShowWhat", 267, Form::Padded },
    { "gb_ShowHow", 268, Form::Padded },
    { "rb_ShowThumbNails", 269, Form::Plain },
    { "rb_ShowPhotosInalbum", 270, Form::Plain },
    { "pb_StartSlideShow", 271, Form::Plain },
    { "chb_MaximizeSlideShow", 272, Form::Plain },
    { "chb_Rotate", 273, Form::Plain },
    { "ts_Objects", 274, Form::Plain },
    { "st_ObjectName", 275, Form::Plain },
    { "pb_AddObjects", 276, Form::Plain },
    { "pb_ReplaceObject", 277, Form::Plain },
    { "pb_DeleteObject", 278, Form::Plain },
    { "gb_AvailableObjects", 279, Form::Padded },
    { "pb_MergeObjects", 280, Form::Plain },
    { "btnShowObjects", 405, Form::Plain },
    { "pmiShowAllObjects", 407, Form::Plain },
    { "pmiShowObjectsInUse", 408, Form::Plain },
    { "pmiShowObjectsNotInUse", 409, Form::Plain },
    { "btnRemoveObjects", 406, Form::Plain },
    { "pmiRemoveAllObjects", 407, Form::Plain },
    { "pmiRemoveObjectsInUse", 408, Form::Plain },
    { "pmiRemoveObjectsNotInUse", 409, Form::Plain },
    { "ts_Events", 281, Form::Plain },
    { "st_EventName", 282, Form::Plain },
    { "pb_AddEvent", 283, Form::Plain },
    { "pb_ReplaceEvent", 284, Form::Plain },
    { "pb_DeleteEvent", 285, Form::Plain },
    { "gb_AvailableEvents", 286, Form::Padded },
    { "pb_MergeEvents", 287, Form::Plain },
    { "btnShowEvents", 405, Form::Plain },
    { "pmiShowAllEvents", 410, Form::Plain },
    { "pmiShowEventsInUse", 411, Form::Plain },
    { "pmiShowEventsNotInUse", 412, Form::Plain },
    { "btnRemoveEvents", 406, Form::Plain },
    { "pmiRemoveAllEvents", 410, Form::Plain },
    { "pmiRemoveEventsInUse", 411, Form::Plain },
    { "pmiRemoveEventsNotInUse", 412, Form::Plain },
    { "ts_Search", 288, Form::Plain },
    { "gb_SearchConditions", 289, Form::Padded },
    { "st_ObjectsToSearchFor", 290, Form::Spaced },
    { "st_SelectedObjectsToSearchFor", 291, Form::Spaced },
    { "st_EventsToSearchFor", 292, Form::Spaced },
    { "st_SelectedEventsToSearchFor", 293, Form::Spaced },
    { "chb_YearSearch", 294, Form::Plain },
    { "chb_Description", 295, Form::Plain },
    { "chb_FilePath", 296, Form::Plain },
    { "gb_HowManyObjects", 297, Form::Padded },
    // Each button shows the caption of the search it runs.
    { "rb_AtLeastOneObject", 298, Form::Plain },
    { "rb_AllObjects", 299, Form::Plain },
    { "gb_ObjectsEvents", 300, Form::Padded },
    { "rb_ObjectsOrEvents", 301, Form::Plain },
    { "rb_ObjectsAndEvents", 302, Form::Plain },
    { "pb_SearchForPhotos", 303, Form::Plain },
    { "pb_ButtonResetSearchsettings", 304, Form::Plain },
    { "bt_ClearSelectedObjects", 305, Form::Plain },
    { "bt_ClearSelectedEvents", 306, Form::Plain },
    { "ts_HTML", 307, Form::Plain },
    { "st_HTMLHint", 308, Form::Plain },
    { "ts_HTMLSTEP1", 309, Form::Plain },
    { "pnlStep1", 310, Form::Spaced },
    { "pnlHeaderAlbumFoldersForHTML", 140, Form::Plain },
    { "pnlHeaderAvailableAlbumsForHTML", 147, Form::Plain },
    { "pnlHeaderselectedalbumsForHTML", 313, Form::Plain },
    { "bt_AddHTMLAlbums", 314, Form::Plain },
    { "bt_ButtonAddAllHTMLalbums", 315, Form::Plain },
    { "bt_RemoveHTMLButton", 316, Form::Plain },
    { "ts_HTMLStep2", 317, Form::Plain },
    { "gb_HTMLDestination", 318, Form::Padded },
    { "bt_SelectDirectory", 319, Form::Plain },
    { "lblHintStep2", 320, Form::Plain },
    { "grbWebViewerType", 400, Form::Padded },
    { "rdbNavigateByImage", 321, Form::Plain },
    { "chbStartslideShowHTMLPages", 418, Form::Plain },
    { "rdbNavigateByImageAndThumbnails", 322, Form::Plain },
    { "ts_HTMLOptions_Regular", 323, Form::Plain },
    { "ts_HTMLOptions_Advanced", 324, Form::Plain },
    { "btnHTMLDetailsRegular", 323, Form::Plain },
    { "btnHTMLDetailsAdvanced", 324, Form::Plain },
    { "btnHTMLSaveSettings", 380, Form::Plain },
    { "btnHTMLGenerate", 347, Form::Plain },
    { "pnlDetailsRegularHeader", 323, Form::Plain },
    { "pnlDetailsAdvancedHeader", 324, Form::Plain },
    { "rb_ResizePhotos", 325, Form::Plain },
    { "rb_DontResizePhotosUseScrollBars", 413, Form::Plain },
    { "st_HTMLWidth", 326, Form::Plain },
    { "st_HTMlHeight", 327, Form::Plain },
    { "gb_PhotoResize", 328, Form::Padded },
    { "gb_HTMLThumbnails", 329, Form::Padded },
    { "st_HTMLThumbnails", 391, Form::Plain },
    { "gb_HTMLThumbnailsMaximumSize", 330, Form::Padded },
    { "st_HTMLThumbnailsWidth", 331, Form::Plain },
    { "st_HTMLThumbnailsHeight", 332, Form::Plain },
    { "gb_HTMLThumbnailPlacement", 333, Form::Padded },
    { "st_HTMLThumbnailHorizontal", 334, Form::Plain },
    { "lbHTMLThumbnailsVertical", 335, Form::Plain },
    { "gb_Title", 336, Form::Padded },
    { "st_Title", 337, Form::Plain },
    { "gb_Quality", 338, Form::Padded },
    { "st_Quality", 339, Form::Plain },
    { "gb_LinkingToOriginalPhotos", 340, Form::Padded },
    { "chbLinkingToOriginalPhotos", 341, Form::Plain },
    { "st_CommonWebPath", 342, Form::Plain },
    { "st_CommonLocalPath", 343, Form::Plain },
    { "st_LessSpace", 344, Form::Plain },
    { "st_HighestQuality", 345, Form::Plain },
    { "ts_HTMLStep4", 346, Form::Plain },
    { "ts_HTMLGenerate", 347, Form::Plain },
    { "ts_HTMLResults", 348, Form::Plain },
    { "bt_HTMLGenerate", 349, Form::Plain },
    { "bt_StopHTMLGeneration", 350, Form::Plain },
    { "bt_Results", 351, Form::Plain },
    { "st_PhotosNotFound", 352, Form::Plain },
    { "st_Remarks", 353, Form::Plain },
    { "chbCreateOnlyHTML", 354, Form::Plain },
    { "gb_StepsTakenByTavrimolex", 355, Form::Padded },
    { "chbPhotoChecking", 356, Form::Plain },
    { "lblPhotoCheckingQuantity", 357, Form::Plain },
    { "lblPhotoCheckingProcessing", 358, Form::Plain },
    { "chbThumbnailCreation", 359, Form::Plain },
    { "lblThumbnailQuantity", 360, Form::Plain },
    { "lblThumbNailProcessing", 361, Form::Plain },
    { "chbPhotoCopying", 362, Form::Plain },
    { "lblPhotoQuantity", 363, Form::Plain },
    { "lblPhotoProcessing", 364, Form::Plain },
    { "chbThumbNailHTMLCreation", 365, Form::Plain },
    { "lblThumbnailHTMlQuantity", 366, Form::Plain },
    { "lblThumbnailHTMLProcessing", 367, Form::Plain },
    { "chbPhotoHTMLCreation", 368, Form::Plain },
    { "lblPhotoHTMlQuantity", 369, Form::Plain },
    { "lblPhotoHTMLProcessing", 370, Form::Plain },
    { "ts_LastGeneratedPhotoViewers", 371, Form::Plain },
    { "bt_ShowLastGeneratedPages", 372, Form::Plain },
    { "bt_RemovePhotoViewerFromList", 373, Form::Plain },
    { "bt_RemovePhotoViewerFromDisk", 374, Form::Plain },
    { "pnlHeaderShowingLastGeneratedPhotoViewers", 375, Form::Spaced },
    { "ts_LastSavedHTMLSettings", 376, Form::Plain },
    { "pnlHeaderHTMLSettings", 377, Form::Spaced },
    { "bt_UseSelectedHTMLSettings", 378, Form::Plain },
    { "bt_RemoveLastSavedHTMLSettings", 379, Form::Plain },
    { "bt_SaveCurrentHTMLSettings", 380, Form::Plain },
    { "gp_BackGroundImage", 381, Form::Padded },
    { "bt_SelectBackGroundImage", 382, Form::Plain },
    { "bt_DefaultBackGroundImage", 383, Form::Plain },
    { "bt_SelectBackGroundColor", 384, Form::Plain },
    { "lb_Image", 385, Form::Plain },
    { "ts_Help", 386, Form::Plain },
    { "st_Version", 387, Form::Plain },
    { "st_FreeWare", 388, Form::Plain },
    { "lbl_email", 389, Form::Prefix },
    { "btnChangeLanguage", 390, Form::Plain },
    { "pb_HTML", 392, Form::Plain },
    { "pmiAllPhotosInHTMLAlbums", 393, Form::Plain },
    { "pmiDisallowPhotosInHTMLAlbums", 394, Form::Plain },
    { "pmiInvertSelection", 399, Form::Plain },
};

// What a control shows: a button's, label's or menu entry's text, a group
// box's title, a page's tab caption.
QString Shown(QObject* control)
{
    if (auto* action = qobject_cast<QAction*>(control))
        return action->text();
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return button->text();
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    if (auto* box = qobject_cast<QGroupBox*>(control))
        return box->title();
    if (auto* page = qobject_cast<QWidget*>(control)) {
        // A page that scrolls sits in a scroller of its own.
        QWidget* viewport = page->parentWidget();
        if (auto* scroller = qobject_cast<QScrollArea*>(viewport ? viewport->parentWidget() : nullptr))
            page = scroller;
        if (auto* stack = qobject_cast<QStackedWidget*>(page->parentWidget())) {
            if (auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget()))
                return tabs->tabText(tabs->indexOf(page));
        }
    }
    return QStringLiteral("<no text>");
}

class MainWindowTexts : public MainWindow, public ::testing::WithParamInterface<int> {
protected:
    // Every row as the window shows it now.
    QStringList AllShown() const
    {
        QStringList shown;
        for (const TTextRow& row : TextRows) {
            QObject* control = m_form->findChild<QObject*>(QLatin1String(row.name));
            shown << (control ? Shown(control) : QStringLiteral("<missing>"));
        }
        return shown;
    }
};

TEST_P(MainWindowTexts, EveryControlShowsItsTextOfTheLanguageRecord)
{
    ChosenLanguage(GetParam());
    // With an album open every page and menu exists.
    Start({ MakeAlbum(Path(QStringLiteral("albums/Texts.tvx"))) });
    const TLanguageSelector& t = *Language();
    const QStringList pages = { QStringLiteral("ts_Albums"), QStringLiteral("ts_Photos"),
        QStringLiteral("ts_Objects"), QStringLiteral("ts_Events"), QStringLiteral("ts_Search"),
        QStringLiteral("ts_HTML"), QStringLiteral("ts_Help") };
    const QStringList shown = AllShown();
    for (std::size_t i = 0; i < std::size(TextRows); ++i) {
        const TTextRow& row = TextRows[i];
        const QString text = t.MF[row.text];
        QString expected = text;
        if (row.form == Form::Padded)
            expected = u' ' + text + u' ';
        else if (row.form == Form::Spaced)
            expected = u' ' + text;
        else if (pages.contains(QLatin1String(row.name)))
            expected = text + QStringLiteral("  ");
        if (row.form == Form::Prefix)
            EXPECT_TRUE(shown[qsizetype(i)].startsWith(text)) << row.name;
        else
            EXPECT_EQ(shown[qsizetype(i)].toStdString(), expected.toStdString()) << row.name;
    }

    // Applying the texts again, as every activation does, changes nothing.
    m_form->ApplyLanguage();
    m_form->ApplyLanguage();
    EXPECT_EQ(AllShown(), shown);
}

// The arrows beside the album's photos say what they do; hints stay as the
// layout gives them, whatever the language.
TEST_P(MainWindowTexts, UpDownBesideTheAlbumPhotosExplainsItself)
{
    ChosenLanguage(GetParam());
    Start({ MakeAlbum(Path(QStringLiteral("albums/Hint.tvx"))) });
    m_form->show();
    m_form->pc_Album()->setCurrentWidget(Find<QWidget>("ts_Photos"));
    Find<QTabWidget>("pc_Photos")->setCurrentWidget(Find<QWidget>("ts_PhotosInAlbum"));
    auto* upDown = Find<QWidget>("pb_UpDown");
    ASSERT_TRUE(upDown->isVisible());
    const QPoint middle = upDown->rect().center();
    QTest::mouseMove(upDown, middle);
    QHelpEvent hover(QEvent::ToolTip, middle, upDown->mapToGlobal(middle));
    QApplication::sendEvent(upDown, &hover);
    EXPECT_EQ(QToolTip::text(), QStringLiteral("Show photo above or beneath the selected photo"));
    QToolTip::hideText();
}

class FilterTexts : public MainWindow { };

TEST_F(FilterTexts, FollowTheLanguageAndKeepTheChoice)
{
    ChosenLanguage(1);
    const QString folder = Path(QStringLiteral("photos"));
    for (const char* name : { "a.gif", "b.gif", "c.jpg" })
        WriteFile(folder + u'/' + QLatin1String(name), "x");
    Start({ MakeAlbum(Path(QStringLiteral("albums/Filter.tvx"))) });
    auto* filter = Find<QComboBox>("filter_Photos");
    EXPECT_TRUE(filter->itemText(0).startsWith(QStringLiteral("alle ondersteunde formaten")));
    EXPECT_EQ(filter->itemText(3), QStringLiteral("gif bestanden (*.gif)"));

    ASSERT_TRUE(Find<TFolderTree>("stvPhotoFolders")->SetFolder(folder));
    filter->setCurrentIndex(3);
    emit filter->activated(3);
    auto* photos = Find<QListWidget>("lsbPhotos");
    ASSERT_EQ(photos->count(), 2);
    photos->setCurrentRow(1);
    m_form->ApplyLanguage();
    EXPECT_EQ(filter->currentIndex(), 3);
    EXPECT_EQ(photos->count(), 2);
    EXPECT_EQ(photos->currentRow(), 1);
    EXPECT_EQ(filter->itemText(3), QStringLiteral("gif bestanden (*.gif)"));
}

INSTANTIATE_TEST_SUITE_P(Languages, MainWindowTexts, ::testing::Values(0, 1, 2));

} // namespace
