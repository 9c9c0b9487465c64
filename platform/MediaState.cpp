#include "MediaState.h"

#include "MediaError.h"

void CMediaState::OnOpening()
{
    m_nPlayState = CMediaControl::kConnecting;
    m_bLive = false;
    m_bStarted = false;
    m_nBufferPercent = 0;
    m_strTitle.Empty();
    m_strCause.Empty();
    m_strError.Empty();
}

void CMediaState::OnOpened(bool bLive)
{
    m_bLive = bLive;
    if (m_nPlayState == CMediaControl::kConnecting)
        m_nPlayState = CMediaControl::kBuffering;
}

void CMediaState::OnPlaybackStarted()
{
    if (m_nPlayState == CMediaControl::kConnecting || m_nPlayState == CMediaControl::kBuffering) {
        m_bStarted = true;
        m_nPlayState = CMediaControl::kPlaying;
    }
}

void CMediaState::OnBuffering(bool bWaiting, int nPercent)
{
    m_nBufferPercent = nPercent < 0 ? 0 : (nPercent > 100 ? 100 : nPercent);
    if (bWaiting && m_nPlayState == CMediaControl::kPlaying)
        m_nPlayState = CMediaControl::kBuffering;
    else if (!bWaiting && m_bStarted && m_nPlayState == CMediaControl::kBuffering)
        m_nPlayState = CMediaControl::kPlaying;
}

// A station's title shows in one line of plain text: control characters
// become spaces, and a title of any length is cut to kMaxTitleLength bytes.
void CMediaState::OnTitle(const CMyString& strTitle)
{
    m_strTitle = strTitle.LeftUtf8(kMaxTitleLength);
    for (uint32_t i = 0; i < m_strTitle.GetLength(); ++i) {
        const auto chByte = static_cast<unsigned char>(m_strTitle.GetAt(i));
        if (chByte < 0x20 || chByte == 0x7F)
            m_strTitle.SetAt(i, ' ');
    }
    m_strTitle.Trim();
}

void CMediaState::OnEngineMessage(const char* pText)
{
    if (m_strCause.IsEmpty())
        m_strCause = ErrorFromEngineLog(pText);
}

void CMediaState::OnEnded(EndReason reason, const CMyString& strError)
{
    switch (reason) {
    case EndReason::kPlaylist:
        m_nPlayState = CMediaControl::kConnecting;
        break;
    case EndReason::kStopped:
        OnStopped();
        break;
    case EndReason::kEndOfStream:
        if (m_bLive) {
            m_nPlayState = CMediaControl::kError;
            m_strError = "The stream ended";
        } else {
            m_nPlayState = CMediaControl::kMediaEnded;
        }
        break;
    case EndReason::kError:
        m_nPlayState = CMediaControl::kError;
        m_strError = strError.IsEmpty() ? CMyString("Cannot play this station") : strError;
        break;
    }
}

void CMediaState::OnStopped()
{
    if (m_nPlayState != CMediaControl::kUndefined)
        m_nPlayState = CMediaControl::kStopped;
}

CMyString CMediaState::GetStatus() const
{
    CMyString strStatus;
    switch (m_nPlayState) {
    case CMediaControl::kConnecting:
        return "Connecting...";
    case CMediaControl::kBuffering:
        strStatus = "Buffering (";
        strStatus.AppendInt(m_nBufferPercent);
        strStatus += "%)";
        return strStatus;
    case CMediaControl::kPlaying:
        strStatus = "Playing";
        if (!m_strTitle.IsEmpty()) {
            strStatus += ": ";
            strStatus += m_strTitle;
        }
        return strStatus;
    case CMediaControl::kStopped:
        return "Stopped";
    case CMediaControl::kMediaEnded:
        return "Finished";
    case CMediaControl::kError:
        strStatus = "Error: ";
        strStatus += m_strCause.IsEmpty() ? m_strError : m_strCause;
        return strStatus;
    default:
        return {};
    }
}
