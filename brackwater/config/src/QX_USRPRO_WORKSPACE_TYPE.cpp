#include <brackwater/QX_USRPRO_WORKSPACE_TYPE.h>

#include "QXImageViewPreferences.h"
#include "QXRecordConstruction.h"
#include "QXRecordFields.h"

#include <algorithm>
#include <string>

namespace
{
std::wstring PaneKey(size_t index)
{
    return L"IVPane" + std::to_wstring(index);
}

BOOL WritePanes(CZKScript& script, const std::vector<CZKVWXform>& panes)
{
    if (!SQXRecordScript::WriteInt(script, L"VWCount", static_cast<int>(panes.size())))
        return FALSE;
    for (size_t i = 0; i < panes.size(); ++i)
    {
        if (!panes[i].SaveToScript(script, PaneKey(i).c_str()))
            return FALSE;
    }
    return TRUE;
}

BOOL ReadPanes(CZKScript& script, std::vector<CZKVWXform>& panes)
{
    panes.clear();
    int count = 0;
    if (!SQXRecordScript::ReadInt(script, L"VWCount", count) || count < 0 ||
        count > QX_USRPRO_WORKSPACE_TYPE::MAX_PANES)
        return FALSE;
    panes.resize(static_cast<size_t>(count));
    for (size_t i = 0; i < panes.size(); ++i)
    {
        if (!panes[i].LoadFromScript(script, PaneKey(i).c_str()))
            return FALSE;
    }
    return TRUE;
}

const auto kFields = [](auto& r, auto& io)
{
    io.Int(L"ScreenWidth", r.nScreenWidth);
    io.Int(L"ScreenHeight", r.nScreenHeight);
    io.Int(L"WindowLeft", r.nWindowLeft);
    io.Int(L"WindowTop", r.nWindowTop);
    io.Int(L"WindowWidth", r.nWindowWidth);
    io.Int(L"WindowHeight", r.nWindowHeight);
    io.Bool(L"IsMaximized", r.bIsMaximized);
    io.Value(L"ImageDisplayType", r.imageDisplayType);
    io.Value(L"SelectUnit", r.selectUnit);
    io.Value(L"FlagUnit", r.flagUnit);
    io.Value(L"ZoomMode", r.zoomMode);
    io.Section(L"IVFilterType", r.ivFilter);
    io.Section(L"TVFilterType", r.tvFilter);
    io.Section(L"RemoveBlankImages", r.removeBlankImages);
    io.Int(L"EnterKeyAction", r.nEnterKeyAction);
    io.Int(L"RowsInImageViewer", r.nRowsInImageViewer);
    io.Int(L"ColsInImageViewer", r.nColsInImageViewer);
    io.Int(L"PaneWidthInThumbnail", r.nPaneWidthInThumbnail);
    io.Int(L"PaneHeightInThumbnail", r.nPaneHeightInThumbnail);
    io.Int(L"IndexDescPaneHeight", r.nIndexDescPaneHeight);
    if constexpr (QX_READING(io))
        io.Custom([&r](CZKScript& script) { return ReadPanes(script, r.panes); });
    else
        io.Custom([&r](CZKScript& script) { return WritePanes(script, r.panes); });
};
} // namespace

QX_RECORD_CONSTRUCTION(QX_USRPRO_WORKSPACE_TYPE)

void QX_USRPRO_WORKSPACE_TYPE::init()
{
    nScreenWidth = nScreenHeight = 0;
    nWindowLeft = nWindowTop = nWindowWidth = nWindowHeight = 0;
    bIsMaximized = TRUE;
    SQXImageViewPreferences::Init(*this);
    nPaneWidthInThumbnail = 100;
    nPaneHeightInThumbnail = 100;
    nIndexDescPaneHeight = 120;
}

void QX_USRPRO_WORKSPACE_TYPE::reset()
{
    SQXImageViewPreferences::ResetFilters(*this);
    panes.clear();
    init();
}

void QX_USRPRO_WORKSPACE_TYPE::set(const QX_USRPRO_WORKSPACE_TYPE& other)
{
    nScreenWidth = other.nScreenWidth;
    nScreenHeight = other.nScreenHeight;
    nWindowLeft = other.nWindowLeft;
    nWindowTop = other.nWindowTop;
    nWindowWidth = other.nWindowWidth;
    nWindowHeight = other.nWindowHeight;
    bIsMaximized = other.bIsMaximized;
    SQXImageViewPreferences::Set(*this, other);
    nPaneWidthInThumbnail = other.nPaneWidthInThumbnail;
    nPaneHeightInThumbnail = other.nPaneHeightInThumbnail;
    nIndexDescPaneHeight = other.nIndexDescPaneHeight;
    panes = other.panes;
}

int QX_USRPRO_WORKSPACE_TYPE::compare(const QX_USRPRO_WORKSPACE_TYPE& o) const
{
    const bool same = nScreenWidth == o.nScreenWidth && nScreenHeight == o.nScreenHeight &&
                      nWindowLeft == o.nWindowLeft && nWindowTop == o.nWindowTop &&
                      nWindowWidth == o.nWindowWidth && nWindowHeight == o.nWindowHeight &&
                      bIsMaximized == o.bIsMaximized && SQXImageViewPreferences::Equal(*this, o) &&
                      nPaneWidthInThumbnail == o.nPaneWidthInThumbnail &&
                      nPaneHeightInThumbnail == o.nPaneHeightInThumbnail &&
                      nIndexDescPaneHeight == o.nIndexDescPaneHeight && panes == o.panes;
    return same ? 0 : -1;
}

BOOL QX_USRPRO_WORKSPACE_TYPE::check() const
{
    const bool panesValid = panes.size() <= static_cast<size_t>(MAX_PANES) &&
                            std::all_of(panes.begin(), panes.end(),
                                        [](const CZKVWXform& pane) { return pane.IsValid(); });
    return (SQXImageViewPreferences::Check(*this) && panesValid) ? TRUE : FALSE;
}

void QX_USRPRO_WORKSPACE_TYPE::normalize()
{
    SQXImageViewPreferences::Normalize(*this);
    if (panes.size() > static_cast<size_t>(MAX_PANES))
        panes.resize(MAX_PANES);
    for (CZKVWXform& pane : panes)
    {
        if (!pane.IsValid())
            pane.Reset();
    }
}

BOOL QX_USRPRO_WORKSPACE_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordFields::Write(*this, script, kFields);
}

BOOL QX_USRPRO_WORKSPACE_TYPE::fromscript(CZKScript& script)
{
    return SQXRecordFields::Read(*this, script, kFields);
}
