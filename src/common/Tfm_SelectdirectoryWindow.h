// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The modal window in which the user picks a folder, and may make a new
// sub-folder first. One window serves the whole program, so the tree keeps its
// last selection between uses.
#include <QDialog>

#include <memory>

namespace Ui {
class Tfm_SelectdirectoryWindow;
}

class Tfm_SelectdirectoryWindow : public QDialog {
    Q_OBJECT
public:
    explicit Tfm_SelectdirectoryWindow(QWidget* parent = nullptr);
    ~Tfm_SelectdirectoryWindow() override;

    // Shown above the photo and slide-show windows, which stay on top otherwise.
    int exec() override;

    void ApplyLanguage();
    // Selects an existing folder; anything else leaves the selection as it is.
    void SetFolder(const QString& folder);
    QString GetFolder() const;
    void bt_CreateFolderClick();

private:
    void FormCreate();

    std::unique_ptr<Ui::Tfm_SelectdirectoryWindow> ui;
};

// The program's folder window: the one made at start-up, or, when none was
// made, one created on first use as a dialog of owner.
Tfm_SelectdirectoryWindow* SelectdirectoryWindow(QWidget* owner);
// Makes window the program's folder window (nullptr forgets it).
void SetSelectdirectoryWindow(Tfm_SelectdirectoryWindow* window);
// Shows the program's folder window as a dialog of owner, starting at folder
// when that is set; true with the chosen folder on OK.
bool ChooseFolderWithWindow(QWidget* owner, QString& folder);
