// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The small window in which the user picks English, Dutch or Spanish.
#include "language/LanguageSelector.h"

#include <QDialog>

#include <memory>

namespace Ui {
class Tfm_LanguageWindow;
}

class Tfm_LanguageWindow : public QDialog {
    Q_OBJECT
public:
    explicit Tfm_LanguageWindow(QWidget* parent = nullptr);
    ~Tfm_LanguageWindow() override;

    // Shown above the photo and slide-show windows, which stay on top otherwise.
    int exec() override;

    // The choice; stays as set by the caller when the window is closed without one.
    TLangType LangType = LT_Default;

    void bt_EnglishClick();
    void bt_DutchClick();
    void bt_SpanishClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void Choose(TLangType type);

    std::unique_ptr<Ui::Tfm_LanguageWindow> ui;
};

// The pictures of the window, drawn: a header and one flag per language.
QPixmap LanguageHeaderPicture(int width, int height);
QPixmap LanguageFlagPicture(TLangType type, int width, int height);
