// SPDX-License-Identifier: GPL-3.0-or-later
#include "axisstream.h"

#include <algorithm>

AxisStream::AxisStream(int minimum, int maximum, int hz, std::function<void(int)> move)
    : m_minimum(minimum)
    , m_maximum(maximum)
    , m_move(std::move(move))
    , m_startUs(g_get_monotonic_time())
{
    m_timer = g_timeout_add(guint(std::max(1, 1000 / hz)), [](gpointer self) -> gboolean {
        auto *stream = static_cast<AxisStream *>(self);
        stream->m_move(stream->valueAt(g_get_monotonic_time() - stream->m_startUs));
        return G_SOURCE_CONTINUE;
    }, this);
}

AxisStream::~AxisStream()
{
    g_source_remove(m_timer);
}

// Up from the minimum over the first half of the period, down over the second.
int AxisStream::valueAt(gint64 elapsedUs) const
{
    const gint64 periodUs = PERIOD_MS * 1000;
    const gint64 phase = elapsedUs % periodUs;
    const gint64 rising = phase < periodUs / 2 ? phase : periodUs - phase;
    const gint64 range = gint64(m_maximum) - m_minimum;
    return int(m_minimum + range * rising / (periodUs / 2));
}
