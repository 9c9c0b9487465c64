// A server on 127.0.0.1 that takes connections and never answers: the
// listening socket is never accepted from, so the kernel completes each
// connection and the client then waits for a reply that never comes, until
// its own time-out. Stands for a home server that has hung.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

class CSilentServer
{
public:
    CSilentServer()
    {
        m_nSocket = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t uLength = sizeof(address);
        if (::bind(m_nSocket, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
            ::listen(m_nSocket, 128) == 0 &&
            ::getsockname(m_nSocket, reinterpret_cast<sockaddr*>(&address), &uLength) == 0)
            m_nPort = ntohs(address.sin_port);
    }
    ~CSilentServer() { ::close(m_nSocket); }
    CSilentServer(const CSilentServer&) = delete;
    CSilentServer& operator=(const CSilentServer&) = delete;

    bool IsListening() const { return m_nPort > 0; }
    std::string Url(const std::string& strPath) const
    {
        return "http://127.0.0.1:" + std::to_string(m_nPort) + strPath;
    }

private:
    int m_nSocket = -1;
    int m_nPort = 0;
};
