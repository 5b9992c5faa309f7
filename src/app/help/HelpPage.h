// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The Help tab: the help text, the version, acknowledgements and the language button.
#include <QWidget>

#include <memory>

namespace Ui {
class TabHelp;
}
class IniFile;
class TLanguageSelector;

class THelpPage : public QWidget {
    Q_OBJECT
public:
    explicit THelpPage(QWidget* parent = nullptr);
    ~THelpPage() override;

    Ui::TabHelp& Form() const { return *ui; }
    void ApplyLanguage(const TLanguageSelector& texts);

    void ShowVersion(const QString& fileVersion);
    // The help file for the rich-text box. It is read when the page first
    // shows: a long text laid out behind the other pages slowed start-up.
    void LoadHelp(const QString& fileName);
    // The language button stores its choice in settings, for the next start.
    void WireLanguageButton(IniFile& settings);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void btnChangeLanguageClick();
    void ReadHelp();

    std::unique_ptr<Ui::TabHelp> ui;
    IniFile* m_settings = nullptr;
    QString m_helpFile;
};
