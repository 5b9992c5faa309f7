// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Saved export settings: the HTML tab's options stored under a name as
// numbered sections "HtmlSettings-<n>" of the settings file, shown side by
// side in a grid, loaded back into the tab, or removed. Each value is kept
// under the name of the control that holds it.
#include <QObject>
#include <QString>

#include <memory>
#include <optional>

namespace Ui {
class TabHTML;
}
class THtmlBackground;
class TPageHost;
class THtmlOptions;
class THtmlStepReporter;
class TSectionList;

class THtmlSettingsPresets : public QObject {
    Q_OBJECT
public:
    static constexpr int ColumnCount = 18;

    THtmlSettingsPresets(Ui::TabHTML& form, TPageHost& host, THtmlOptions& options,
        THtmlBackground& background, THtmlStepReporter& progress, QObject* parent);
    ~THtmlSettingsPresets() override;

    // One row per preset, sorted by the column chosen last; one empty row
    // when there are none.
    void FillHTMLSettingsGrid();
    // Asks for a name (the one used last is proposed) and saves the tab's settings under it.
    void SaveHTMLSettingsAs();
    // Writes the tab's settings as preset name; an existing name (in any
    // letter case) is overwritten only when the user agrees.
    void WriteHTMLSettings(const QString& name);

    void bt_UseSelectedHTMLSettingsClick();
    void bt_RemoveLastSavedHTMLSettingsClick();
    void sgdHTMLSettingsClick();
    // A click on a column title sorts by that column, also at later starts.
    void SortByColumn(int column);

    const QString& LastHTMLSettingsName() const { return m_lastName; }

    // MF[174] "yes" for exactly "true", else MF[175] "no".
    static QString BoolTextToYesNo(const QString& value);
    // "True"/"False" in any case, or a number (0 is false); nothing for other text.
    static std::optional<bool> TextToBool(const QString& value);

private:
    std::unique_ptr<TSectionList> Presets() const;
    // Restores preset n into the controls in key order; false, with the
    // reason in error, at the first value that cannot be read.
    bool Restore(const TSectionList& presets, int number, QString& error);
    QString CurrentName() const;

    Ui::TabHTML& ui;
    TPageHost& m_host;
    THtmlOptions& m_options;
    THtmlBackground& m_background;
    THtmlStepReporter& m_progress;
    QString m_lastName;
};
