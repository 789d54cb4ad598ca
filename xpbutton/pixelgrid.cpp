#include "xpbutton/pixelgrid.h"

#include <algorithm>
#include <cmath>

namespace hitungrama {

PixelGrid::PixelGrid(int logicalLength, int deviceLength, qreal ratio)
    : m_logical(std::max(logicalLength, 0)), m_device(std::max(deviceLength, 0))
{
    if (m_logical == 0)
        return;
    if (isWhole(ratio) && qint64(m_logical) * qint64(ratio) == m_device) {
        m_scale = int(ratio);
        return;
    }
    m_edge = edgeWidth(ratio);
    const int inner = m_logical - 2 * kEdgePixels;
    const int innerDevice = m_device - 2 * kEdgePixels * m_edge;
    m_rule = inner > 0 && innerDevice >= inner ? Rule::Edges : Rule::Even;
}

int PixelGrid::start(int i) const
{
    i = std::clamp(i, 0, m_logical);
    switch (m_rule) {
    case Rule::Scaled:
        return i * m_scale;
    case Rule::Even:
        return int(qint64(i) * m_device / std::max(m_logical, 1));
    case Rule::Edges:
        break;
    }
    if (i <= kEdgePixels)
        return i * m_edge;
    if (i >= m_logical - kEdgePixels)
        return m_device - (m_logical - i) * m_edge;
    const int first = kEdgePixels * m_edge;
    const qint64 inner = m_logical - 2 * kEdgePixels;
    const qint64 innerDevice = m_device - 2 * first;
    return first + int((i - kEdgePixels) * innerDevice / inner);
}

int PixelGrid::edgeWidth(qreal ratio)
{
    if (!std::isfinite(ratio) || ratio < 1.0)
        return 1;
    return int(std::min(std::floor(ratio + 0.5), 64.0));
}

bool PixelGrid::isWhole(qreal ratio)
{
    return std::isfinite(ratio) && ratio >= 1.0 && ratio <= 64.0 && ratio == std::floor(ratio);
}

int PixelGrid::deviceSpan(int position, int length, qreal ratio)
{
    if (length <= 0)
        return 0;
    if (!std::isfinite(ratio) || ratio <= 0.0)
        return length;
    if (isWhole(ratio))
        return int(std::min<qint64>(qint64(length) * qint64(ratio), 1 << 20));
    const auto edge = [ratio](qint64 at) { return qRound64(double(at) * ratio); };
    return int(std::clamp<qint64>(edge(qint64(position) + length) - edge(position), 0, 1 << 20));
}

} // namespace hitungrama
