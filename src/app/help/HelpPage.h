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
    // Loads the help file into the rich-text box; false when it cannot be read.
    bool LoadHelp(const QString& fileName);
    // The language button stores its choice in settings, for the next start.
    void WireLanguageButton(IniFile& settings);

private:
    void btnChangeLanguageClick();

    std::unique_ptr<Ui::TabHelp> ui;
    IniFile* m_settings = nullptr;
};
