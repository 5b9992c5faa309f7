#pragma once
// The Help tab: the help text, the version, acknowledgements and the language button.
#include <QWidget>

#include <memory>

namespace Ui {
class TabHelp;
}
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

private:
    std::unique_ptr<Ui::TabHelp> ui;
};
