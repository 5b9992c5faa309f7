// SPDX-License-Identifier: GPL-2.0-or-later
#include "viewers/PhotoWindowList.h"

#include "viewers/Tfm_PhotoWindow.h"

#include <QApplication>
#include <QRandomGenerator>

#include <algorithm>
#include <exception>

namespace {

int DefaultRandom(int bound)
{
    return int(QRandomGenerator::global()->bounded(bound));
}

TPhotoWindowList::TRandom g_random = DefaultRandom;

} // namespace

void TPhotoWindowList::SetRandomSource(TRandom random)
{
    g_random = random ? random : DefaultRandom;
}

TPhotoWindowList::TPhotoWindowList() = default;

TPhotoWindowList::~TPhotoWindowList()
{
    // The windows' destructors call Forget; let them find the list empty.
    std::vector<std::unique_ptr<Tfm_PhotoWindow>> windows = std::move(m_windows);
    m_windows.clear();
    windows.clear();
}

void TPhotoWindowList::RegisterForm(Tfm_PhotoWindow* window)
{
    if (window && IndexOf(window) < 0)
        m_windows.emplace_back(window);
}

void TPhotoWindowList::DeregisterForm(Tfm_PhotoWindow* window)
{
    const int index = IndexOf(window);
    if (index < 0)
        return;
    Tfm_PhotoWindow* released = m_windows[size_t(index)].release();
    m_windows.erase(m_windows.begin() + index);
    released->hide();
    released->deleteLater();
}

void TPhotoWindowList::Forget(Tfm_PhotoWindow* window)
{
    const int index = IndexOf(window);
    if (index < 0)
        return;
    (void)m_windows[size_t(index)].release();
    m_windows.erase(m_windows.begin() + index);
}

void TPhotoWindowList::PropagateShowNewWindow(Tfm_PhotoWindow* window)
{
    if (!window)
        return;
    const bool value = window->GetOpenNewWindowForEachPhoto();
    for (const auto& each : m_windows)
        each->SetOpenNewWindowForEachPhoto(value);
}

void TPhotoWindowList::CloseAll()
{
    while (!m_windows.empty())
        DeregisterForm(m_windows.front().get());
}

void TPhotoWindowList::FileRenamed(const QString& oldPath, const QString& newPath)
{
    for (const auto& window : m_windows)
        window->FileRenamed(oldPath, newPath);
}

Tfm_PhotoWindow* TPhotoWindowList::GetActivePhotoWindow() const
{
    const QWidget* active = QApplication::activeWindow();
    for (const auto& window : m_windows)
        if (window.get() == active)
            return window.get();
    return m_windows.empty() ? nullptr : m_windows.back().get();
}

Tfm_PhotoWindow* TPhotoWindowList::GetPhotoWindow(
    bool reuse, IniFile* ini, const TPhotoNavigation& navigation)
{
    try {
        Tfm_PhotoWindow* window = GetActivePhotoWindow();
        bool placeAtRandom = false;
        if (!reuse && window && window->OpensNewWindowForEachPhoto()) {
            window = nullptr;
            placeAtRandom = true;
        }
        if (!window) {
            auto created = std::make_unique<Tfm_PhotoWindow>(this, navigation, ini);
            window = created.get();
            m_windows.push_back(std::move(created));
        }
        window->show();
        window->raise();
        window->activateWindow();
        window->setFocus();
        if (placeAtRandom)
            window->move(g_random(500), g_random(200));
        return window;
    } catch (const std::exception&) {
        return nullptr;
    }
}

Tfm_PhotoWindow* TPhotoWindowList::Window(int index) const
{
    return index >= 0 && index < Count() ? m_windows[size_t(index)].get() : nullptr;
}

int TPhotoWindowList::IndexOf(const Tfm_PhotoWindow* window) const
{
    const auto found = std::find_if(
        m_windows.begin(), m_windows.end(), [window](const auto& each) { return each.get() == window; });
    return found == m_windows.end() ? -1 : int(found - m_windows.begin());
}
