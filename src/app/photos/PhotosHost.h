// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// What the Photos tab's parts need from the window that holds the page: what
// every page needs, nothing more.
#include "app/shared/PageHost.h"

class TPhotosHost : public TPageHost { };
