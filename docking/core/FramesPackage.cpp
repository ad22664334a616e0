#include "docking/core/FramesPackage.h"

#include <algorithm>
#include <cmath>

namespace dockwins {

float ClampFraction(float fraction)
{
    if (std::isnan(fraction))
        return 0.0f;
    return std::clamp(fraction, 0.0f, 1.0f);
}

unsigned ClampExtent(unsigned value, int minimum, int length)
{
    const unsigned low = static_cast<unsigned>(std::max(0, minimum));
    const unsigned high = static_cast<unsigned>(std::max(0, length));
    if (value > high)
        value = high;
    if (value < low)
        value = low;
    return value;
}

// ------------------------------------------------------------------ base

int CWndFramesPackageBase::SumMin(std::size_t from, std::size_t to) const
{
    int sum = 0;
    for (std::size_t i = from; i < to && i < m_frames.size(); ++i)
        sum += MinDist(i) + kSplitterSize;
    return sum;
}

int CWndFramesPackageBase::MinTotal() const { return SumMin(0, m_frames.size()); }

void CWndFramesPackageBase::GetMinMaxInfo(MINMAXINFO& info) const
{
    if (m_frames.empty())
        return;
    int across = 0;
    for (const Frame& f : m_frames) {
        MINMAXINFO frameInfo;
        f.frame->GetMinMaxInfo(frameInfo);
        across = std::max(across, Across(frameInfo, m_horizontal));
    }
    const int along = MinTotal() - kSplitterSize;
    if (m_horizontal)
        info.ptMinTrackSize = {along, across};
    else
        info.ptMinTrackSize = {across, along};
}

int CWndFramesPackageBase::FrameEnd(std::size_t i) const
{
    return i + 1 < m_frames.size() ? Trunc(m_frames[i + 1].position) : m_end;
}

RECT CWndFramesPackageBase::FrameRect(std::size_t i) const
{
    const int lead = Trunc(m_frames[i].position) + kSplitterSize;
    int trail = i + 1 < m_frames.size() ? Trunc(m_frames[i + 1].position) : Trailing(m_rect, m_horizontal);
    trail = std::max(trail, lead);  // never a negative extent, even below the minimum
    if (m_horizontal)
        return {lead, m_rect.top, trail, m_rect.bottom};
    return {m_rect.left, lead, m_rect.right, trail};
}

RECT CWndFramesPackageBase::BarRect(std::size_t i) const
{
    const int lead = Trunc(m_frames[i].position);
    if (m_horizontal)
        return {lead, m_rect.top, lead + kSplitterSize, m_rect.bottom};
    return {m_rect.left, lead, m_rect.right, lead + kSplitterSize};
}

int CWndFramesPackageBase::FindFrame(int c) const
{
    int found = -1;
    for (std::size_t i = 0; i < m_frames.size(); ++i) {
        if (m_frames[i].position < c + 1.0)
            found = static_cast<int>(i);
        else
            break;
    }
    return found;
}

int CWndFramesPackageBase::IndexOf(WindowHandle window) const
{
    if (!window)
        return -1;
    for (std::size_t i = 0; i < m_frames.size(); ++i)
        if (m_frames[i].frame->GetHwnd() == window)
            return static_cast<int>(i);
    return -1;
}

int CWndFramesPackageBase::SplitterAt(POINT p) const
{
    const int i = FindFrame(Along(p, m_horizontal));
    if (i <= 0)
        return -1;  // the first frame's bar lies outside the package
    const RECT bar = BarRect(static_cast<std::size_t>(i));
    return bar.Contains(p) ? i : -1;
}

bool CWndFramesPackageBase::HasRoomFor(int minAlong) const
{
    return MinTotal() + std::max(0, minAlong) + kSplitterSize <= Length();
}

bool CWndFramesPackageBase::SetRect(const RECT& rect)
{
    if (rect == m_rect)
        return true;
    m_rect = rect;
    const int newStart = Leading(rect, m_horizontal) - kSplitterSize;
    const int newEnd = std::max(Trailing(rect, m_horizontal), newStart + MinTotal());
    Rescale(newStart, newEnd);
    return Arrange();
}

void CWndFramesPackageBase::Rescale(int newStart, int newEnd)
{
    const int oldLength = Length();
    if (oldLength != 0) {
        const float ratio = static_cast<float>(newEnd - newStart) / static_cast<float>(oldLength);
        Spread(m_start, newStart, newEnd, ratio);
    }
    m_start = newStart;
    m_end = newEnd;
}

void CWndFramesPackageBase::Spread(int oldStart, int newStart, int newEnd, float ratio)
{
    if (m_frames.empty())
        return;
    const int delta = newStart - oldStart;
    m_frames[0].position = newStart;
    for (std::size_t i = 1; i < m_frames.size(); ++i) {
        double pos = ((m_frames[i].position + delta) - newStart) * ratio + newStart;
        const double low = Trunc(m_frames[i - 1].position) + MinDist(i - 1) + kSplitterSize;
        const double high = newEnd - SumMin(i, m_frames.size());
        m_frames[i].position = std::max(low, std::min(pos, high));
    }
}

bool CWndFramesPackageBase::Arrange()
{
    for (std::size_t i = 0; i < m_frames.size(); ++i)
        if (!m_frames[i].frame->DeferFramePos(FrameRect(i)))
            return false;
    return true;
}

void CWndFramesPackageBase::BarBounds(std::size_t i, double& low, double& high) const
{
    low = m_start + SumMin(0, i);
    high = m_end - SumMin(i, m_frames.size());
}

void CWndFramesPackageBase::ForgetSqueezes()
{
    for (Frame& f : m_frames)
        f.squeezedFrom = 0;
}

void CWndFramesPackageBase::MoveBar(std::size_t i, double p)
{
    if (i >= m_frames.size())
        return;
    ForgetSqueezes();  // the user sets the sizes now
    m_frames[i].position = p;
    int sum = 0;
    for (std::size_t j = i; j-- > 0;) {
        sum += MinDist(j) + kSplitterSize;
        m_frames[j].position = std::min(m_frames[j].position, p - sum);
    }
    sum = 0;
    for (std::size_t j = i + 1; j < m_frames.size(); ++j) {
        sum += MinDist(j - 1) + kSplitterSize;
        m_frames[j].position = std::max(m_frames[j].position, p + sum);
    }
    if (i > 0)
        m_frames[0].position = m_start;  // the first frame's bar stays at the start
}

void CWndFramesPackageBase::Insert(std::unique_ptr<IFrame> frame, std::size_t index, double p, int s)
{
    ForgetSqueezes();
    index = std::min(index, m_frames.size());
    const int low = m_start + SumMin(0, index);
    const int high = m_end - SumMin(index, m_frames.size());
    s = std::max(0, std::min(s, high - low));
    int at = Trunc(p);
    at = std::max(at, low);
    at = std::min(at, high - s);
    int sum = 0;
    for (std::size_t j = index; j < m_frames.size(); ++j) {
        m_frames[j].position = std::max(m_frames[j].position, static_cast<double>(at + s + sum));
        sum += MinDist(j) + kSplitterSize;
    }
    sum = 0;
    for (std::size_t j = index; j-- > 0;) {
        sum += MinDist(j) + kSplitterSize;
        m_frames[j].position = std::min(m_frames[j].position, static_cast<double>(at - sum));
    }
    Frame entry;
    entry.position = index == 0 ? m_start : at;
    entry.frame = std::move(frame);
    m_frames.insert(m_frames.begin() + static_cast<std::ptrdiff_t>(index), std::move(entry));
}

}  // namespace dockwins
