#include "DesktopControls.h"

#include "FolderTreeView.h"
#include "MainFrame.h"
#include "MediaControl.h"
#include "RavelinView.h"

#include <cmath>
#include <filesystem>

namespace {

// A station's name is its caption path; the controls show its last part.
CMyString LastCaption(const CMyString& strPath)
{
    const int nSeparator = strPath.ReverseFind('\\');
    if (nSeparator < 0)
        return strPath;
    return strPath.Mid(nSeparator + 1, static_cast<int>(strPath.GetLength()) - nSeparator - 1);
}

} // namespace

CDesktopControls::CDesktopControls(CMainFrame& frame) : m_frame(frame), m_service(*this) {}

bool CDesktopControls::Start()
{
    if (!m_service.Register())
        return false;
    Refresh();
    return true;
}

void CDesktopControls::Refresh()
{
    if (m_service.IsRegistered())
        m_service.Update(MakeState());
}

bool CDesktopControls::IsPlaying() const
{
    const CRavelinView* pView = m_frame.GetView();
    const CMediaControl* pPlayer = pView != nullptr ? pView->GetMediaPlayer() : nullptr;
    if (pPlayer == nullptr)
        return false;
    switch (pPlayer->get_playState()) {
    case CMediaControl::kPlaying:
    case CMediaControl::kBuffering:
    case CMediaControl::kConnecting:
    case CMediaControl::kReconnecting:
        return true;
    default:
        return false;
    }
}

CMprisState CDesktopControls::MakeState()
{
    CMprisState state;
    state.m_dVolume = m_frame.GetVolume() / 100.0;
    const CFolderTreeView* pTree = m_frame.GetTree();
    const bool bHasStations = pTree != nullptr && pTree->GetCatalogue().GetRecordCount() > 0;
    state.m_bCanGoNext = bHasStations;
    state.m_bCanGoPrevious = bHasStations;
    const CRavelinView* pView = m_frame.GetView();
    if (pView == nullptr || pView->GetStation().m_nHasStation == 0)
        return state;
    const CCurrentStation& station = pView->GetStation();
    if (!(station.m_strAddress == m_strStationAddress)) {
        m_strStationAddress = station.m_strAddress;
        ++m_nTrack;
    }
    state.m_nTrack = m_nTrack;
    state.m_bCanPlay = station.CanPlay();
    state.m_bPlaying = IsPlaying();
    state.m_strStation = LastCaption(station.m_strName);
    const CMediaControl* pPlayer = pView->GetMediaPlayer();
    if (state.m_bPlaying && pPlayer != nullptr)
        state.m_strTitle = pPlayer->GetNowPlaying();
    if (state.m_strTitle.IsEmpty())
        state.m_strTitle = state.m_strStation;
    std::error_code error;
    if (!station.m_strIconFile.IsEmpty() &&
        std::filesystem::is_regular_file(station.m_strIconFile.GetText(), error))
        state.m_strArtFile = station.m_strIconFile;
    return state;
}

void CDesktopControls::Raise()
{
    m_frame.BringToFront();
}

void CDesktopControls::Quit()
{
    m_frame.close();
}

void CDesktopControls::Play()
{
    m_frame.OnCommand(CMainFrame::kPlayId);
}

void CDesktopControls::Stop()
{
    m_frame.OnCommand(CMainFrame::kStopId);
}

void CDesktopControls::PlayPause()
{
    m_frame.OnCommand(IsPlaying() ? CMainFrame::kStopId : CMainFrame::kPlayId);
}

void CDesktopControls::Next()
{
    m_frame.PlayAdjacentStation(true);
}

void CDesktopControls::Previous()
{
    m_frame.PlayAdjacentStation(false);
}

void CDesktopControls::SetVolume(double dVolume)
{
    m_frame.SetVolume(static_cast<int>(std::lround(dVolume * 100.0)));
}
