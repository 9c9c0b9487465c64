// LocalHttpServer: an HTTP server on 127.0.0.1 that a test starts for itself.
//
// Wraps cpp-httplib: the test adds its routes, Start() binds a free port and
// serves on a thread of its own, and the destructor stops it. Every request is
// counted by path, so tests can see what the program fetched and how often.
#pragma once

#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <httplib.h>
#include <map>
#include <mutex>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

class LocalHttpServer
{
public:
    LocalHttpServer()
    {
        // Counted before the reply goes out, so a client that has its answer sees the count.
        m_server.set_pre_routing_handler([this](const httplib::Request& request, httplib::Response&) {
            std::lock_guard<std::mutex> lock(m_mutex);
            ++m_requests[request.path];
            return httplib::Server::HandlerResponse::Unhandled;
        });
    }
    ~LocalHttpServer() { Stop(); }
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    httplib::Server& Routes() { return m_server; }

    // Serves a fixed body with status 200 at path.
    void Serve(const std::string& strPath, const std::string& strBody,
               const std::string& strType = "application/octet-stream")
    {
        m_server.Get(strPath, [strBody, strType](const httplib::Request&, httplib::Response& response) {
            response.set_content(strBody, strType.c_str());
        });
    }

    // Binds a free port on 127.0.0.1 (or the given one, for a server that
    // comes back where it was) and starts serving; the port, or -1.
    int Start(int nPort = 0)
    {
        m_nPort = nPort > 0 ? (m_server.bind_to_port("127.0.0.1", nPort) ? nPort : -1)
                            : m_server.bind_to_any_port("127.0.0.1");
        if (m_nPort > 0) {
            m_thread = std::thread([this] { m_server.listen_after_bind(); });
            // A stop before the loop runs would be lost, and the join would hang.
            for (int i = 0; i < 5000 && !m_server.is_running(); ++i) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        }
        return m_nPort;
    }

    void Stop()
    {
        if (m_thread.joinable()) {
            m_server.stop();
            m_thread.join();
        }
    }

    // A port on 127.0.0.1 that nothing listens on: connections to it are refused.
    static int ClosedPort()
    {
        const int nSocket = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t uLength = sizeof(address);
        ::bind(nSocket, reinterpret_cast<sockaddr*>(&address), sizeof(address));
        ::getsockname(nSocket, reinterpret_cast<sockaddr*>(&address), &uLength);
        ::close(nSocket);
        return ntohs(address.sin_port);
    }

    // "http://127.0.0.1:<port>" + strPath.
    std::string Url(const std::string& strPath = "/") const
    {
        return "http://127.0.0.1:" + std::to_string(m_nPort) + strPath;
    }

    int RequestCount(const std::string& strPath) const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const auto found = m_requests.find(strPath);
        return found == m_requests.end() ? 0 : found->second;
    }

private:
    httplib::Server m_server;
    std::thread m_thread;
    int m_nPort = -1;
    mutable std::mutex m_mutex;
    std::map<std::string, int> m_requests;
};
