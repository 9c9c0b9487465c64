// MediaServer: the local HTTP server of the media tests, on 127.0.0.1. It
// serves the small media files of tests/player/media, playlists that point at
// its own streams, an endless live MP3 stream that sends a station title the
// way internet radio servers do (ICY metadata every kMetaInterval bytes), one
// whose title changes, one paced as it plays (little is buffered ahead when the
// server goes), a live stream that the server ends after a few seconds, a live
// HLS stream whose playlist is gone once its one segment has been fetched, and
// two plain web pages. Every other path answers 404. Streams are paced a little
// faster than they play, unless said otherwise, and stop when the server does.
#pragma once

#include "../support/LocalHttpServer.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

class MediaServer
{
public:
    static constexpr size_t kMetaInterval = 4096;
    static constexpr char kStationTitle[] = "Evening Tones";
    static constexpr char kFirstTitle[] = "Morning Tones";
    // The colour of the web page, as "rgb(...)" and as its parts.
    static constexpr int kPageRed = 20, kPageGreen = 200, kPageBlue = 40;
    // The colour of the home page.
    static constexpr int kHomeRed = 200, kHomeGreen = 40, kHomeBlue = 160;
    // On /typing.html, the text box's top and height in pixels: what is typed
    // into it is requested as /typed/<text>.
    static constexpr int kTypingBoxTop = 10, kTypingBoxHeight = 80;

    // On a free port, or on nPort: a server that comes back after the one before it went.
    explicit MediaServer(const std::filesystem::path& mediaFolder, int nPort = 0)
    {
        m_strMp3 = ReadFile(mediaFolder / "tone.mp3");
        m_server.Serve("/tone.mp3", m_strMp3, "audio/mpeg");
        m_server.Serve("/tone.ogg", ReadFile(mediaFolder / "tone.ogg"), "audio/ogg");
        m_server.Serve("/titles.opus", ReadFile(mediaFolder / "titles.opus"), "audio/ogg");
        m_server.Serve("/live.ts", ReadFile(mediaFolder / "live.ts"), "video/mp2t");
        ServeHlsUntilFetched("/live.m3u8", "/live.ts");
        m_server.Serve("/updown.mkv", ReadFile(mediaFolder / "updown.mkv"), "video/x-matroska");
        m_server.Serve("/notes.txt", std::string(20000, 'x'), "text/plain");
        m_server.Serve("/page.html", PageHtml(), "text/html");
        m_server.Serve("/home.html", HomeHtml(), "text/html");
        m_server.Serve("/typing.html", TypingHtml(), "text/html");
        ServeLive("/live.mp3", {});
        ServeLive("/ending.mp3", {.bTitle = false, .uLimit = 3 * kMetaInterval});
        ServeLive("/titles.mp3", {.uFirstTitleBlocks = 2});
        ServeLive("/steady.mp3", {.uHeadStart = 1, .nPauseMs = 2000});
        m_nPort = m_server.Start(nPort);
        m_server.Serve("/station.pls", "[playlist]\nNumberOfEntries=1\nFile1=" + Url("/live.mp3") + "\n",
                       "audio/x-scpls");
        m_server.Serve("/station.m3u", "#EXTM3U\n" + Url("/tone.mp3") + "\n", "audio/x-mpegurl");
    }
    ~MediaServer()
    {
        *m_pStopping = true;
        m_server.Stop();
    }
    MediaServer(const MediaServer&) = delete;
    MediaServer& operator=(const MediaServer&) = delete;

    bool IsRunning() const { return m_nPort > 0; }
    int Port() const { return m_nPort; }
    std::string Url(const std::string& strPath) const { return m_server.Url(strPath); }
    int RequestCount(const std::string& strPath) const { return m_server.RequestCount(strPath); }
    LocalHttpServer& Server() { return m_server; }

private:
    static std::string ReadFile(const std::filesystem::path& path)
    {
        std::ifstream stream(path, std::ios::binary);
        std::ostringstream text;
        text << stream.rdbuf();
        return text.str();
    }

    static std::string PageHtml()
    {
        std::ostringstream html;
        html << "<html><body style='margin:0;background:rgb(" << kPageRed << ',' << kPageGreen << ','
             << kPageBlue << ")'><p>A web station</p></body></html>";
        return html.str();
    }

    static std::string HomeHtml()
    {
        std::ostringstream html;
        html << "<html><body style='margin:0;background:rgb(" << kHomeRed << ',' << kHomeGreen << ','
             << kHomeBlue << ")'><p>Home</p></body></html>";
        return html.str();
    }

    static std::string TypingHtml()
    {
        std::ostringstream html;
        html << "<html><body style='margin:0;background:rgb(" << kPageRed << ',' << kPageGreen << ','
             << kPageBlue << ")'><input style='position:absolute;left:10px;top:" << kTypingBoxTop
             << "px;width:300px;height:" << kTypingBoxHeight << "px;font-size:30px'"
             << " oninput=\"fetch('/typed/' + encodeURIComponent(this.value))\"></body></html>";
        return html.str();
    }

    // A live playlist (no end mark) of one segment, answered until that
    // segment has been fetched; 404 after, as when a live stream's server stops.
    void ServeHlsUntilFetched(const std::string& strPath, const std::string& strSegment)
    {
        m_server.Routes().Get(
            strPath, [this, strSegment](const httplib::Request&, httplib::Response& response) {
                if (m_server.RequestCount(strSegment) > 0) {
                    response.status = 404;
                    return;
                }
                response.set_content(
                    "#EXTM3U\n#EXT-X-VERSION:3\n#EXT-X-TARGETDURATION:4\n#EXT-X-MEDIA-SEQUENCE:0\n"
                    "#EXTINF:4.0,\n" +
                        Url(strSegment) + "\n",
                    "application/vnd.apple.mpegurl");
            });
    }

    struct LiveOptions
    {
        bool bTitle = true;
        size_t uLimit = 0;            // bytes of audio, 0: no end
        size_t uFirstTitleBlocks = 0; // blocks that carry kFirstTitle before kStationTitle
        size_t uHeadStart = 4;        // blocks sent at once
        int nPauseMs = 1000;          // between the later blocks (2000: as fast as the tone plays)
    };

    // A metadata block: its length in 16-byte units, then the padded text.
    static std::string MetaBlock(const char* pTitle)
    {
        std::string strText = pTitle != nullptr ? std::string("StreamTitle='") + pTitle + "';" : "";
        strText.resize((strText.size() + 15) / 16 * 16, '\0');
        return std::string(1, static_cast<char>(strText.size() / 16)) + strText;
    }

    // The MP3 repeated without end (or up to uLimit bytes of audio), with a
    // metadata block after every kMetaInterval bytes of audio.
    void ServeLive(const std::string& strPath, LiveOptions options)
    {
        const std::string strAudio = m_strMp3;
        std::shared_ptr<std::atomic<bool>> pStopping = m_pStopping;
        m_server.Routes().Get(strPath, [=](const httplib::Request&, httplib::Response& response) {
            response.set_header("icy-metaint", std::to_string(kMetaInterval));
            response.set_header("icy-name", "Test station");
            auto pSent = std::make_shared<size_t>(0);
            response.set_chunked_content_provider("audio/mpeg", [=](size_t, httplib::DataSink& sink) {
                if (*pStopping || (options.uLimit > 0 && *pSent >= options.uLimit)) {
                    sink.done();
                    return !*pStopping;
                }
                // A head start, then the pace asked for (the tone plays 2000 bytes a second).
                if (*pSent >= options.uHeadStart * kMetaInterval)
                    std::this_thread::sleep_for(std::chrono::milliseconds(options.nPauseMs));
                const size_t uBlock = *pSent / kMetaInterval;
                std::string strPiece;
                for (size_t i = 0; i < kMetaInterval; ++i)
                    strPiece += strAudio[(*pSent + i) % strAudio.size()];
                *pSent += kMetaInterval;
                const char* pTitle = uBlock < options.uFirstTitleBlocks ? kFirstTitle : kStationTitle;
                strPiece += MetaBlock(options.bTitle ? pTitle : nullptr);
                return sink.write(strPiece.data(), strPiece.size());
            });
        });
    }

    LocalHttpServer m_server;
    std::string m_strMp3;
    std::shared_ptr<std::atomic<bool>> m_pStopping = std::make_shared<std::atomic<bool>>(false);
    int m_nPort = -1;
};
