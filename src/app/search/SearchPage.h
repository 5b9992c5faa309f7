// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The Search tab: conditions on objects, events, year, words and path. The
// chosen objects and events live in the album's labels (their Selected flag),
// so they are saved with it; the other conditions live in the controls.
#include "model/SearchEngine.h"

#include <QStringList>
#include <QWidget>

#include <memory>

namespace Ui {
class TabSearch;
}
class QCheckBox;
class QLineEdit;
class QListWidget;
class TAlbumActions;
class TAlbumSession;
class TFittingRow;
class TEntityList;
class TLanguageSelector;
class TPageHost;

class TSearchPage : public QWidget {
    Q_OBJECT
public:
    TSearchPage(TAlbumSession& session, TAlbumActions& actions, TPageHost& host, QWidget* parent = nullptr);
    ~TSearchPage() override;

    Ui::TabSearch& Form() const { return *ui; }
    void ApplyLanguage(const TLanguageSelector& texts);

    // The search handed to the engine: 4 year, 8 description, 16 path, plus
    // 1 for objects AND events or 2 for OR.
    unsigned char SearchOptions() const;
    // 0: any of the chosen objects, 1: all of them.
    unsigned char AllObjects() const;

    // Handlers, public so that the main window and tests can drive them.
    void ts_SearchEnter();
    void bt_ClearSelectedObjectsClick();
    void bt_ClearSelectedEventsClick();
    void chb_YearSearchClick();
    void chb_DescriptionClick();
    void chb_FilePathClick();
    void pb_SearchForPhotosClick();
    void pb_ButtonResetSearchsettingsClick();
    // The album closed: the four lists are emptied.
    void ClearSearchLists();

    TSearchEngine& Engine() { return m_engine; }

signals:
    // The album the result window made was taken up in place of the open
    // one: the Albums tab comes to the front.
    void FoundAlbumOpened();

private:
    void FillSearchList(QListWidget* choiceList, QListWidget* chosenList, TEntityList& entities);
    void ToggleSearchItem(QListWidget* choiceList, QListWidget* chosenList, TEntityList& entities);
    void ClearSearchSelection(QListWidget* choiceList, QListWidget* chosenList, TEntityList& entities);
    static QStringList SelectedItems(const QListWidget* listBox);
    void CriterionBoxClick(QCheckBox* box, QLineEdit* edit);
    // False after telling the user that a ticked criterion has no text.
    bool CriteriaComplete();

    std::unique_ptr<Ui::TabSearch> ui;
    TAlbumSession& m_session;
    TAlbumActions& m_actions;
    TFittingRow* m_choiceGroups = nullptr;
    TPageHost& m_host;
    TSearchEngine m_engine;
};
