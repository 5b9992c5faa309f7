// SPDX-License-Identifier: GPL-2.0-or-later
#include "viewers/PhotoNavigation.h"

#include <utility>

TPhotoNavigation::TPhotoNavigation(TCallback previous, TCallback next, TCallback first, TCallback last)
    : m_previous(std::move(previous))
    , m_next(std::move(next))
    , m_first(std::move(first))
    , m_last(std::move(last))
{
}
