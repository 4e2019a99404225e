#pragma once

#include <QByteArray>
#include <QJsonDocument>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "posix/unique_fd.h"

namespace plimex::linux_desktop {

// A connection to sway's IPC socket. Its callers run on the GUI thread, so
// no request waits past the deadline given at the start: a compositor that
// hangs or never answers costs that much and no more.
class SwayIpc {
  public:
    enum class Request : std::uint32_t { kRunCommand = 0, kGetTree = 4 };

    // Nothing when the socket cannot be reached, with the reason in failure.
    static std::optional<SwayIpc> Connect(const std::string& socketPath,
                                          std::chrono::steady_clock::time_point deadline,
                                          std::string& failure);

    // sway's reply; nothing when it did not come in time or was not sway's
    // JSON, and failure() then says why.
    std::optional<QJsonDocument> Ask(Request request, const QByteArray& payload);
    const std::string& failure() const { return failure_; }

  private:
    SwayIpc(posix::UniqueFd socket, std::chrono::steady_clock::time_point deadline)
        : socket_(std::move(socket)), deadline_(deadline) {}
    bool WaitFor(short events);
    bool Send(const QByteArray& bytes);
    bool Receive(char* into, std::size_t size);
    bool Failed(std::string reason);

    posix::UniqueFd socket_;
    std::chrono::steady_clock::time_point deadline_;
    std::string failure_;
};

}  // namespace plimex::linux_desktop
